#ifndef TARN_TASKS_CPLAYBACKTIMESOURCE_H
#define TARN_TASKS_CPLAYBACKTIMESOURCE_H

#include "tarn/utils/enginetime.h"

namespace tarn {

// An engine clock that reads whatever input playback last set, so that a
// replayed run sees its events at their recorded times.
class CPlaybackTimeSource final : public CTimeSource
{
public:
    explicit CPlaybackTimeSource( types::ticks start = 0 ) : myTicks( start ) {}

    types::ticks GetTicks() override { return myTicks; }
    // Sleeps in real time and moves on as far: a loop that sleeps until
    // something is due finds it due when it wakes, not only after the
    // playback's next step. The caller keeps ms within the next event.
    void Wait( types::ticks ms ) override
    {
        CTimeSource::Wait( ms );
        myTicks += ms;
    }

    void SetTicks( types::ticks ticks ) { myTicks = ticks; }

private:
    types::ticks myTicks;
};

} // namespace tarn

#endif
