#include "tarn/tasks/ctaskmanager.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/tasks/cfakethread.h"
#include "tarn/tasks/ctask.h"
#include "tarn/tasks/quitsignals.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/enginetime.h"

namespace tarn {

void CActivityListener::OnActivate( bool gained )
{
    myActive = gained;
    if( gained )
        myManager->ResumeAllTasks();
    else
        myManager->PauseAllTasks();
    // The game's timers stand still too, so that nothing jumps on return.
    myManager->SetHolding( "focus", !gained );
}

CTaskManager::CTaskManager() :
    myActivityListener( std::make_unique<CActivityListener>( this ) ),
    myTimedTasks( this )
{
    AddTask( &myTimedTasks );
    CInputDispatcher::GetSingletonPtr()->AddFocusListener( myActivityListener.get() );
}

CTaskManager::~CTaskManager()
{
    HoldGameClock( false );
    if( CInputDispatcher::HasSingleton() )
        CInputDispatcher::GetSingletonPtr()->RemoveFocusListener( myActivityListener.get() );
}

void CTaskManager::AddTask( CTask* task, CAnyContainer* parameters )
{
    if( task->IsTimed() )
    {
        myTimedTasks.AddTimedTask( task );
        return;
    }

    const bool ready = parameters ? task->Init( parameters ) : task->Init();
    if( ready )
        InsertRunning( task );
    else
        myPaused.push_back( task );
}

void CTaskManager::KillTask( CTask* task )
{
    if( task->IsTimed() )
    {
        myTimedTasks.RemoveTimedTask( task );
        return;
    }
    if( !task->IsDead() )
        task->Exit();
    task->SetDead( true );
    myDeadTasksPending = true;
}

void CTaskManager::KillAllTasks()
{
    while( !myRunning.empty() )
    {
        KillTask( myRunning.front() );
        EraseRunning( myRunning.begin() );
    }
}

void CTaskManager::RemoveDeadTasks()
{
    for( auto it = myRunning.begin(); it != myRunning.end(); )
    {
        if( ( *it )->IsDead() )
            it = EraseRunning( it );
        else
            ++it;
    }
    myDeadTasksPending = false;
}

void CTaskManager::PauseTask( CTask* task )
{
    const auto found = std::find( myRunning.begin(), myRunning.end(), task );
    if( found == myRunning.end() )
    {
        myTimedTasks.PauseTimedTask( task );
        return;
    }
    task->OnPause();
    EraseRunning( found );
    myPaused.push_back( task );
}

void CTaskManager::ResumeTask( CTask* task )
{
    const auto found = std::find( myPaused.begin(), myPaused.end(), task );
    if( found == myPaused.end() )
    {
        myTimedTasks.ResumeTimedTask( task );
        return;
    }
    task->OnResume();
    InsertRunning( task );
    myPaused.erase( found );
}

void CTaskManager::PauseAllTasks()
{
    for( CTask* task : myRunning )
    {
        if( task->PausesWhenInactive() )
            myFocusPaused.push_back( task );
    }
    for( CTask* task : myFocusPaused )
        PauseTask( task );
}

void CTaskManager::ResumeAllTasks()
{
    while( !myFocusPaused.empty() )
    {
        ResumeTask( myFocusPaused.front() );
        myFocusPaused.pop_front();
    }
}

void CTaskManager::SetHolding( const std::string& holder, bool holding )
{
    if( holding )
        myHolders.insert( holder );
    else
        myHolders.erase( holder );
    HoldGameClock( IsHolding() );
}

void CTaskManager::RequestQuitOnError( const std::string& reason )
{
    GetLog().Error() << reason << "\n";
    std::fprintf( stderr, "%s\n", reason.c_str() );
    myQuitRequested = true;
    myExitCode = 1;
}

int CTaskManager::Run()
{
    while( !myRunning.empty() && !HasFailed() )
    {
        Pass();
        Rest();
    }
    KillAllTasks();
    RemoveDeadTasks();
    return myExitCode;
}

bool CTaskManager::RunOnce()
{
    if( myRunning.empty() )
    {
        myQuitRequested = true;
        RemoveDeadTasks();
        return false;
    }
    Pass();
    return !myRunning.empty();
}

void CTaskManager::Pass()
{
    if( myDeadTasksPending )
        RemoveDeadTasks();
    UpdateRunningTasks();
    RunDueLines();
    if( TakeQuitSignal() )
        myQuitRequested = true;
    if( myQuitRequested )
        KillAllTasks();
    if( myRunFakeThreads )
        myFakeThreads.Run( 0 );
}

void CTaskManager::Rest()
{
    const types::ticks due = mySleepUntilDue != 0 ? TimeUntilDue() : 0;
    if( due > 0 )
        GetTimeSource()->Wait( due );
    else if( myPassSleep > 0 )
        std::this_thread::sleep_for( std::chrono::milliseconds( myPassSleep ) );
    else if( !myActivityListener->IsActive() )
        std::this_thread::yield();
}

types::ticks CTaskManager::TimeUntilDue() const
{
    if( myQuitRequested || myDeadTasksPending || myRunning.empty() )
        return 0;
    types::ticks due = MAX_SLEEP;
    for( const CTask* task : myRunning )
    {
        // A held task is not updated, so what it waits for cannot wake the loop.
        if( !task->IsDead() && !( IsHolding() && task->PausesWhenInactive() ) )
            due = std::min( due, task->TimeUntilDue() );
    }
    if( !myLaterLines.empty() )
    {
        const types::ticks now = EngineTime();
        const types::ticks at = myLaterLines.begin()->first;
        due = std::min<types::ticks>( due, now >= at ? 0 : at - now );
    }
    return due;
}

void CTaskManager::RunLater( types::ticks delay, const std::string& line )
{
    myLaterLines.emplace( EngineTime() + delay, line );
}

void CTaskManager::RunDueLines()
{
    // A line may ask for more lines: take each out before running it.
    while( !myLaterLines.empty() && EngineTime() >= myLaterLines.begin()->first )
    {
        const std::string line = myLaterLines.begin()->second;
        myLaterLines.erase( myLaterLines.begin() );
        GetConsole()->Execute( line );
    }
}

void CTaskManager::UpdateRunningTasks()
{
    myWalking = true;
    myWalkPosition = myRunning.begin();
    while( myWalkPosition != myRunning.end() )
    {
        myWalkPositionErased = false;
        CTask* task = *myWalkPosition;
        if( !task->IsDead() && !( IsHolding() && task->PausesWhenInactive() ) )
            task->Update();
        // When the task left the list, the position already moved on.
        if( !myWalkPositionErased )
            ++myWalkPosition;
    }
    myWalking = false;
}

void CTaskManager::InsertRunning( CTask* task )
{
    // Before the first task that does not come before the new one, so a task
    // inserted later goes before existing tasks of equal priority.
    auto position = myRunning.begin();
    while( position != myRunning.end() && ( *position )->LessThan( *task ) )
        ++position;
    myRunning.insert( position, task );
}

std::list<CTask*>::iterator CTaskManager::EraseRunning( std::list<CTask*>::iterator position )
{
    const bool erasingWalkPosition = myWalking && position == myWalkPosition;
    const auto next = myRunning.erase( position );
    if( erasingWalkPosition )
    {
        myWalkPosition = next;
        myWalkPositionErased = true;
    }
    return next;
}

} // namespace tarn
