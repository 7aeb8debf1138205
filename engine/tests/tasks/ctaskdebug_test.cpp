// The "debug" task: its commands, the FPS display, and the record files of
// mouse input it makes and plays back. Recording stamps each event with the
// engine clock; playback delivers it at that time, holding the clock until it
// has, and reads a damaged file as far as it makes sense. The console window
// it shows: ui/widget_test.cpp; screenshots: sdltasks_test.cpp.
#include <ctime>
#include <filesystem>
#include <tuple>

#include "support/fuzzreplay.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/tasks/cinputrecorder.h"
#include "tarn/tasks/cplaybackmouse.h"
#include "tarn/tasks/ctaskdebug.h"
#include "tarn/utils/random.h"
#include "harness/fuzzrecord.h"
#include "tasks/taskstest.h"

using namespace tarn;
using test::Strings;

namespace {

// Real time as the test says it is.
struct CFakeRealTicks final : CTimeSource
{
    types::ticks GetTicks() override { return now; }
    types::ticks now = 0;
};

class DebugTaskTest : public test::TasksTest
{
protected:
    static CTaskDebug* StartDebug()
    {
        EXPECT_EQ( Run( "starttask( debug, Debug, 80 )" ), "debug started" );
        return Find<CTaskDebug>( "Debug" );
    }
    void Play( const std::string& text )
    {
        test::WriteFile( dir + "/input.txt", text );
        player = std::make_unique<CPlaybackMouse>( dir + "/input.txt", real );
    }
    void StepAt( types::ticks now )
    {
        real->now = now;
        player->Step();
    }

    std::shared_ptr<CFakeRealTicks> real = std::make_shared<CFakeRealTicks>();
    std::unique_ptr<CPlaybackMouse> player;
};

} // namespace

TEST_F( DebugTaskTest, TheFpsDisplayShowsThePassesOfEachSecond )
{
    CTaskDebug* debug = StartDebug();
    auto* fps = dynamic_cast<CTextSprite*>( debug->GetFpsSprite() );
    ASSERT_NE( fps, nullptr ) << "made at start";
    EXPECT_EQ( fps->GetParent(), CScreenLayer::GetSingletonPtr() );
    // 60 passes in the first second, the last one on the second.
    for( int pass = 0; pass < 58; ++pass, clock->Advance( 16 ) )
        debug->Update();
    clock->Set( 1999 );
    debug->Update();
    EXPECT_EQ( fps->GetText(), "" ) << "999 ms are not yet a second";
    clock->Set( 2000 );
    debug->Update();
    EXPECT_EQ( fps->GetText(), "Fps: 60" );
    clock->Set( 9000 );
    debug->Update();
    EXPECT_EQ( fps->GetText(), "Fps: 1" ) << "a long stall counts its one pass";
}

TEST_F( DebugTaskTest, CommandsLogWhatIsWrongWithTheirArguments )
{
    // A line, whether asserts are banned afterwards, the error it logs.
    const std::tuple<const char*, bool, std::string> cases[] = {
        { "BanAsserts( 1 )", true, "" },
        { "BanAsserts( 0.7 )", false, "" },  // truncated to 0
        { "BanAsserts( -2 )", true, "" },
        { "BanAsserts( 0 )", false, "" },
        { "BanAsserts( \"x\" )", true, CTaskDebug::BAN_ASSERTS_ERROR },
        { "BanAsserts", true, CTaskDebug::BAN_ASSERTS_ERROR },
        { "BanAsserts()", true, "" },
        { "RecordInput", true, CTaskDebug::RECORD_INPUT_ERROR },
        { "RecordInput( 5 )", true, CTaskDebug::RECORD_INPUT_ERROR },
        { "PlaybackInput", true, CTaskDebug::PLAYBACK_INPUT_ERROR },
        { "PlaybackInput()", true, CTaskDebug::PLAYBACK_INPUT_ERROR },
        { "Screenshot( 12 )", true, CTaskDebug::SCREENSHOT_ERROR },
        { "Screenshot( \"shot.tga\" )", true, "Screenshot - there is no screen to save" },
        { "BanAsserts( 0 )", false, "" },
    };
    CTaskDebug* debug = StartDebug();
    test::CWorkingDirectory here( dir );
    for( const auto& [ line, banned, error ] : cases )
    {
        SCOPED_TRACE( line );
        test::CLogCapture log;
        EXPECT_EQ( Run( std::string( "Debug::" ) + line ), "" );
        EXPECT_EQ( CTaskDebug::AreAssertsBanned(), banned );
        EXPECT_EQ( log.LinesWithLevels(), test::LevelLines( error.empty() ? 0 : 1, { error, LOG_ERROR } ) );
    }
    EXPECT_EQ( debug->GetInputDevice(), nullptr );
    EXPECT_FALSE( std::filesystem::exists( "shot.tga" ) );
    // Without a console window to make, only the flag changes.
    EXPECT_EQ( Run( "Debug::ToggleConsole" ), "" );
    EXPECT_TRUE( debug->IsConsoleOpen() );
    Run( "Debug::ToggleConsole()" );
    EXPECT_FALSE( debug->IsConsoleOpen() );
}

