#include "tarn/tasks/cfakethread.h"

#include <list>
#include <memory>

namespace tarn {

namespace {

using ThreadList = std::list<CFakeThread*>;

std::unique_ptr<ThreadList>& Threads()
{
    static std::unique_ptr<ThreadList> threads;
    return threads;
}

} // namespace

CFakeThread::CFakeThread()
{
    if( !Threads() )
        Threads() = std::make_unique<ThreadList>();
    Threads()->push_back( this );
}

CFakeThread::~CFakeThread()
{
    if( Threads() )
        Threads()->remove( this );
}

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

namespace {

// One walk over the list; returns false when RunFakeThreads should stop.
bool WalkFakeThreads( types::ticks budget, const CTimer& elapsed )
{
    ThreadList& threads = *Threads();
    auto it = threads.begin();
    while( it != threads.end() )
    {
        CFakeThread* thread = *it;
        if( thread->IsDead() )
        {
            ++it;
            delete thread;
            if( it == threads.end() )
                return false;
            continue;
        }
        if( !thread->IsDue() )
            return true;

        thread->RunSlice();
        if( thread->IsDead() )
        {
            ++it;
            delete thread;
            if( it == threads.end() )
                return false;
            if( elapsed.GetTime() < budget )
                it = threads.begin();
            continue;
        }
        if( elapsed.GetTime() >= budget )
            ++it;
        else
            it = threads.begin();
    }
    return true;
}

} // namespace

bool CFakeThread::IsDue() const
{
    return !myPaused && myTimer.GetTime() >= myNextRun;
}

void CFakeThread::RunSlice()
{
    Run();
    myNextRun = myTimer.GetTime() + myInterval;
}

void RunFakeThreads( types::ticks budget )
{
    if( !Threads() )
        return;

    const CTimer elapsed;
    do
    {
        if( !WalkFakeThreads( budget, elapsed ) )
            return;
    } while( elapsed.GetTime() < budget );
}

void DeleteAllFakeThreads()
{
    while( Threads() && !Threads()->empty() )
        delete Threads()->front();
}

} // namespace tarn
