// Timers against a clock the test moves by hand: reading, pausing, deltas,
// other timers as base, and saving.
#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "support/testsupport.h"
#include "tarn/utils/ctimer.h"
#include "tarn/utils/cxmlwriter.h"
#include "tarn/utils/xmlobject.h"

using namespace tarn;

TEST( Timer, CountsEngineTimeFromItsCreationExceptWhilePaused )
{
    test::CManualClock clock( 1000 );
    CTimer timer;
    EXPECT_EQ( timer.GetTime(), 0u );
    clock.Advance( 250 );
    EXPECT_EQ( std::make_tuple( timer.GetTime(), timer.GetDelta() ), std::make_tuple( 250u, 250u ) );
    timer.UpdateDelta();
    clock.Advance( 1250 );
    EXPECT_EQ( std::make_tuple( timer.GetSeconds(), timer.GetDeltaSeconds() ), std::make_tuple( 1.5, 1.25 ) );
    timer.Pause();
    clock.Advance( 500 );
    timer.Pause();
    clock.Advance( 50 );
    EXPECT_EQ( timer.GetTime(), 1500u );
    timer.Resume();
    EXPECT_EQ( timer.GetTime(), 1500u );
    clock.Advance( 40 );
    EXPECT_EQ( std::make_tuple( timer.GetTime(), timer.IsPaused() ), std::make_tuple( 1540u, false ) );
    // A time set beyond the base wraps the start: the base must catch up
    // with it before time shows.
    timer.SetTime( 5000 );
    EXPECT_EQ( timer.GetTime(), 0u );
    clock.Advance( 3000 );
    EXPECT_EQ( timer.GetTime(), 0u );
    timer.SetTime( 2000 );
    timer.Offset( 500 );
    EXPECT_EQ( timer.GetTime(), 1500u );

    // Against another timer, and subtracted on the same base.
    CTimer level( &timer );
    clock.Advance( 250 );
    CTimer shorter = level - 100;
    EXPECT_EQ( std::make_tuple( shorter.GetTime(), ( timer - level ).GetTime() ), std::make_tuple( 150u, 1500u ) );
    EXPECT_EQ( ( level - 400 ).GetTime(), 0u ) << "never negative";
    EXPECT_EQ( level.GetTime(), 250u ) << "the timer itself is unchanged";
    timer.Pause();
    clock.Advance( 1000 );
    EXPECT_EQ( std::make_tuple( level.GetTime(), shorter.GetTime() ), std::make_tuple( 250u, 150u ) );
}

TEST( Timer, IsSavedAndLoadedPausedOrRunning )
{
    test::CManualClock clock( 10000 );
    CTimer paused;
    CTimer running;
    clock.Advance( 1234 );
    paused.Pause();
    clock.Advance( 777 );
    const auto pausedNode = XmlSaveObject( paused, "Timer" );
    const auto runningNode = XmlSaveObject( running, "Timer" );
    std::ostringstream text;
    CXmlWriter().Write( pausedNode.get(), text );
    CXmlWriter().Write( runningNode.get(), text );
    EXPECT_EQ( text.str(), "<Timer>\n  <time>\n    1234\n  </time>\n  <pause>\n    1\n  </pause>\n</Timer>\n"
                           "<Timer>\n  <time>\n    2011\n  </time>\n</Timer>\n" );
    clock.Advance( 5000 );
    XmlLoadObject( pausedNode.get(), paused = CTimer() );
    XmlLoadObject( runningNode.get(), running = CTimer() );
    EXPECT_EQ( std::make_tuple( paused.IsPaused(), running.IsPaused() ), std::make_tuple( true, false ) );
    clock.Advance( 100 );
    EXPECT_EQ( std::make_tuple( paused.GetTime(), running.GetTime() ), std::make_tuple( 1234u, 2111u ) );
    paused.Resume();
    clock.Advance( 66 );
    EXPECT_EQ( paused.GetTime(), 1300u );
}
