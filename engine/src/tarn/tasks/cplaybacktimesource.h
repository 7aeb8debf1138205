#ifndef TARN_TASKS_CPLAYBACKTIMESOURCE_H
#define TARN_TASKS_CPLAYBACKTIMESOURCE_H

#include <limits>

#include "tarn/utils/enginetime.h"

namespace tarn {

// An engine clock that reads whatever input playback last set, so that a
// replayed run sees its events at their recorded times.
class CPlaybackTimeSource final : public CTimeSource
{
public:
    explicit CPlaybackTimeSource( types::ticks start = 0 ) : myTicks( start ) {}

    types::ticks GetTicks() override { return myTicks; }
    // Sleeps in real time and moves on as far, but not past the limit: a
    // loop that sleeps until something is due finds it due when it wakes,
    // not only after the playback's next step.
    void Wait( types::ticks ms ) override
    {
        CTimeSource::Wait( ms );
        myTicks = myLimit - myTicks < ms ? myLimit : myTicks + ms;
    }

    void SetTicks( types::ticks ticks ) { myTicks = ticks; }
    // Where a wait stops: the next event, which must not be passed before
    // it is delivered.
    void SetLimit( types::ticks limit ) { myLimit = limit; }

private:
    types::ticks myTicks;
    types::ticks myLimit = std::numeric_limits<types::ticks>::max();
};

} // namespace tarn

#endif
