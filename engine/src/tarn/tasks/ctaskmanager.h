#ifndef TARN_TASKS_CTASKMANAGER_H
#define TARN_TASKS_CTASKMANAGER_H

#include <list>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "tarn/inputdevice/inputlisteners.h"
#include "tarn/tasks/cfakethread.h"
#include "tarn/tasks/ctimedtasks.h"
#include "tarn/utils/csingleton.h"
#include "tarn/utils/types.h"

namespace tarn {

class CAnyContainer;
class CTask;
class CTaskManager;

// Pauses the tasks that ask for it while the application lacks input focus.
class CActivityListener final : public CFocusListener
{
public:
    explicit CActivityListener( CTaskManager* manager ) : myManager( manager ) {}

    void OnActivate( bool gained ) override;

    bool IsActive() const { return myActive; }

private:
    bool myActive = true;
    CTaskManager* myManager;
};

// The main loop and the task lists. The running list is kept in ascending
// priority; the manager does not own the tasks (the task factory does).
// Tasks may add, pause, resume or kill tasks, themselves included, from
// inside Update: the pass in progress stays valid.
class CTaskManager final : public CSingleton<CTaskManager>
{
public:
    ~CTaskManager();

    // Init()s the task (with parameters when given) and puts it in the
    // running list, or in the paused list when Init fails. Timed tasks go to
    // the timed queue.
    void AddTask( CTask* task, CAnyContainer* parameters = nullptr );
    // Exits a live task once and marks it dead; it leaves the lists at the
    // next sweep.
    void KillTask( CTask* task );
    void KillAllTasks();
    void RemoveDeadTasks();
    void PauseTask( CTask* task );
    void ResumeTask( CTask* task );
    // Pauses / resumes the tasks whose PausesWhenInactive() is true.
    void PauseAllTasks();
    void ResumeAllTasks();

    // Holds the game still while any holder (the developer console, a menu)
    // asks: tasks whose PausesWhenInactive() is true are not updated and the
    // game clock stops, so no timer jumps when the last holder lets go.
    void SetHolding( const std::string& holder, bool holding );
    bool IsHolding() const { return !myHolders.empty(); }

    // The next pass kills every task, so the loop ends after it.
    void RequestQuit() { myQuitRequested = true; }
    bool IsQuitRequested() const { return myQuitRequested; }
    // For a fault the program cannot run on with (no display, say): logs
    // reason as an error and writes it on standard error, starts no more
    // tasks, and ends the loop before its next pass with exit code 1.
    void RequestQuitOnError( const std::string& reason );
    bool HasFailed() const { return myExitCode != 0; }

    // Runs line in the main console once delay milliseconds of engine time
    // have passed, after the updates of the pass that finds it due. Lines
    // still waiting when the loop ends are dropped.
    void RunLater( types::ticks delay, const std::string& line );

    // Runs passes until no task is running; returns the program's exit code
    // (0, or 1 after RequestQuitOnError).
    int Run();
    // One pass; false when no task is left running afterwards.
    bool RunOnce();

    // Milliseconds the main loop sleeps after every pass (0: it never sleeps
    // while the application has focus). The console variable
    // "tasks_pass_sleep_ms" sets it.
    int& PassSleep() { return myPassSleep; }
    // Non-zero: after a pass the loop sleeps until the earliest task is due
    // (TimeUntilDue), and only when one is due at once for PassSleep. The
    // console variable "tasks_sleep_until_due" sets it.
    int& SleepUntilDue() { return mySleepUntilDue; }
    // The longest such a sleep lasts: the event task polls for input at
    // least once a frame, so input waits no longer than a frame.
    static constexpr types::ticks MAX_SLEEP = 16;
    // Engine milliseconds until the earliest of the running tasks (those the
    // hold leaves out excepted) and the RunLater lines is due, at most MAX_SLEEP.
    types::ticks TimeUntilDue() const;

    const std::list<CTask*>& GetRunningTasks() const { return myRunning; }
    const std::list<CTask*>& GetPausedTasks() const { return myPaused; }
    CTimedTasks& GetTimedTasks() { return myTimedTasks; }
    CFakeThreadRunner& GetFakeThreads() { return myFakeThreads; }
    bool IsActive() const { return myActivityListener->IsActive(); }

private:
    friend class CSingleton<CTaskManager>;
    CTaskManager();

    void Pass();
    // Sleeps between two passes of Run.
    void Rest();
    void RunDueLines();
    void UpdateRunningTasks();
    void InsertRunning( CTask* task );
    std::list<CTask*>::iterator EraseRunning( std::list<CTask*>::iterator position );

    std::list<CTask*> myRunning;
    std::list<CTask*> myPaused;
    std::list<CTask*> myFocusPaused;
    std::set<std::string> myHolders;
    std::unique_ptr<CActivityListener> myActivityListener;
    bool myDeadTasksPending = false;
    bool myQuitRequested = false;
    int myExitCode = 0;
    bool myRunFakeThreads = true;
    int myPassSleep = 0;
    int mySleepUntilDue = 0;
    CTimedTasks myTimedTasks;
    CFakeThreadRunner myFakeThreads;
    // Lines of RunLater by the engine time they are due.
    std::multimap<types::ticks, std::string> myLaterLines;

    // The walk over the running list in progress, kept valid when a task
    // leaves the list during its own or another task's update.
    bool myWalking = false;
    std::list<CTask*>::iterator myWalkPosition;
    bool myWalkPositionErased = false;
};

} // namespace tarn

#endif
