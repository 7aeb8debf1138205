#include "tarn/tasks/ctimedtasks.h"

#include <algorithm>

#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/enginetime.h"

namespace tarn {

CTimedTasks::CTimedTasks( CTaskManager* manager ) :
    myManager( manager )
{
    SetName( "TimedTasks" );
    SetPriority( 100 );
}

bool CTimedTasks::Init()
{
    return !myQueue.empty();
}

void CTimedTasks::Update()
{
    RemoveDeadEntries();
    const types::ticks now = EngineTime();
    while( !myQueue.empty() && now > myQueue.front().due )
    {
        CTask* task = myQueue.front().task;
        task->Update();
        // The update may have paused the task, which took its entry away.
        const auto entry = FindEntry( task );
        if( entry != myQueue.end() )
        {
            // A zero interval would never catch up with the clock.
            entry->due += std::max<types::ticks>( task->GetInterval(), 1 );
            Reorder();
        }
        RemoveDeadEntries();
    }

    // Nothing left to run: wait in the paused list like at start-up, so that
    // an empty queue does not keep the main loop alive.
    if( myQueue.empty() )
        myManager->PauseTask( this );
}

types::ticks CTimedTasks::TimeUntilDue() const
{
    if( myQueue.empty() )
        return NOTHING_DUE;
    // Update runs an entry once the clock is past its due time.
    const types::ticks runsAt = myQueue.front().due + 1;
    const types::ticks now = EngineTime();
    return now >= runsAt ? 0 : runsAt - now;
}

void CTimedTasks::Exit()
{
    for( CEntry& entry : myQueue )
        RemoveTimedTask( entry.task );
    RemoveDeadEntries();
}

void CTimedTasks::AddTimedTask( CTask* task )
{
    if( !task->Init() )
    {
        myPaused.push_back( task );
        return;
    }
    Queue( task );
}

void CTimedTasks::RemoveTimedTask( CTask* task )
{
    if( !task->IsDead() )
        task->Exit();
    task->SetDead( true );
    myDeadEntriesPending = true;
}

void CTimedTasks::PauseTimedTask( CTask* task )
{
    const auto entry = FindEntry( task );
    if( entry == myQueue.end() )
        return;
    task->OnPause();
    myQueue.erase( entry );
    myPaused.push_back( task );
}

void CTimedTasks::ResumeTimedTask( CTask* task )
{
    const auto paused = std::find( myPaused.begin(), myPaused.end(), task );
    if( paused == myPaused.end() )
        return;
    myPaused.erase( paused );
    task->OnResume();
    Queue( task );
}

bool CTimedTasks::IsQueued( const CTask* task ) const
{
    return std::any_of( myQueue.begin(), myQueue.end(), [ task ]( const CEntry& e ) { return e.task == task; } );
}

std::list<CTimedTasks::CEntry>::iterator CTimedTasks::FindEntry( const CTask* task )
{
    return std::find_if( myQueue.begin(), myQueue.end(), [ task ]( const CEntry& e ) { return e.task == task; } );
}

bool CTimedTasks::IsPausedHere( const CTask* task ) const
{
    return std::find( myPaused.begin(), myPaused.end(), task ) != myPaused.end();
}

void CTimedTasks::Queue( CTask* task )
{
    if( myQueue.empty() )
        myManager->ResumeTask( this );
    myQueue.push_back( { task, EngineTime() + task->GetInterval() } );
    Reorder();
}

void CTimedTasks::Reorder()
{
    // Unsigned comparison of due times; stable, so equal due times keep their
    // order and a new entry goes after those already due at the same tick.
    myQueue.sort( []( const CEntry& a, const CEntry& b ) { return a.due < b.due; } );
}

void CTimedTasks::RemoveDeadEntries()
{
    if( !myDeadEntriesPending )
        return;
    myQueue.remove_if( []( const CEntry& e ) { return e.task->IsDead(); } );
    myDeadEntriesPending = false;
}

} // namespace tarn
