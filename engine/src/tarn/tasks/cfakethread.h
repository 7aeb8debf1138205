#ifndef TARN_TASKS_CFAKETHREAD_H
#define TARN_TASKS_CFAKETHREAD_H

#include <cstddef>
#include <list>
#include <memory>

#include "tarn/utils/ctimer.h"
#include "tarn/utils/types.h"

namespace tarn {

// A cooperative pseudo-thread: Run() is one slice, called by RunFakeThreads
// every interval milliseconds of the thread's own timer once started. A
// thread runs once it is handed to the task manager's runner
// (StartFakeThread), which owns it and lets go of it once it is dead (a
// thread may Kill() itself in Run(); it is let go of after Run() returns).
class CFakeThread
{
public:
    CFakeThread();
    virtual ~CFakeThread();

    CFakeThread( const CFakeThread& ) = delete;
    CFakeThread& operator=( const CFakeThread& ) = delete;

    virtual bool LessThan( const CFakeThread& other ) const;
    virtual void Run() = 0;
    // Unpauses, resetting the timer so the first slice is due at once.
    virtual void Start();
    // Marks the thread paused and dead; the scheduler deletes it.
    virtual void Kill();

    bool IsPaused() const { return myPaused; }
    // Not paused, and its timer has reached the next slice.
    bool IsDue() const;
    // Run(), then schedules the next slice one interval later.
    void RunSlice();
    bool IsDead() const { return myDead; }
    void SetInterval( types::ticks interval ) { myInterval = interval; }
    types::ticks GetInterval() const { return myInterval; }

protected:
    void SetPaused( bool paused ) { myPaused = paused; }
    void SetDead( bool dead ) { myDead = dead; }

    CTimer myTimer;

private:
    // Milliseconds until the next slice is due (0 when it is due).
    types::ticks Remaining() const;

    bool myPaused = true;
    types::ticks myInterval = 10;
    types::ticks myNextRun = 0;
    bool myDead = false;
};

// The fake threads of the program, in the order they were started, owned.
class CFakeThreadRunner final
{
public:
    // Takes the thread over; the pointer returned stays valid while it lives.
    CFakeThread* Add( std::unique_ptr<CFakeThread> thread );
    // Runs the due threads at the front of the list. With budget 0 it makes
    // one walk, stopping at the first paused or not yet due thread; with a
    // larger budget (milliseconds) it keeps walking until the budget is used.
    void Run( types::ticks budget );
    // Lets go of every thread (at shutdown).
    void Clear() { myThreads.clear(); }
    std::size_t GetCount() const { return myThreads.size(); }

private:
    // One walk over the list; false when Run should stop.
    bool Walk( types::ticks budget, const CTimer& elapsed );

    std::list<std::unique_ptr<CFakeThread>> myThreads;
};

// The task manager's runner: hands a thread over, runs the due threads, lets
// go of them all.
CFakeThread* StartFakeThread( std::unique_ptr<CFakeThread> thread );
void RunFakeThreads( types::ticks budget );
void DeleteAllFakeThreads();

} // namespace tarn

#endif
