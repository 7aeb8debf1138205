// Playing back a mouse recording: every event reaches the input dispatcher at
// its recorded engine time, the engine clock waits for the next event, and a
// damaged record file is read as far as it makes sense.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/testsupport.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/tasks/cinputrecorder.h"
#include "tarn/tasks/cplaybackmouse.h"
#include "tarn/utils/enginetime.h"
#include "tarn/utils/random.h"

using namespace tarn;
using Strings = std::vector<std::string>;

namespace {

// Real time as the test says it is.
class CFakeRealTicks final : public CTimeSource
{
public:
    types::ticks GetTicks() override { return now; }
    types::ticks now = 0;
};

// Writes down each mouse event with the engine time it arrived at.
class CTimedListener final : public CMouseListener
{
public:
    void OnMouseMove( int x, int y ) override
    {
        Add( "move " + std::to_string( x ) + "," + std::to_string( y ) );
    }
    // Kept apart: a recording does not carry relative motion.
    void OnMouseMoveRelative( int dx, int dy ) override
    {
        relative.push_back( std::to_string( dx ) + "," + std::to_string( dy ) );
    }
    void OnButtonDown( int button ) override { Add( "press " + std::to_string( button ) ); }
    void OnButtonUp( int button ) override { Add( "release " + std::to_string( button ) ); }

    Strings events;
    Strings relative;

private:
    void Add( const std::string& event ) { events.push_back( std::to_string( EngineTime() ) + " " + event ); }
};

class PlaybackTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        clock = std::make_unique<test::CManualClock>( 100 );
        dir = test::MakeTempDir( "playback" );
        real = std::make_shared<CFakeRealTicks>();
        CInputDispatcher::GetSingletonPtr()->AddMouseListener( &listener );
    }
    void TearDown() override
    {
        player.reset();
        test::ResetEngine();
        clock.reset();
    }

    std::string Write( const std::string& text, const std::string& name = "input.txt" )
    {
        const std::string path = dir + "/" + name;
        test::WriteFile( path, text );
        return path;
    }

    // Real time moves to now, then the player takes one step.
    void StepAt( types::ticks now )
    {
        real->now = now;
        player->Step();
    }

    std::unique_ptr<test::CManualClock> clock;
    std::shared_ptr<CFakeRealTicks> real;
    std::unique_ptr<CPlaybackMouse> player;
    CTimedListener listener;
    std::string dir;
};

} // namespace

TEST_F( PlaybackTest, EventsArriveAtTheirRecordedEngineTimes )
{
    player = std::make_unique<CPlaybackMouse>( Write( "12345\n"
                                                      "5000 mm 10 20\n"
                                                      "5200 md 1\n"
                                                      "5200 mm 11 20\n"
                                                      "5350 mu 1\n" ),
                                               real );
    ASSERT_EQ( player->GetQueue().size(), 4u );
    EXPECT_EQ( EngineTime(), 100u ) << "the playback clock starts where the engine clock was";

    // Real time runs far ahead in one long frame: the clock is held at each
    // next event in turn, and every event arrives exactly on time.
    StepAt( 9000 );
    EXPECT_EQ( EngineTime(), 5000u );
    EXPECT_TRUE( listener.events.empty() );
    StepAt( 9000 );
    EXPECT_EQ( EngineTime(), 5200u );
    StepAt( 9000 );
    EXPECT_EQ( EngineTime(), 5350u );
    StepAt( 9000 );
    EXPECT_EQ( listener.events, ( Strings{ "5000 move 10,20", "5200 press 1", "5200 move 11,20", "5350 release 1" } ) );

    // After the last event the clock follows real time.
    EXPECT_EQ( EngineTime(), 9000u );
    StepAt( 9017 );
    EXPECT_EQ( EngineTime(), 9017u );
}

TEST_F( PlaybackTest, TheClockFollowsRealTimeUpToTheNextEvent )
{
    player = std::make_unique<CPlaybackMouse>( Write( "1\n3000 md 4\n3100 mu 4\n" ), real );
    for( types::ticks now = 2900; now < 3000; now += 30 )
    {
        StepAt( now );
        EXPECT_EQ( EngineTime(), now ) << "before the event, real time";
    }
    EXPECT_TRUE( listener.events.empty() );

    StepAt( 3010 );  // real time passed the event: held there
    EXPECT_EQ( EngineTime(), 3000u );
    StepAt( 3040 );  // delivered on time; free again up to the next one
    EXPECT_EQ( EngineTime(), 3040u );
    StepAt( 3120 );
    EXPECT_EQ( EngineTime(), 3100u );
    StepAt( 3130 );
    EXPECT_EQ( listener.events, ( Strings{ "3000 press 4", "3100 release 4" } ) );
    EXPECT_EQ( EngineTime(), 3130u );
}

TEST_F( PlaybackTest, AMotionSaysThatRelativeMotionIsNotReplayed )
{
    test::CLogCapture log;
    player = std::make_unique<CPlaybackMouse>( Write( "1\n200 mm 3 4\n" ), real );
    StepAt( 500 );
    StepAt( 500 );
    EXPECT_EQ( listener.events, Strings{ "200 move 3,4" } );
    EXPECT_EQ( listener.relative, Strings{ "0,0" } );
    EXPECT_EQ( log.LinesWithLevels(),
               ( std::vector<std::pair<std::string, int>>{
                   { "CPlaybackMouse::CPlayback::DoTheMagic() - HelperPlayback doesn't work properly with delta",
                     LOG_ERROR } } ) );
}

