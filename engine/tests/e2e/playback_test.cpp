// Playing back recorded mouse input in the real horror program: the shipped
// start-up script with the debug task, and the committed recordings that
// answer the title's questions (engine/tests/data/records).
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "support/testsupport.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/tasks/cplaybackmouse.h"
#include "tarn/utils/enginetime.h"
#include "tarn/utils/rect.h"

using namespace tarn;
using Strings = std::vector<std::string>;

namespace {

const std::string RECORDS = std::string( TARN_SOURCE_DIR ) + "/engine/tests/data/records/";
const std::string FIRST_LEVEL = "data/levels/level_01.xml";
const char* const MOTION_LINE =
    "CPlaybackMouse::CPlayback::DoTheMagic() - HelperPlayback doesn't work properly with delta";

// Where the question screen puts its buttons.
const types::rect YES_BUTTON{ 176, 363, 72, 42 };
const types::rect NO_BUTTON{ 495, 363, 56, 31 };
const types::rect CONTINUE_BUTTON{ 295, 348, 150, 35 };

struct CRunResult
{
    int exitCode = -1;
    bool stoppedByUs = false;
    Strings log;
};

// A scratch folder in which the program finds the game's data and a start-up
// script that runs the shipped one and then plays back a recording.
std::string MakeGameDir( const std::string& name, const std::string& record )
{
    const std::string dir = test::MakeTempDir( name );
    std::filesystem::create_directory_symlink( std::string( TARN_SOURCE_DIR ) + "/data", dir + "/data" );
    test::WriteFile( dir + "/autoexec.txt", "load( \"" TARN_SOURCE_DIR "/autoexec.txt\" )\n"
                                            "Debug::PlaybackInput( \"" + record + "\" )\n" );
    return dir;
}

// Runs the program in dir until it ends by itself or the log satisfies
// enough; then it is asked to quit as Ctrl+C would. A program still running
// after timeoutSeconds is asked too, and killed when it does not listen.
CRunResult RunUntil( const std::string& dir, const std::function<bool( const Strings& )>& enough,
                     double timeoutSeconds )
{
    CRunResult result;
    const pid_t pid = test::StartProgram( dir );
    if( pid < 0 )
        return result;

    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::duration<double>( timeoutSeconds );
    int status = 0;
    bool ended = false;
    while( !ended )
    {
        ended = waitpid( pid, &status, WNOHANG ) == pid;
        if( ended )
            break;
        const Strings log = test::SplitLines( test::ReadFile( dir + "/log.txt" ) );
        if( enough( log ) || Clock::now() > deadline )
        {
            result.stoppedByUs = true;
            kill( pid, SIGTERM );
            const auto grace = Clock::now() + std::chrono::seconds( 10 );
            while( !( ended = waitpid( pid, &status, WNOHANG ) == pid ) && Clock::now() < grace )
                std::this_thread::sleep_for( std::chrono::milliseconds( 50 ) );
            if( !ended )
            {
                kill( pid, SIGKILL );
                waitpid( pid, &status, 0 );
                ended = true;
            }
            break;
        }
        std::this_thread::sleep_for( std::chrono::milliseconds( 100 ) );
    }
    result.exitCode = WIFEXITED( status ) ? WEXITSTATUS( status ) : -1;
    result.log = test::SplitLines( test::ReadFile( dir + "/log.txt" ) );
    return result;
}

std::size_t CountLines( const Strings& log, const std::string& text )
{
    return std::count_if( log.begin(), log.end(),
                          [ & ]( const std::string& line ) { return line.find( text ) != std::string::npos; } );
}

// The level-load line of the first level, loaded or not.
bool AsksForFirstLevel( const Strings& log )
{
    return std::any_of( log.begin(), log.end(), [ & ]( const std::string& line ) {
        const bool levelLine = line.find( "Level loaded: " ) != std::string::npos ||
                               line.find( "Could not read" ) != std::string::npos;
        return levelLine && line.size() >= FIRST_LEVEL.size() &&
               line.compare( line.size() - FIRST_LEVEL.size(), FIRST_LEVEL.size(), FIRST_LEVEL ) == 0;
    } );
}

bool LoadsAnyLevel( const Strings& log )
{
    return CountLines( log, "Level loaded: " ) + CountLines( log, "level file" ) > 0;
}

// Where each left-button release of a recording happens, by the pointer's
// last recorded position.
class CReleaseTracker final : public CMouseListener
{
public:
    void OnMouseMove( int x, int y ) override
    {
        myX = x;
        myY = y;
    }
    void OnMouseMoveRelative( int, int ) override {}
    void OnButtonDown( int ) override {}
    void OnButtonUp( int button ) override
    {
        if( button == MOUSE_BUTTON_LEFT )
            releases.push_back( types::rect{ myX, myY, 1, 1 } );
    }

