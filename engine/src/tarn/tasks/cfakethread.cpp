#include "tarn/tasks/cfakethread.h"

#include "tarn/tasks/ctaskmanager.h"

namespace tarn {

CFakeThread::CFakeThread() = default;

CFakeThread::~CFakeThread() = default;

bool CFakeThread::LessThan( const CFakeThread& other ) const
{
    if( other.myDead )
        return true;
    if( myDead )
        return false;
    if( other.myPaused )
        return true;
    if( myPaused )
        return false;
    return other.Remaining() < Remaining();
}

void CFakeThread::Start()
{
    if( !myPaused )
        return;
    myPaused = false;
    myTimer.Reset();
    myTimer.Resume();
}

void CFakeThread::Kill()
{
    myPaused = true;
    myDead = true;
}

types::ticks CFakeThread::Remaining() const
{
    return myNextRun - myTimer.GetTime();
}

bool CFakeThread::IsDue() const
{
    return !myPaused && myTimer.GetTime() >= myNextRun;
}

void CFakeThread::RunSlice()
{
    Run();
    myNextRun = myTimer.GetTime() + myInterval;
}

CFakeThread* CFakeThreadRunner::Add( std::unique_ptr<CFakeThread> thread )
{
    CFakeThread* added = thread.get();
    myThreads.push_back( std::move( thread ) );
    return added;
}

void CFakeThreadRunner::Run( types::ticks budget )
{
    const CTimer elapsed;
    do
    {
        if( !Walk( budget, elapsed ) )
            return;
    } while( elapsed.GetTime() < budget );
}

bool CFakeThreadRunner::Walk( types::ticks budget, const CTimer& elapsed )
{
    auto it = myThreads.begin();
    while( it != myThreads.end() )
    {
        CFakeThread* thread = it->get();
        if( thread->IsDead() )
        {
            it = myThreads.erase( it );
            if( it == myThreads.end() )
                return false;
            continue;
        }
        if( !thread->IsDue() )
            return true;

        thread->RunSlice();
        if( thread->IsDead() )
        {
            it = myThreads.erase( it );
            if( it == myThreads.end() )
                return false;
            if( elapsed.GetTime() < budget )
                it = myThreads.begin();
            continue;
        }
        if( elapsed.GetTime() >= budget )
            ++it;
        else
            it = myThreads.begin();
    }
    return true;
}

CFakeThread* StartFakeThread( std::unique_ptr<CFakeThread> thread )
{
    return CTaskManager::GetSingletonPtr()->GetFakeThreads().Add( std::move( thread ) );
}

void RunFakeThreads( types::ticks budget )
{
    CTaskManager::GetSingletonPtr()->GetFakeThreads().Run( budget );
}

void DeleteAllFakeThreads()
{
    if( CTaskManager::HasSingleton() )
        CTaskManager::GetSingletonPtr()->GetFakeThreads().Clear();
}

} // namespace tarn
