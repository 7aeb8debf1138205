// The commands every script has in the main console, with their result texts
// and the task factory's log lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "support/testsupport.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/tasks/ctask.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/canycontainer.h"

using namespace tarn;
using Strings = std::vector<std::string>;

namespace {

// What the last created probe task saw.
struct CProbeRecord
{
    Strings initParameters;
    Strings commands;
    int exits = 0;
};
CProbeRecord gProbe;

class CProbeTask final : public CTask
{
public:
    using CTask::Init;
    bool Init( CAnyContainer* parameters ) override
    {
        gProbe.initParameters.clear();
        for( std::size_t i = 0; parameters && i < parameters->Size(); ++i )
            gProbe.initParameters.push_back( parameters->GetString( i ) );
        return true;
    }
    void Exit() override { ++gProbe.exits; }
    bool HandleCommand( const std::string& command ) override
    {
        gProbe.commands.push_back( command );
        return true;
    }
};

class BasicCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        gProbe = CProbeRecord();
        CTaskFactory::GetSingletonPtr()->RegisterTaskType( "probe", [] { return std::make_unique<CProbeTask>(); } );
        log = std::make_unique<test::CLogCapture>();
    }
    void TearDown() override
    {
        log.reset();
        test::ResetEngine();
    }

    std::string Run( const std::string& line ) { return GetConsole()->Execute( line ); }

    CTask* Task( const std::string& name ) { return CTaskFactory::GetSingletonPtr()->FindTask( name ); }

    std::unique_ptr<test::CLogCapture> log;
};

} // namespace

TEST_F( BasicCommandsTest, UsageMessagesWithoutUsableArguments )
{
    EXPECT_EQ( Run( "load" ), "Error: Load() You need to give a filename as a parameter." );
    EXPECT_EQ( Run( "taskload( 3 )" ), "Error: TaskLoad() You need to give a task library name as a parameter." );
    EXPECT_EQ( Run( "starttask" ), "Error: StartTask( tasktype, taskname, priority ) requires atleast one parameter." );
    EXPECT_EQ( Run( "starttask( 5 )" ), Run( "starttask()" ) );
    EXPECT_EQ( Run( "pausetask" ), "Error: PauseTask( taskname ) requires atleast one parameter." );
    EXPECT_EQ( Run( "resumetask()" ), "Error: ResumeTask( taskname ) requires atleast one parameter." );
    EXPECT_EQ( Run( "stoptask( 1 )" ), "Error: StopTask( taskname ) requires atleast one parameter." );
}

TEST_F( BasicCommandsTest, StartTaskNamesAndPriorities )
{
    EXPECT_EQ( Run( "starttask( probe )" ), "probe started" );
    ASSERT_NE( Task( "probe" ), nullptr );
    EXPECT_EQ( Task( "probe" )->GetPriority(), 100 );

    EXPECT_EQ( Run( "starttask( probe, Debug, 50, 1 )" ), "probe started" );
    EXPECT_EQ( Task( "Debug" )->GetPriority(), 50 );
    EXPECT_EQ( gProbe.initParameters, ( Strings{ "1" } ) );

    EXPECT_EQ( Run( "STARTTASK( probe, 10.9, \"rest\", 2 )" ), "probe started" );
    EXPECT_EQ( Task( "probe" )->GetPriority(), 10 );
    EXPECT_EQ( gProbe.initParameters, ( Strings{ "rest", "2" } ) );

    // A priority beyond the int range is held at its end, not undefined.
    Run( "starttask( probe, Far, -99999999999999 )" );
    EXPECT_EQ( Task( "Far" )->GetPriority(), std::numeric_limits<int>::min() );

    EXPECT_EQ( Run( "starttask( nosuchtype, X )" ), "failed to start nosuchtype" );
    EXPECT_TRUE( log->Contains( "[ERROR] Trying to start a task nosuchtype that doesn't exist." ) );
}