// Playback replaces the recorder, which stops listening; a listener (a
// level script reacting to a click) may start another playback while one
// is delivering; the engine clock is ours again once the task stops.
TEST_F( DebugTaskTest, RecordThenPlayBackThroughTheCommands )
{
    CTaskDebug* debug = StartDebug();
    const std::string file = dir + "/input.txt";
    Run( "Debug::RecordInput( \"" + file + "\" )" );
    ASSERT_NE( dynamic_cast<CInputRecorder*>( debug->GetInputDevice() ), nullptr );
    clock->Set( 1500 );
    CInputDispatcher::GetSingletonPtr()->NotifyButtonDown( MOUSE_BUTTON_LEFT );
    CInputDispatcher::GetSingletonPtr()->NotifyButtonUp( MOUSE_BUTTON_LEFT );
    debug->Update();  // a recorder has nothing to step
    test::WriteFile( dir + "/second.txt", "1\n2000 mu 8\n" );
    input.onPress = [ this ] { Run( "Debug::PlaybackInput( \"" + dir + "/second.txt\" )" ); };
    input.events.clear();
    Run( "Debug::PlaybackInput( \"" + file + "\" )" );
    ASSERT_NE( dynamic_cast<CPlaybackMouse*>( debug->GetInputDevice() ), nullptr );
    clock->Set( 1600 );  // what the players take for real time
    debug->Update();     // the press at 1500 starts the second playback
    EXPECT_EQ( input.events, Strings{ "1500 press 1" } ) << "the first playback's release is dropped";
    EXPECT_EQ( EngineTime(), 1600u ) << "the second playback's clock, at real time";
    const Strings lines = test::SplitLines( test::ReadFile( file ) );
    EXPECT_EQ( Strings( lines.begin() + 1, lines.end() ), ( Strings{ "1500 md 1", "1500 mu 1" } ) );
    clock->Set( 2100 );
    debug->Update();
    debug->Update();
    EXPECT_EQ( input.events, ( Strings{ "1500 press 1", "2000 release 8" } ) );
    EXPECT_EQ( EngineTime(), 2100u );
    Run( "stoptask( Debug )" );
    clock->Set( 2200 );
    EXPECT_EQ( EngineTime(), 2200u ) << "the test's clock, not a stale player's";
}

// The random start value is the calendar time; it seeds the generator when
// recording and again when playing back, so a game draws the same numbers.
TEST_F( DebugTaskTest, ARecordingPlaysBackAsItWasMade )
{
    const std::string path = dir + "/input.txt";
    test::WriteFile( path, "old\nlines\n" );
    CInputDispatcher* dispatcher = CInputDispatcher::GetSingletonPtr();
    const auto before = static_cast<std::uint32_t>( std::time( nullptr ) );
    auto recorder = std::make_unique<CInputRecorder>( path );
    const std::uint32_t randomStart = recorder->GetRandomStart();
    EXPECT_GE( randomStart, before );
    EXPECT_LE( randomStart, static_cast<std::uint32_t>( std::time( nullptr ) ) );
    const double drawn = UniformRandom();
    clock->Set( 5000 );
    dispatcher->NotifyMouseMove( 10, 20, 3, -2 );
    clock->Set( 5016 );
    dispatcher->NotifyButtonDown( MOUSE_BUTTON_LEFT );
    dispatcher->NotifyButtonDown( MOUSE_BUTTON_RIGHT );
    clock->Set( 5033 );
    dispatcher->NotifyButtonUp( MOUSE_BUTTON_LEFT );
    dispatcher->NotifyMouseMove( -4, 700, 0, 0 );
    dispatcher->NotifyKeyDown( 97, 'a' );  // keys are not recorded
    recorder.reset();
    dispatcher->NotifyButtonUp( MOUSE_BUTTON_MIDDLE );  // nor anything after the end
    EXPECT_EQ( test::SplitLines( test::ReadFile( path ) ),
               ( Strings{ std::to_string( randomStart ), "5000 mm 10 20", "5016 md 1", "5016 md 4", "5033 mu 1",
                          "5033 mm -4 700" } ) );
    input.events.clear();
    StartUniformRandom( 1 );
    clock->Set( 3000 );
    player = std::make_unique<CPlaybackMouse>( path, real );
    EXPECT_EQ( UniformRandom(), drawn );
    for( int step = 0; step < 5; ++step )
        StepAt( 6000 );
    EXPECT_EQ( input.events, ( Strings{ "5000 move 10,20", "5016 press 1", "5016 press 4", "5033 release 1",
                                        "5033 move -4,700" } ) );
}

