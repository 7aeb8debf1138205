#ifndef TARN_UTILS_ENGINETIME_H
#define TARN_UTILS_ENGINETIME_H

#include <memory>

#include "tarn/utils/types.h"

namespace tarn {

// Where the engine clock reads its milliseconds from. The default source is
// the system's monotonic milliseconds since the clock was first read; input
// playback and tests install their own.
class CTimeSource
{
public:
    virtual ~CTimeSource() = default;

    // Milliseconds, monotonic (wrapping at 2^32).
    virtual types::ticks GetTicks() = 0;
    // Lets ms milliseconds of this clock pass; the thread sleeps for them in
    // real time unless the clock is not real (a test's).
    virtual void Wait( types::ticks ms );
};

// The engine clock: the current source's tick count.
types::ticks EngineTime();

// The game clock: the engine clock less the time the game was held still
// (a menu or the developer console open). Every CTimer measures against it.
types::ticks GameTime();

// Stops (true) or restarts (false) the game clock; holding it twice is
// holding it once.
void HoldGameClock( bool hold );

// Installs a time source; null restores the monotonic clock. The game
// clock follows the new source, not held.
void SetTimeSource( std::shared_ptr<CTimeSource> source );

std::shared_ptr<CTimeSource> GetTimeSource();

} // namespace tarn

#endif
