#ifndef TARN_TASKS_CTIMEDTASKS_H
#define TARN_TASKS_CTIMEDTASKS_H

#include <list>

#include "tarn/tasks/ctask.h"

namespace tarn {

class CTaskManager;

// The task that runs the timed tasks: each queued task is updated every time
// its interval has passed on the engine clock, repeatedly when it fell behind.
// It waits in the manager's paused list while it has nothing queued.
class CTimedTasks final : public CTask
{
public:
    explicit CTimedTasks( CTaskManager* manager );

    using CTask::Init;
    // True only while a task is queued.
    bool Init() override;
    void Update() override;
    // Until the first queued task is due; NOTHING_DUE with none queued.
    types::ticks TimeUntilDue() const override;
    // Removes every queued task.
    void Exit() override;

    // Init()s the task and queues it one interval from now (or parks it in the
    // timed paused list when Init fails).
    void AddTimedTask( CTask* task );
    // Exits the task (once) and marks it dead; its entry goes at the next sweep.
    void RemoveTimedTask( CTask* task );
    void PauseTimedTask( CTask* task );
    void ResumeTimedTask( CTask* task );

    bool IsQueued( const CTask* task ) const;
    bool IsPausedHere( const CTask* task ) const;

private:
    struct CEntry
    {
        CTask* task;
        types::ticks due;
    };

    std::list<CEntry>::iterator FindEntry( const CTask* task );
    void Queue( CTask* task );
    void Reorder();
    void RemoveDeadEntries();

    CTaskManager* myManager;
    std::list<CEntry> myQueue;
    std::list<CTask*> myPaused;
    bool myDeadEntriesPending = false;
};

} // namespace tarn

#endif
