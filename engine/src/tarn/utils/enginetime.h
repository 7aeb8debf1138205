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
};

// The engine clock: the current source's tick count.
types::ticks EngineTime();

// Installs a time source; null restores the monotonic clock.
void SetTimeSource( std::shared_ptr<CTimeSource> source );

std::shared_ptr<CTimeSource> GetTimeSource();

} // namespace tarn

#endif
