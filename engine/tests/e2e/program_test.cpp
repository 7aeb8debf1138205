// The real horror program, started in a scratch working directory with a
// start-up script of our own, as a game author would run it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <cstdlib>
#include <string>
#include <vector>

#include "e2e/programrun.h"
#include "support/testsupport.h"

using namespace tarn;
using test::CRunResult;
using test::Contains;
using test::RunProgram;
using test::ShippedGame;
using Strings = std::vector<std::string>;

namespace {

// The tasks that draw, over a window of 64x48, in a folder with a data/.
const char* const DRAWING_TASKS = "taskload( sdl )\n"
                                  "starttask( window, Window, 10, 64, 48 )\n"
                                  "starttask( event, Event, 20 )\n"
                                  "starttask( gfx, Gfx, 60 )\n"
                                  "starttask( debug, Debug, 80 )\n";

} // namespace

TEST( Program, StartedInTheWrongFolderItSaysWhatIsMissing )
{
    const std::string dir = test::MakeTempDir( "empty" );
    CRunResult run = RunProgram( dir );
    EXPECT_EQ( run.exitCode, 0 );
    EXPECT_LT( run.seconds, 5.0 );
    EXPECT_EQ( run.errors, "No autoexec.txt in " + dir +
                               ": the start-up script that starts the game is expected there; nothing to run.\n" );

    test::WriteFile( dir + "/autoexec.txt", "quit\n" );
    run = RunProgram( dir );
    EXPECT_EQ( run.exitCode, 0 );
    EXPECT_EQ( run.errors,
               "No data/ folder in " + dir + ": the game's pictures, sounds and levels are expected there.\n" );
}

TEST( Program, AVideoDriverThatCannotStartEndsItWithTheReason )
{
    const std::string dir = test::MakeTempDir( "novideo" );
    std::filesystem::create_directory( dir + "/data" );
    test::WriteFile( dir + "/autoexec.txt", std::string( DRAWING_TASKS ) + "starttask( game, Game, 50 )\n" );
    const CRunResult run = RunProgram( dir, 30, "SDL_VIDEODRIVER=nosuchdriver" );
    EXPECT_EQ( run.exitCode, 1 ) << "no signal, a failure";
    EXPECT_EQ( run.errors, "Cannot start the video: No available video device\n" );
    const std::string log = test::ReadFile( dir + "/log.txt" );
    EXPECT_NE( log.find( "<!> Cannot start the video: No available video device" ), std::string::npos ) << log;
    EXPECT_NE( log.find( "Not starting the task Gfx: the program is ending on an error" ), std::string::npos );
}

TEST( Program, ScreenshotsNeverReplaceAFile )
{
    const std::string dir = test::MakeTempDir( "shots" );
    std::filesystem::create_directory( dir + "/data" );
    for( int i = 0; i < 1000; ++i )
    {
        char name[ 32 ];
        std::snprintf( name, sizeof( name ), "/screenshot_%03d.bmp", i );
        test::WriteFile( dir + name, std::to_string( i ) );
    }
    test::WriteFile( dir + "/autoexec.txt", std::string( DRAWING_TASKS ) +
                                                "Debug::Screenshot()\nDebug::Screenshot( \"\" )\nquit\n" );
    const CRunResult run = RunProgram( dir );
    EXPECT_EQ( run.exitCode, 0 );
    for( int i = 0; i < 1000; ++i )
    {
        char name[ 32 ];
        std::snprintf( name, sizeof( name ), "/screenshot_%03d.bmp", i );
        ASSERT_EQ( test::ReadFile( dir + name ), std::to_string( i ) ) << name;
    }
    EXPECT_TRUE( std::filesystem::file_size( dir + "/screenshot_1000.bmp" ) > 64 * 48 );
    EXPECT_TRUE( std::filesystem::file_size( dir + "/screenshot_1001.bmp" ) > 64 * 48 );
}

TEST( Program, StartupScriptRunsAndLogsWhatWentWrong )
{
    const std::string dir = test::MakeTempDir( "script" );
    test::WriteFile( dir + "/autoexec.txt",
                     "// what a game author might get wrong\n"
                     "kind = nosuchtype\n"
                     "who = \"ghost\"\n"
                     "starttask( kind, Thing, 5 )\n"
                     "load( \"more.txt\" )\n"
                     "pausetask( who ); stoptask( who )\n"
                     "quit\n"
                     "starttask( after, quit )\n" );
    // Saved on another system, with CR LF line ends.
    test::WriteFile( dir + "/more.txt", "resumetask( nobody )\r\nreached = kind\r\nstarttask( reached )\r\n" );

    const CRunResult run = RunProgram( dir );
    EXPECT_EQ( run.exitCode, 0 );

    const Strings log = test::SplitLines( test::ReadFile( dir + "/log.txt" ) );
    test::ExpectLogHeader( log );
    ASSERT_GE( log.size(), 5u );
    EXPECT_EQ( Strings( log.begin() + 5, log.end() ),
               ( Strings{ "( ) [ERROR] Trying to start a task nosuchtype that doesn't exist.",
                          "( ) [ERROR] Trying to resume a task nobody that doesn't exist.",
                          "( ) [ERROR] Trying to start a task nosuchtype that doesn't exist.",
                          "( ) [ERROR] Trying to pause a task ghost that doesn't exist.",
                          "( ) CTaskFactory::StopTask() called",
                          "( ) [ERROR] Trying to stop a task ghost that doesn't exist.",
                          "( ) [ERROR] Trying to start a task after that doesn't exist." } ) );
}

// Any task may be stopped from a script while the game runs: the rest run on
// (drawing nothing without a display) until the game quits.
class StoppedTask : public ::testing::TestWithParam<const char*>
{
};

TEST_P( StoppedTask, TheGameRunsOnWithoutIt )
{
    const std::string task = GetParam();
    const std::string dir =
        ShippedGame( "stop", "runlater( 1500, \"stoptask( " + task + " )\" )\nrunlater( 3500, \"quit\" )\n" );
    const CRunResult run = RunProgram( dir, 20 );
    EXPECT_EQ( run.exitCode, 0 ) << run.errors;
    EXPECT_LT( run.seconds, 10.0 );
    EXPECT_TRUE( Contains( test::ReadFile( dir + "/log.txt" ), "CTaskFactory::StopTask() called" ) );
}

INSTANTIATE_TEST_SUITE_P( EveryTask, StoppedTask,
                          ::testing::Values( "Window", "Event", "Gfx", "Audio", "UI", "Game", "Debug" ) );

TEST( Program, QuitSignalsEndTheGameWhateverTasksRun )
{
    for( const std::string signal : { "TERM", "INT", "HUP" } )
    {
        const std::string dir = ShippedGame( "signal" + signal, "runlater( 500, \"stoptask( Event )\" )\n" );
        const CRunResult run = RunProgram( dir, 2.5, "", signal );
        EXPECT_EQ( run.exitCode, 0 ) << signal;
        const std::string log = test::ReadFile( dir + "/log.txt" );
        EXPECT_TRUE( Contains( log, "CTaskFactory::StopTask() called" ) ) << signal;
    }
}
