#ifndef TARN_TASKS_CGFXTASK_H
#define TARN_TASKS_CGFXTASK_H

#include "tarn/tasks/ctask.h"
#include "tarn/utils/ctimer.h"

namespace tarn {

// Drives everything in graphics that changes with time: on each update it
// hands the sprite clock (milliseconds since the task started) to the sprite
// updater, then lets the screen layer redraw what changed.
class CGfxTask : public CTask
{
public:
    using CTask::Init;
    // Starts the sprite clock at 0.
    bool Init() override;
    void Update() override;
    // Stops the clock and deletes the screen layer.
    void Exit() override;

    // What frames are paced by: the engine clock since the task started.
    // Unlike the sprite clock it runs on while the game is held, so a menu
    // over the still game is drawn.
    types::ticks GetFrameTime() const { return myFrameClock.GetTime(); }

private:
    CTimer mySpriteClock;
    CTimer myFrameClock{ CTimer::GetEngineTimer() };
};

} // namespace tarn

#endif
