// The main loop's task lists: order of updates, pause and resume, focus,
// killing, quitting, and tasks that change the lists from inside Update.
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/testsupport.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/tasks/capplication.h"
#include "tarn/tasks/ctask.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/tasks/quitsignals.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/console/cconsole.h"

using namespace tarn;
using Strings = std::vector<std::string>;

namespace {

// A task that writes what happens to it into a shared journal.
class CJournalTask final : public CTask
{
public:
    CJournalTask( const std::string& name, int priority, Strings* journal, bool initResult = true ) :
        myJournal( journal ), myInitResult( initResult )
    {
        SetName( name );
        SetPriority( priority );
    }

    using CTask::Init;
    bool Init() override
    {
        Note( "init" );
        return myInitResult;
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

    std::function<void()> onUpdate;
    bool pausesWhenInactive = false;

private:
    void Note( const std::string& what ) { myJournal->push_back( GetName() + ":" + what ); }

    Strings* myJournal;
    bool myInitResult;
};

class TaskManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        manager = CTaskManager::GetSingletonPtr();
    }
    void TearDown() override { test::ResetEngine(); }

    CJournalTask* Make( const std::string& name, int priority, bool initResult = true )
    {
        tasks.push_back( std::make_unique<CJournalTask>( name, priority, &journal, initResult ) );
        return tasks.back().get();
    }

    // Names of the running tasks, front to back.
    Strings Running() const
    {
        Strings names;
        for( CTask* task : manager->GetRunningTasks() )
            names.push_back( task->GetName() );
        return names;
    }

    // Runs one pass and returns what it did.
    Strings Pass()
    {
        journal.clear();
        manager->RunOnce();
        return journal;
    }

    test::CManualClock clock;
    Strings journal;
    std::vector<std::unique_ptr<CJournalTask>> tasks;
    CTaskManager* manager = nullptr;
};

} // namespace

TEST_F( TaskManagerTest, RunsInPriorityOrderLaterAddedFirstAmongEquals )
{
    manager->AddTask( Make( "b", 20 ) );
    manager->AddTask( Make( "a", 10 ) );
    manager->AddTask( Make( "c", 20 ) );
    manager->AddTask( Make( "z", -5 ) );
    EXPECT_EQ( Running(), ( Strings{ "z", "a", "c", "b" } ) );
    EXPECT_EQ( Pass(), ( Strings{ "z:update", "a:update", "c:update", "b:update" } ) );
}

TEST_F( TaskManagerTest, FailedInitWaitsPausedAndResumesWithoutNewInit )
{
    CJournalTask* lazy = Make( "lazy", 10, false );
    manager->AddTask( lazy );
    EXPECT_TRUE( Running().empty() );
    // The only task is paused: the loop has nothing to run and ends.
    EXPECT_EQ( manager->Run(), 0 );

    journal.clear();
    manager->ResumeTask( lazy );
    EXPECT_EQ( journal, ( Strings{ "lazy:resume" } ) );
    EXPECT_EQ( Running(), ( Strings{ "lazy" } ) );
}

TEST_F( TaskManagerTest, PauseAndResumeKeepPriorityOrder )
{
    CJournalTask* a = Make( "a", 1 );
    CJournalTask* b = Make( "b", 2 );
    CJournalTask* c = Make( "c", 3 );
    for( CJournalTask* t : { a, b, c } )
        manager->AddTask( t );

    manager->PauseTask( b );
    EXPECT_EQ( Pass(), ( Strings{ "a:update", "c:update" } ) );
    manager->ResumeTask( b );
    EXPECT_EQ( Running(), ( Strings{ "a", "b", "c" } ) );

    // Pausing or resuming a task the manager does not hold changes nothing.
    journal.clear();
    manager->ResumeTask( a );
    manager->PauseTask( Make( "stranger", 1 ) );
    EXPECT_TRUE( journal.empty() );
    EXPECT_EQ( Running(), ( Strings{ "a", "b", "c" } ) );
}

TEST_F( TaskManagerTest, FocusPausesOnlyTasksThatAskAndResumesExactlyThose )
{
    CJournalTask* game = Make( "game", 5 );
    game->pausesWhenInactive = true;
    CJournalTask* gfx = Make( "gfx", 1 );
    CJournalTask* other = Make( "other", 9 );
    other->pausesWhenInactive = true;
    manager->AddTask( game );
    manager->AddTask( gfx );
    manager->AddTask( other );
    manager->PauseTask( other );

    CInputDispatcher::GetSingletonPtr()->NotifyActivate( false );
    EXPECT_FALSE( manager->IsActive() );
    EXPECT_EQ( Running(), ( Strings{ "gfx" } ) );
    EXPECT_EQ( Pass(), ( Strings{ "gfx:update" } ) );

    CInputDispatcher::GetSingletonPtr()->NotifyActivate( true );
    EXPECT_TRUE( manager->IsActive() );
    // The task that was paused before focus went stays paused.
    EXPECT_EQ( Running(), ( Strings{ "gfx", "game" } ) );
}

