// The main loop: order of updates, pause and resume, focus, quitting, lists
// changed from inside Update, runlater lines and timed tasks. Its fake
// threads run the game's delayed releases: horror/screens_test.cpp.
#include <csignal>

#include "tarn/tasks/ctaskmanager.h"
#include "tarn/tasks/quitsignals.h"
#include "tarn/utils/enginetime.h"
#include "tasks/taskstest.h"

using namespace tarn;
using test::Strings;

namespace {

// Writes what happens to it into a journal as "name:what".
struct CJournalTask final : CTask
{
    CJournalTask( const std::string& name, int priority, Strings* to, bool initResult, types::ticks interval ) :
        journal( to ), initWorks( initResult )
    {
        SetName( name );
        SetPriority( priority );
        SetInterval( interval );
    }
    using CTask::Init;
    bool Init() override
    {
        Note( "init" );
        return initWorks;
    }
    void Update() override
    {
        Note( "update" );
        if( onUpdate )
            onUpdate();
    }
    void Exit() override { Note( "exit" ); }
    void OnPause() override { Note( "pause" ); }
    void OnResume() override { Note( "resume" ); }
    bool PausesWhenInactive() const override { return pausesWhenInactive; }
    types::ticks TimeUntilDue() const override { return untilDue ? untilDue() : 0; }
    void Note( const std::string& what ) { journal->push_back( GetName() + ":" + what ); }

    Strings* journal;
    bool initWorks;
    bool pausesWhenInactive = false;
    std::function<void()> onUpdate;
    std::function<types::ticks()> untilDue;
};

class MainLoopTest : public test::TasksTest
{
protected:
    // A task made for the test, and given to the manager unless told not to.
    CJournalTask* Add( const std::string& name, int priority, bool init = true, types::ticks interval = 0,
                       bool add = true )
    {
        tasks.push_back( std::make_unique<CJournalTask>( name, priority, &journal, init, interval ) );
        if( add )
            manager->AddTask( tasks.back().get() );
        return tasks.back().get();
    }
    // The running tasks; "TimedTasks" runs the timed ones.
    Strings Running() const
    {
        Strings names;
        for( CTask* task : manager->GetRunningTasks() )
            names.push_back( task->GetName() );
        return names;
    }
    Strings Pass()
    {
        journal.clear();
        manager->RunOnce();
        return journal;
    }

    CTaskManager* const manager = CTaskManager::GetSingletonPtr();
    Strings journal;
    std::vector<std::unique_ptr<CJournalTask>> tasks;
};

} // namespace

TEST_F( MainLoopTest, RunsByPriorityAndPausedTasksComeBackInPlace )
{
    CJournalTask* b = Add( "b", 20 );
    Add( "a", 10 );
    Add( "c", 10 );
    Add( "z", -5 );
    CJournalTask* lazy = Add( "lazy", 0, false );
    EXPECT_EQ( Pass(), ( Strings{ "z:update", "c:update", "a:update", "b:update" } ) )
        << "later added first; a task whose Init failed waits paused";
    manager->PauseTask( b );
    EXPECT_EQ( Pass(), ( Strings{ "z:update", "c:update", "a:update" } ) );
    journal.clear();
    manager->ResumeTask( b );
    manager->ResumeTask( b );
    manager->ResumeTask( lazy );
    manager->PauseTask( Add( "stranger", 1, true, 0, false ) );
    EXPECT_EQ( journal, ( Strings{ "b:resume", "lazy:resume" } ) ) << "no new Init; no word to a running task";
    EXPECT_EQ( Running(), ( Strings{ "z", "lazy", "c", "a", "b" } ) );
}

TEST_F( MainLoopTest, FocusPausesOnlyTasksThatAskAndResumesExactlyThose )
{
    Add( "game", 5 )->pausesWhenInactive = true;
    Add( "gfx", 1 );
    CJournalTask* other = Add( "other", 9 );
    other->pausesWhenInactive = true;
    manager->PauseTask( other );
    CInputDispatcher::GetSingletonPtr()->NotifyActivate( false );
    EXPECT_FALSE( manager->IsActive() );
    const types::ticks gameTime = GameTime();
    clock->Advance( 5000 );
    EXPECT_EQ( Pass(), Strings{ "gfx:update" } );
    CInputDispatcher::GetSingletonPtr()->NotifyActivate( true );
    EXPECT_TRUE( manager->IsActive() );
    EXPECT_EQ( GameTime(), gameTime ) << "the game's time stood still";
    EXPECT_EQ( Running(), ( Strings{ "gfx", "game" } ) ) << "what was paused before stays paused";
}

TEST_F( MainLoopTest, QuitSignalsAndFaultsEndTheLoop )
{
    Add( "a", 1 );
    Add( "b", 2 );
    manager->RequestQuit();
    EXPECT_EQ( manager->Run(), 0 );
    EXPECT_EQ( journal, ( Strings{ "a:init", "b:init", "a:update", "b:update", "a:exit", "b:exit" } ) );
    EXPECT_TRUE( Running().empty() );
    InstallQuitSignalHandlers();
    for( const int signal : { SIGTERM, SIGINT, SIGHUP } )
    {
        Add( "c", 3 );
        std::raise( signal );
        journal.clear();
        EXPECT_EQ( manager->Run(), 0 );
        EXPECT_EQ( journal, ( Strings{ "c:update", "c:exit" } ) ) << "signal " << signal;
        std::signal( signal, SIG_DFL );
    }
    // A fault ends the loop before its next pass and starts no more tasks.
    Add( "d", 4 );
    test::CLogCapture log;
    manager->RequestQuitOnError( "Cannot start the video: no display" );
    EXPECT_EQ( Run( "starttask( keyboard, Keys, 5 )" ), "failed to start keyboard" );
    journal.clear();
    EXPECT_EQ( manager->Run(), 1 );
    EXPECT_EQ( journal, Strings{ "d:exit" } );
    EXPECT_EQ( log.Lines(), ( Strings{ "Cannot start the video: no display",
                                        "Not starting the task Keys: the program is ending on an error" } ) );
}

