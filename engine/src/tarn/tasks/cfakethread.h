#ifndef TARN_TASKS_CFAKETHREAD_H
#define TARN_TASKS_CFAKETHREAD_H

#include "tarn/utils/ctimer.h"
#include "tarn/utils/types.h"

namespace tarn {

// A cooperative pseudo-thread: Run() is one slice, called by RunFakeThreads
// every interval milliseconds of the thread's own timer once started.
// Fake threads are made with new and join one global list on construction;
// the scheduler deletes a thread once it is dead (a thread may Kill() itself
// in Run(); it is deleted after Run() returns).
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

// Runs the due fake threads at the front of the list. With budget 0 it makes
// one walk, stopping at the first paused or not yet due thread; with a larger
// budget (milliseconds) it keeps walking until the budget is used.
void RunFakeThreads( types::ticks budget );

// Deletes every fake thread (at shutdown).
void DeleteAllFakeThreads();

} // namespace tarn

#endif