// The playback clock starts where the engine clock was and follows real time,
// but is held at the next event until it is delivered: when real time runs
// far ahead in one long frame, every event still arrives exactly on time.
// After the last one it is real time again; when the player goes, the clock
// it found comes back. A main loop sleeping until the next event sleeps on
// the playback clock too.
TEST_F( DebugTaskTest, EventsArriveAtTheirRecordedEngineTimes )
{
    test::CLogCapture log;
    Play( "12345\n5000 mm 10 20\n5200 md 1\n5200 mm 11 20\n5350 mu 1\n" );
    EXPECT_EQ( EngineTime(), 1000u );
    EXPECT_EQ( player->TimeUntilDue(), 4000u ) << "until the first event";
    StepAt( 4980 );
    GetTimeSource()->Wait( 4 );
    EXPECT_EQ( EngineTime(), 4984u ) << "the sleep passed on the playback clock";
    EXPECT_EQ( player->TimeUntilDue(), 16u );
    const std::pair<types::ticks, types::ticks> steps[] = { { 4990, 4990 }, { 5010, 5000 }, { 5040, 5040 },
                                                            { 9000, 5200 }, { 9000, 5350 }, { 9000, 9000 },
                                                            { 9017, 9017 } };
    for( const auto& [ now, engine ] : steps )
    {
        StepAt( now );
        EXPECT_EQ( EngineTime(), engine ) << "at " << now;
        GetTimeSource()->Wait( 1 );
        EXPECT_EQ( EngineTime(), engine < now ? engine : engine + 1 ) << "a sleep stops at an event held";
    }
    EXPECT_EQ( input.events, ( Strings{ "5000 move 10,20", "5200 press 1", "5200 move 11,20", "5350 release 1" } ) );
    EXPECT_EQ( player->TimeUntilDue(), CTask::NOTHING_DUE ) << "nothing left to play";
    EXPECT_EQ( input.relative, ( Strings{ "0,0", "0,0" } ) );
    const std::pair<std::string, int> noDelta{
        "CPlaybackMouse::CPlayback::DoTheMagic() - HelperPlayback doesn't work properly with delta", LOG_ERROR };
    EXPECT_EQ( log.LinesWithLevels(), test::LevelLines( 2, noDelta ) );
    player.reset();
    EXPECT_EQ( EngineTime(), 1000u );
}

TEST_F( DebugTaskTest, BadLinesAreLoggedWithTheirPlaceAndSkipped )
{
    test::CLogCapture log;
    const std::string longest = "1190 mm -3 -4" + std::string( CPlaybackMouse::MAX_LINE_LENGTH - 13, ' ' );
    Play( "start?\n1100 mm 1 2\n\n1110\n1120 mx 1\n-5 mu 1\n4294967296 mu 1\n1130 mm 1 2 3\n1140 mm 1 two\n"
          "1150 md -1\n1160 md 99999999999\n1090 mu 1\n1170\tmu   1\r\nmm 1180 1 2\n1180 md 0x1\n" +
          longest + "\n" + longest + "7\n1200 mu 2" );
    EXPECT_FALSE( player->HasSeed() );
    const std::string at = "PlaybackInput - " + dir + "/input.txt:";
    EXPECT_EQ( log.Lines(), ( Strings{ at + "1: the first line is not the random start value (a whole number)",
                                       at + "4: expected ticks and an event type",
                                       at + "5: unknown event type \"mx\"",
                                       at + "6: the ticks are not a whole number of milliseconds",
                                       at + "7: the ticks are not a whole number of milliseconds",
                                       at + "8: a motion needs the whole numbers x and y",
                                       at + "9: a motion needs the whole numbers x and y",
                                       at + "10: a button event needs one button mask",
                                       at + "11: a button event needs one button mask",
                                       at + "12: the ticks go back before the previous event's",
                                       at + "14: the ticks are not a whole number of milliseconds",
                                       at + "15: a button event needs one button mask",
                                       at + "17: the line is too long" } ) );
    for( int step = 0; step < 5; ++step )
        StepAt( 2000 );
    EXPECT_EQ( input.events, ( Strings{ "1100 move 1,2", "1170 release 1", "1190 move -3,-4", "1200 release 2" } ) );
}

// Each says so once; a player without a file keeps real time.
TEST_F( DebugTaskTest, FilesThatCannotBeWrittenOrReadAreReported )
{
    test::CLogCapture log;
    const std::string bad = dir + "/no/such/dir/input.txt";
    {
        CInputRecorder recorder( bad );
        CInputDispatcher::GetSingletonPtr()->NotifyMouseMove( 1, 2, 0, 0 );
        CInputDispatcher::GetSingletonPtr()->NotifyMouseMove( 3, 4, 0, 0 );
    }
    player = std::make_unique<CPlaybackMouse>( bad, real );
    EXPECT_EQ( log.Lines(), ( Strings{ "RecordInput - could not write the record file " + bad,
                                       "PlaybackInput - could not read the record file " + bad } ) );
    StepAt( 777 );
    EXPECT_EQ( EngineTime(), 777u );
}

// Record files that once broke the player play (or are refused line by line) cleanly.
TEST_F( DebugTaskTest, FuzzInputsReplayCleanly )
{
    test::CLogCapture log;
    EXPECT_GT( test::ReplayFuzzInputs( "tasks", "record", &test::FuzzRecordInput ), 0 );
}