TEST_F( TaskManagerTest, KilledTaskExitsOnceAndLeavesAtTheNextPass )
{
    CJournalTask* a = Make( "a", 1 );
    CJournalTask* b = Make( "b", 2 );
    manager->AddTask( a );
    manager->AddTask( b );
    a->onUpdate = [ & ] { manager->KillTask( b ); };

    EXPECT_EQ( Pass(), ( Strings{ "a:update", "b:exit" } ) );
    manager->KillTask( b );
    EXPECT_EQ( Pass(), ( Strings{ "a:update" } ) );
    EXPECT_EQ( Running(), ( Strings{ "a" } ) );
}

TEST_F( TaskManagerTest, QuitUpdatesEveryTaskOnceThenKillsThemAll )
{
    manager->AddTask( Make( "a", 1 ) );
    manager->AddTask( Make( "b", 2 ) );
    manager->RequestQuit();
    journal.clear();
    EXPECT_EQ( manager->Run(), 0 );
    EXPECT_EQ( journal, ( Strings{ "a:update", "b:update", "a:exit", "b:exit" } ) );
    EXPECT_TRUE( Running().empty() );

    // A quit signal ends the loop the same way, whatever tasks run.
    InstallQuitSignalHandlers();
    for( const int signal : { SIGTERM, SIGINT, SIGHUP } )
    {
        manager->AddTask( Make( "c", 3 ) );
        std::raise( signal );
        journal.clear();
        EXPECT_EQ( manager->Run(), 0 );
        EXPECT_EQ( journal, ( Strings{ "c:update", "c:exit" } ) ) << "signal " << signal;
    }
    for( const int signal : { SIGTERM, SIGINT, SIGHUP } )
        std::signal( signal, SIG_DFL );
}

TEST_F( TaskManagerTest, AFaultEndsTheLoopBeforeItsNextPassAndStartsNoMoreTasks )
{
    manager->AddTask( Make( "a", 1 ) );
    test::CLogCapture log;
    manager->RequestQuitOnError( "Cannot start the video: no display" );
    EXPECT_EQ( GetConsole()->Execute( "starttask( keyboard, Keys, 5 )" ), "failed to start keyboard" );
    journal.clear();
    EXPECT_EQ( manager->Run(), 1 );
    EXPECT_EQ( journal, ( Strings{ "a:exit" } ) );
    EXPECT_EQ( log.Lines(), ( Strings{ "Cannot start the video: no display",
                                        "Not starting the task Keys: the program is ending on an error" } ) );
}

TEST_F( TaskManagerTest, TasksMayLeaveOrJoinTheListDuringAPass )
{
    CJournalTask* a = Make( "a", 1 );
    CJournalTask* b = Make( "b", 2 );
    CJournalTask* c = Make( "c", 3 );
    CJournalTask* late = Make( "late", 4 );
    for( CJournalTask* t : { a, b, c } )
        manager->AddTask( t );

    // b pauses itself, then c joins behind it: the walk goes on to c and to
    // the task that joined behind the current position.
    b->onUpdate = [ & ] {
        manager->PauseTask( b );
        manager->AddTask( late );
    };
    EXPECT_EQ( Pass(), ( Strings{ "a:update", "b:update", "b:pause", "late:init", "c:update", "late:update" } ) );

    // a pauses the task after it: the walk skips it.
    b->onUpdate = nullptr;
    manager->ResumeTask( b );
    a->onUpdate = [ & ] { manager->PauseTask( b ); };
    EXPECT_EQ( Pass(), ( Strings{ "a:update", "b:pause", "c:update", "late:update" } ) );
}

TEST( MainLoopRest, StartUpScriptSetsTheSleepAfterEveryPass )
{
    test::ResetEngine();
    const std::string dir = test::MakeTempDir( "rest" );
    test::WriteFile( dir + "/start.txt", "tasks_pass_sleep_ms = 3\n" );
    {
        CApplication application( dir + "/start.txt" );
        EXPECT_EQ( CTaskManager::GetSingletonPtr()->PassSleep(), 3 );
    }
    test::ResetEngine();
}