TEST_F( PlaybackTest, AnUnreadableFileGivesAnEmptyQueueAndRealTime )
{
    test::CLogCapture log;
    player = std::make_unique<CPlaybackMouse>( dir + "/nothing_here.txt", real );
    EXPECT_TRUE( player->GetQueue().empty() );
    EXPECT_FALSE( player->HasSeed() );
    EXPECT_TRUE( log.Contains( "PlaybackInput - could not read the record file " + dir + "/nothing_here.txt" ) );
    StepAt( 777 );
    EXPECT_EQ( EngineTime(), 777u );
}

TEST_F( PlaybackTest, TheSeedLineSeedsTheEnginesUniformGenerator )
{
    StartUniformRandom( 424242 );
    const double expected = UniformRandom();
    StartUniformRandom( 1 );
    player = std::make_unique<CPlaybackMouse>( Write( "424242\n" ), real );
    EXPECT_TRUE( player->HasSeed() );
    EXPECT_EQ( player->GetRandomStart(), 424242u );
    EXPECT_EQ( UniformRandom(), expected );
}

TEST_F( PlaybackTest, BadLinesAreLoggedWithTheirPlaceAndSkipped )
{
    test::CLogCapture log;
    const std::string path = Write( "start?\n"
                                    "100 mm 1 2\n"
                                    "\n"
                                    "110\n"
                                    "120 mx 1\n"
                                    "-5 mu 1\n"
                                    "4294967296 mu 1\n"
                                    "130 mm 1 2 3\n"
                                    "140 mm 1 two\n"
                                    "150 md -1\n"
                                    "160 md 99999999999\n"
                                    "90 mu 1\n"
                                    "170\tmu   1\r\n"
                                    "mm 180 1 2\n"
                                    "180 md 0x1\n"
                                    "190 mm -3 -4\n" +
                                    std::string( 5000, '7' ) + " mm 1 2\n" +
                                    "200 mu 2" );
    player = std::make_unique<CPlaybackMouse>( path, real );
    EXPECT_FALSE( player->HasSeed() );

    std::vector<std::string> queued;
    for( const CPlaybackMouse::CEvent& event : player->GetQueue() )
        queued.push_back( std::to_string( event.ticks ) + " " + std::to_string( event.type ) + " " +
                          std::to_string( event.x ) + " " + std::to_string( event.y ) + " " +
                          std::to_string( event.mask ) );
    EXPECT_EQ( queued, ( Strings{ "100 0 1 2 0", "170 2 0 0 1", "190 0 -3 -4 0", "200 2 0 0 2" } ) );

    const std::string at = "PlaybackInput - " + path + ":";
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
}

TEST_F( PlaybackTest, ARecordingPlaysBackAsItWasMade )
{
    const std::string path = dir + "/made.txt";
    {
        CInputRecorder recorder( path );
        CInputDispatcher* dispatcher = CInputDispatcher::GetSingletonPtr();
        clock->Set( 4000 );
        dispatcher->NotifyMouseMove( 300, 200, 5, 5 );
        clock->Set( 4016 );
        dispatcher->NotifyButtonDown( MOUSE_BUTTON_LEFT );
        clock->Set( 4100 );
        dispatcher->NotifyButtonUp( MOUSE_BUTTON_LEFT );
    }
    const Strings recorded = listener.events;
    listener.events.clear();

    clock->Set( 3000 );
    player = std::make_unique<CPlaybackMouse>( path, real );
    for( int step = 0; step < 5; ++step )
        StepAt( 5000 );
    EXPECT_EQ( listener.events, recorded );
}

TEST_F( PlaybackTest, EndingThePlaybackGivesTheClockBack )
{
    player = std::make_unique<CPlaybackMouse>( Write( "1\n5000 md 1\n" ), real );
    StepAt( 6000 );
    EXPECT_EQ( EngineTime(), 5000u );
    player.reset();
    EXPECT_EQ( EngineTime(), 100u ) << "the manual clock again";
}

TEST_F( PlaybackTest, AStoppedPlaybackDeliversNothingMore )
{
    // A listener that ends the playback at the first event, as a script
    // starting another playback would.
    class CStopper final : public CMouseListener
    {
    public:
        void OnMouseMove( int, int ) override {}
        void OnMouseMoveRelative( int, int ) override {}
        void OnButtonDown( int ) override { player->Stop(); }
        void OnButtonUp( int ) override {}
        CPlaybackMouse* player = nullptr;
    } stopper;
    CInputDispatcher::GetSingletonPtr()->AddMouseListener( &stopper );

    player = std::make_unique<CPlaybackMouse>( Write( "1\n200 md 1\n200 mu 1\n" ), real );
    stopper.player = player.get();
    StepAt( 300 );
    StepAt( 300 );
    EXPECT_EQ( listener.events, Strings{ "200 press 1" } );
    EXPECT_EQ( EngineTime(), 100u ) << "the clock went back to the manual clock";
    EXPECT_TRUE( player->GetQueue().empty() );
    CInputDispatcher::GetSingletonPtr()->RemoveMouseListener( &stopper );
}