TEST_F( BasicCommandsTest, PauseResumeStopByName )
{
    Run( "starttask( probe, P, 5 )" );
    CTask* probe = Task( "P" );
    const auto& running = CTaskManager::GetSingletonPtr()->GetRunningTasks();

    EXPECT_EQ( Run( "pausetask( P )" ), "" );
    EXPECT_EQ( std::count( running.begin(), running.end(), probe ), 0 );
    EXPECT_EQ( Run( "resumetask( \"P\" )" ), "" );
    EXPECT_EQ( std::count( running.begin(), running.end(), probe ), 1 );

    EXPECT_EQ( Run( "stoptask( P )" ), "" );
    EXPECT_EQ( Run( "stoptask( P )" ), "" );
    EXPECT_EQ( gProbe.exits, 1 );
    EXPECT_EQ( Task( "P" ), probe ) << "a stopped task stays known by name";

    Run( "pausetask( nosuchtask ); resumetask( ghost ); stoptask( none )" );
    EXPECT_TRUE( log->Contains( "[ERROR] Trying to pause a task nosuchtask that doesn't exist." ) );
    EXPECT_TRUE( log->Contains( "[ERROR] Trying to resume a task ghost that doesn't exist." ) );
    EXPECT_TRUE( log->Contains( "CTaskFactory::StopTask() called" ) );
    EXPECT_TRUE( log->Contains( "[ERROR] Trying to stop a task none that doesn't exist." ) );
}

TEST_F( BasicCommandsTest, NamespaceCallsReachTheTaskByExactName )
{
    Run( "starttask( probe, Audio )" );
    EXPECT_EQ( Run( "Audio::PlayEffect( \"x.wav\" );" ), "\n" );
    EXPECT_EQ( gProbe.commands, ( Strings{ "PlayEffect( \"x.wav\" )" } ) );

    EXPECT_EQ( Run( "audio::PlayEffect()" ), "No namespace named space\n" );
    EXPECT_TRUE( log->Contains( "[ERROR] Sorry the namespace or task audio doesn't exist." ) );
}

TEST_F( BasicCommandsTest, RunLaterRunsALineOnceItsTimeHasCome )
{
    test::CManualClock clock( 1000 );
    Run( "starttask( probe, P, 5 )" );
    EXPECT_EQ( Run( "runlater( 100, \"stoptask( P )\" )" ), "" );
    Run( "runlater( 50, \"P::Hello\" )" );
    EXPECT_EQ( Run( "runlater( \"P::Hello\" )" ),
               "Error: RunLater( milliseconds, line ) needs the milliseconds to wait and the line to run." );
    EXPECT_EQ( Run( "runlater( -5, \"quit\" )" ), Run( "runlater( 5 )" ) );

    CTaskManager* manager = CTaskManager::GetSingletonPtr();
    manager->RunOnce();
    EXPECT_TRUE( gProbe.commands.empty() );
    clock.Advance( 50 );
    manager->RunOnce();
    EXPECT_EQ( gProbe.commands, ( Strings{ "Hello" } ) );
    EXPECT_EQ( gProbe.exits, 0 );
    clock.Advance( 50 );
    manager->RunOnce();
    EXPECT_EQ( gProbe.exits, 1 );
}

TEST_F( BasicCommandsTest, QuitAndTaskLoad )
{
    EXPECT_EQ( Run( "quit" ), "bye bye" );
    EXPECT_EQ( Run( "quit( 1 )" ), "bye bye" );
    EXPECT_TRUE( CTaskManager::GetSingletonPtr()->IsQuitRequested() );

    EXPECT_EQ( Run( "taskload( sdl )" ), "" );
    EXPECT_EQ( Run( "taskload( sdl )" ), "" );
    EXPECT_EQ( Run( "taskload( nosuchlibrary )" ), "" );
    EXPECT_TRUE( log->Lines().empty() );
}

TEST_F( BasicCommandsTest, BasicCommandsLiveInTheMainConsoleOnly )
{
    std::unique_ptr<CConsole> taskConsole = CreateConsole();
    EXPECT_EQ( taskConsole->Execute( "quit" ), "quit" );
    EXPECT_FALSE( CTaskManager::GetSingletonPtr()->IsQuitRequested() );
}

TEST_F( BasicCommandsTest, LoadRunsAFileInTheMainConsole )
{
    const std::string dir = test::MakeTempDir( "basic_load" );
    test::WriteFile( dir + "/inner.txt", "loaded = yes\r\n" );
    EXPECT_EQ( Run( "load( \"" + dir + "/inner.txt\" )" ), "" );
    EXPECT_EQ( GetConsole()->GetVariable( "loaded" ), "yes" );
}

TEST_F( BasicCommandsTest, SameTaskNameTwiceKeepsBothTasksAlive )
{
    Run( "starttask( probe, Twin, 1 )" );
    CTask* first = Task( "Twin" );
    Run( "starttask( probe, Twin, 2 )" );
    CTask* second = Task( "Twin" );
    EXPECT_NE( first, second );
    // The first one is still in the running list and must still be usable.
    CTaskManager::GetSingletonPtr()->RunOnce();
    EXPECT_EQ( first->GetPriority(), 1 );
}