    std::vector<types::rect> releases;

private:
    int myX = 0;
    int myY = 0;
};

bool Inside( const types::rect& point, const types::rect& area )
{
    return point.x >= area.x && point.x < area.x + area.w && point.y >= area.y && point.y < area.y + area.h;
}

// Real time far beyond any recording: the player delivers one event a step.
class CLateRealTicks final : public CTimeSource
{
public:
    types::ticks GetTicks() override { return 1000000; }
};

// Every event of a committed recording, delivered in-process.
std::vector<types::rect> Releases( const std::string& record, Strings& problems )
{
    test::ResetEngine();
    test::CManualClock clock( 0 );
    test::CLogCapture log;
    CReleaseTracker tracker;
    CInputDispatcher::GetSingletonPtr()->AddMouseListener( &tracker );
    {
        CPlaybackMouse player( RECORDS + record, std::make_shared<CLateRealTicks>() );
        while( !player.GetQueue().empty() )
            player.Step();
    }
    CInputDispatcher::GetSingletonPtr()->RemoveMouseListener( &tracker );
    for( const std::string& line : log.Lines() )
    {
        if( line != MOTION_LINE )
            problems.push_back( line );
    }
    test::ResetEngine();
    return tracker.releases;
}

} // namespace

TEST( Recordings, AnsweringYesClicksYesThreeTimesThenContinueTwice )
{
    Strings problems;
    const std::vector<types::rect> releases = Releases( "answer_yes.txt", problems );
    EXPECT_EQ( problems, Strings{} );
    ASSERT_EQ( releases.size(), 6u ) << "one to end the title, five on the question screen";
    for( int i = 1; i <= 3; ++i )
        EXPECT_TRUE( Inside( releases[ i ], YES_BUTTON ) ) << i;
    for( int i = 4; i <= 5; ++i )
        EXPECT_TRUE( Inside( releases[ i ], CONTINUE_BUTTON ) ) << i;
}

TEST( Recordings, AnsweringNoClicksNoAtTheFirstQuestion )
{
    Strings problems;
    const std::vector<types::rect> releases = Releases( "answer_no.txt", problems );
    EXPECT_EQ( problems, Strings{} );
    ASSERT_EQ( releases.size(), 2u );
    EXPECT_TRUE( Inside( releases[ 1 ], NO_BUTTON ) );
}

TEST( PlaybackProgram, TheShippedScriptPlaysARecordingBack )
{
    const std::string dir = test::MakeTempDir( "playback_program" );
    test::WriteFile( dir + "/moves.txt", "1\n1200 mm 5 5\n1250 mm 6 6\n1300 md 4\n1350 mu 4\n" );
    const std::string game = MakeGameDir( "playback_program_game", dir + "/moves.txt" );
    const CRunResult run =
        RunUntil( game, []( const Strings& log ) { return CountLines( log, MOTION_LINE ) >= 2; }, 30 );
    EXPECT_TRUE( run.stoppedByUs );
    EXPECT_EQ( run.exitCode, 0 );
    EXPECT_EQ( CountLines( run.log, MOTION_LINE ), 2u );
    EXPECT_EQ( CountLines( run.log, "PlaybackInput" ), 0u ) << "the record file was read without a problem";
}

TEST( PlaybackProgram, AnsweringYesAsksForTheFirstLevel )
{
    const CRunResult run = RunUntil( MakeGameDir( "answer_yes", RECORDS + "answer_yes.txt" ), AsksForFirstLevel, 60 );
    EXPECT_TRUE( AsksForFirstLevel( run.log ) );
    EXPECT_EQ( run.exitCode, 0 );
}

TEST( PlaybackProgram, AnsweringNoEndsTheProgramWithoutALevel )
{
    const CRunResult run = RunUntil( MakeGameDir( "answer_no", RECORDS + "answer_no.txt" ),
                                     []( const Strings& ) { return false; }, 60 );
    EXPECT_FALSE( run.stoppedByUs ) << "the program ended by itself";
    EXPECT_EQ( run.exitCode, 0 );
    EXPECT_FALSE( LoadsAnyLevel( run.log ) );
}
