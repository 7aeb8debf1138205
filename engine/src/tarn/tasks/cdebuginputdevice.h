#ifndef TARN_TASKS_CDEBUGINPUTDEVICE_H
#define TARN_TASKS_CDEBUGINPUTDEVICE_H

#include "tarn/tasks/ctask.h"

namespace tarn {

// An input recorder or player of the debug task, stepped once per pass.
class CDebugInputDevice
{
public:
    CDebugInputDevice() = default;
    virtual ~CDebugInputDevice() = default;

    CDebugInputDevice( const CDebugInputDevice& ) = delete;
    CDebugInputDevice& operator=( const CDebugInputDevice& ) = delete;

    // A recorder works from its listener calls and has nothing to do here.
    virtual void Step() {}
    // Engine milliseconds until Step has work to do.
    virtual types::ticks TimeUntilDue() const { return CTask::NOTHING_DUE; }
    // Lets go of the engine (listener, clock) for good; the device may still
    // be inside one of its own calls, so it is deleted later. Called again
    // by the destructor, so it must do nothing the second time.
    virtual void Stop() {}
};

} // namespace tarn

#endif