TEST_F( MainLoopTest, TasksMayLeaveOrJoinTheListDuringAPass )
{
    CJournalTask* a = Add( "a", 1 );
    CJournalTask* b = Add( "b", 2 );
    CJournalTask* c = Add( "c", 3 );
    CJournalTask* late = Add( "late", 4, true, 0, false );
    // b pauses itself and a task joins behind: the walk goes on to c and to it.
    b->onUpdate = [ & ] {
        manager->PauseTask( b );
        manager->AddTask( late );
    };
    EXPECT_EQ( Pass(), ( Strings{ "a:update", "b:update", "b:pause", "late:init", "c:update", "late:update" } ) );
    // a pauses and kills tasks after it: the walk skips them; the killed one
    // exits at once, only once, and leaves at the next pass.
    b->onUpdate = nullptr;
    manager->ResumeTask( b );
    a->onUpdate = [ & ] {
        manager->PauseTask( b );
        manager->KillTask( c );
    };
    EXPECT_EQ( Pass(), ( Strings{ "a:update", "b:pause", "c:exit", "late:update" } ) );
    a->onUpdate = nullptr;
    manager->KillTask( c );
    EXPECT_EQ( Pass(), ( Strings{ "a:update", "late:update" } ) );
    EXPECT_EQ( Running(), ( Strings{ "a", "late" } ) );
}

// Lines of runlater run on their due tick, timed tasks after it. An empty
// queue of timed tasks does not keep the loop alive.
TEST_F( MainLoopTest, TimedWorkRunsOnTimeAndCatchesUp )
{
    EXPECT_TRUE( Running().empty() ) << "the timed tasks' runner waits for the first";
    manager->RunLater( 100, "later = 1" );
    CJournalTask* timed = Add( "timed", 1, true, 100 );
    EXPECT_EQ( Running(), Strings{ "TimedTasks" } );
    clock->Set( 1099 );
    EXPECT_TRUE( Pass().empty() );
    EXPECT_EQ( GetConsole()->GetVariable( "later" ), "" );
    clock->Set( 1100 );
    EXPECT_TRUE( Pass().empty() );
    EXPECT_EQ( GetConsole()->GetVariable( "later" ), "1" );
    clock->Set( 1101 );
    EXPECT_EQ( Pass(), Strings{ "timed:update" } );
    clock->Set( 1450 );
    EXPECT_EQ( Pass(), Strings( 3, "timed:update" ) ) << "due at 1200, 1300 and 1400";
    // Paused, it is not run; resumed, it is due one interval later.
    manager->PauseTask( timed );
    clock->Advance( 500 );
    EXPECT_TRUE( Pass().empty() );
    manager->ResumeTask( timed );
    clock->Advance( 100 );
    EXPECT_TRUE( Pass().empty() );
    clock->Advance( 1 );
    EXPECT_EQ( Pass(), Strings{ "timed:update" } );
    journal.clear();
    manager->KillTask( timed );
    manager->KillTask( timed );
    clock->Advance( 1000 );
    EXPECT_EQ( manager->Run(), 0 );
    EXPECT_EQ( journal, Strings{ "timed:exit" } ) << "once, and never run again";
    CJournalTask* lazy = Add( "lazy", 1, false, 20 );
    EXPECT_TRUE( Running().empty() ) << "one whose Init failed waits for its resume to wake the runner";
    manager->ResumeTask( lazy );
    clock->Advance( 21 );
    EXPECT_EQ( Pass(), Strings{ "lazy:update" } );
}

// With tasks_sleep_until_due the loop sleeps until the earliest task is due
// instead of passing again and again: work due every 30 ms runs on the
// millisecond in a handful of passes, a held task's work does not wake the
// loop, and however far off the work is, a pass (the event task polling for
// input) comes at least once a frame.
TEST_F( MainLoopTest, SleepingUntilDueRunsWorkOnTimeInFewPasses )
{
    manager->SleepUntilDue() = 1;
    const types::ticks start = clock->Now();
    std::vector<types::ticks> passes;
    CJournalTask* input = Add( "input", 1 );
    input->untilDue = [] { return CTask::NOTHING_DUE; };
    input->onUpdate = [ & ] {
        passes.push_back( clock->Now() );
        if( clock->Now() - start >= 100 || passes.size() > 200 )
            manager->RequestQuit();
    };
    types::ticks next = start + 30;
    std::vector<types::ticks> worked;
    CJournalTask* work = Add( "work", 2 );
    work->untilDue = [ & ] { return next > clock->Now() ? next - clock->Now() : 0; };
    work->onUpdate = [ & ] {
        if( clock->Now() < next )
            return;
        worked.push_back( clock->Now() - start );
        next += 30;
    };
    CJournalTask* held = Add( "held", 3 );
    held->pausesWhenInactive = true;
    manager->SetHolding( "menu", true );

    EXPECT_EQ( manager->Run(), 0 );
    EXPECT_EQ( worked, ( std::vector<types::ticks>{ 30, 60, 90 } ) );
    EXPECT_LE( passes.size(), 10u ) << "a loop resting 1 ms makes a hundred";
    for( std::size_t i = 1; i < passes.size(); ++i )
        EXPECT_LE( passes[ i ] - passes[ i - 1 ], CTaskManager::MAX_SLEEP ) << "pass " << i;
    manager->SetHolding( "menu", false );
}
