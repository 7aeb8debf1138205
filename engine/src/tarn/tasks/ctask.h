#ifndef TARN_TASKS_CTASK_H
#define TARN_TASKS_CTASK_H

#include <limits>
#include <string>

#include "tarn/utils/types.h"

namespace tarn {

class CAnyContainer;
class CConsole;

// A unit of work that the main loop updates once per pass, in ascending
// priority. A task with a non-zero interval is a timed task, updated every
// interval milliseconds instead. Tasks are owned by the task factory.
//
// A task overriding only one Init hides the other; put `using CTask::Init;`
// in such a class.
class CTask
{
public:
    // TimeUntilDue of a task that only reacts to what other tasks do.
    static constexpr types::ticks NOTHING_DUE = std::numeric_limits<types::ticks>::max();

    CTask() = default;
    virtual ~CTask() = default;

    CTask( const CTask& ) = delete;
    CTask& operator=( const CTask& ) = delete;

    // Order of the running list (by priority) or of the timed queue (by interval).
    virtual bool LessThan( const CTask& other ) const;
    // parameters are the arguments left over from "starttask"; the base
    // ignores them and calls Init().
    virtual bool Init( CAnyContainer* parameters );
    // True when the task may run; false parks it in the paused list.
    virtual bool Init();
    virtual void Update();
    // Engine milliseconds until the task next has work to do, which the main
    // loop may sleep; 0 (the default) when it has work at every pass.
    virtual types::ticks TimeUntilDue() const;
    // Called once when a live task is killed.
    virtual void Exit();
    virtual void OnPause();
    virtual void OnResume();
    virtual void SetPriority( int priority );
    virtual int GetPriority() const;
    virtual bool IsDead() const;
    virtual void SetDead( bool dead );
    virtual std::string GetName() const;
    virtual void SetName( const std::string& name );
    // Executes a console command addressed to this task; false when the task
    // has no commands.
    virtual bool HandleCommand( const std::string& command );
    // The console holding this task's commands, for help; null when it has none (yet).
    virtual const CConsole* GetCommandConsole() const;
    virtual bool IsTimed() const;
    virtual void SetInterval( types::ticks interval );
    virtual types::ticks GetInterval() const;
    // True for a task that is paused while the application lacks input focus.
    virtual bool PausesWhenInactive() const;

private:
    std::string myName = "AnonymousTask";
    int myPriority = 10;
    bool myDead = false;
    types::ticks myInterval = 0;
};

} // namespace tarn

#endif
