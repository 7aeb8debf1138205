// Timers against a clock the test moves by hand.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "support/testsupport.h"
#include "tarn/utils/ctimer.h"
#include "tarn/utils/cxmlwriter.h"
#include "tarn/utils/xmlobject.h"

using namespace tarn;

TEST( Timer, CountsEngineTimeFromItsCreation )
{
    test::CManualClock clock( 1000 );
    CTimer timer;
    EXPECT_EQ( timer.GetTime(), 0u );
    clock.Advance( 250 );
    EXPECT_EQ( timer.GetTime(), 250u );
    clock.Advance( 1250 );
    EXPECT_EQ( timer.GetTime(), 1500u );
    EXPECT_DOUBLE_EQ( timer.GetSeconds(), 1.5 );
}

TEST( Timer, PauseFreezesTheReadingAndResumeContinuesFromIt )
{
    test::CManualClock clock( 1000 );
    CTimer timer;
    clock.Advance( 100 );
    timer.Pause();
    clock.Advance( 500 );
    EXPECT_EQ( timer.GetTime(), 100u );
    timer.Pause();
    clock.Advance( 50 );
    EXPECT_EQ( timer.GetTime(), 100u );

    timer.Resume();
    EXPECT_EQ( timer.GetTime(), 100u );
    clock.Advance( 40 );
    EXPECT_EQ( timer.GetTime(), 140u );
    EXPECT_FALSE( timer.IsPaused() );
}

TEST( Timer, DeltasMeasureFromTheLastUpdate )
{
    test::CManualClock clock( 0 );
    CTimer timer;
    clock.Advance( 30 );
    EXPECT_EQ( timer.GetDelta(), 30u );
    timer.UpdateDelta();
    clock.Advance( 17 );
    EXPECT_EQ( timer.GetDelta(), 17u );
    EXPECT_DOUBLE_EQ( timer.GetDeltaSeconds(), 0.017 );
}

TEST( Timer, SetTimeBeyondTheBaseWrapsTheStartAndReadsZero )
{
    test::CManualClock clock( 3000 );
    CTimer timer;
    timer.SetTime( 5000 );
    EXPECT_EQ( timer.GetTime(), 0u );
    // The base must catch up with the wrapped start before time shows.
    clock.Advance( 1999 );
    EXPECT_EQ( timer.GetTime(), 0u );

    timer.SetTime( 2000 );
    EXPECT_EQ( timer.GetTime(), 2000u );
    timer.Offset( 500 );
    EXPECT_EQ( timer.GetTime(), 1500u );
}

TEST( Timer, MeasuresAgainstAnotherTimer )
{
    test::CManualClock clock( 0 );
    CTimer game;
    clock.Advance( 100 );
    CTimer level( &game );
    clock.Advance( 50 );
    game.Pause();
    clock.Advance( 1000 );
    EXPECT_EQ( level.GetTime(), 50u );
}

TEST( Timer, SubtractingBuildsAnEarlierCopyOnTheSameBase )
{
    test::CManualClock clock( 0 );
    CTimer game;
    clock.Advance( 100 );
    CTimer level( &game );
    clock.Advance( 250 );
    CTimer shorter = level - 100;
    const CTimer byTimer = game - level;
    EXPECT_EQ( shorter.GetTime(), 150u );
    EXPECT_EQ( byTimer.GetTime(), 100u );
    EXPECT_EQ( ( level - 400 ).GetTime(), 0u ) << "never negative";
    EXPECT_EQ( level.GetTime(), 250u ) << "the timer itself is unchanged";
    game.Pause();
    clock.Advance( 1000 );
    EXPECT_EQ( shorter.GetTime(), 150u ) << "measured against the same base";
}

TEST( Timer, APausedTimerIsSavedAndLoadedPaused )
{
    test::CManualClock clock( 10000 );
    CTimer saved;
    clock.Advance( 1234 );
    saved.Pause();
    clock.Advance( 777 );

    const auto node = XmlSaveObject( saved, "Timer" );
    std::ostringstream text;
    CXmlWriter().Write( node.get(), text );
    EXPECT_EQ( text.str(), "<Timer>\n  <time>\n    1234\n  </time>\n  <pause>\n    1\n  </pause>\n</Timer>\n" );

    clock.Advance( 5000 );
    CTimer loaded;
    XmlLoadObject( node.get(), loaded );
    EXPECT_TRUE( loaded.IsPaused() );
    EXPECT_EQ( loaded.GetTime(), 1234u );
    clock.Advance( 100 );
    EXPECT_EQ( loaded.GetTime(), 1234u );
    loaded.Resume();
    clock.Advance( 66 );
    EXPECT_EQ( loaded.GetTime(), 1300u );
}

TEST( Timer, ARunningTimerIsSavedWithoutPauseAndRunsOn )
{
    test::CManualClock clock( 0 );
    CTimer saved;
    clock.Advance( 400 );
    const auto node = XmlSaveObject( saved, "Timer" );
    ASSERT_EQ( node->GetChildCount(), 1u );
    EXPECT_EQ( node->GetChild( 0 )->GetName(), "time" );

    clock.Advance( 1000 );
    CTimer loaded;
    XmlLoadObject( node.get(), loaded );
    EXPECT_FALSE( loaded.IsPaused() );
    EXPECT_EQ( loaded.GetTime(), 400u );
    clock.Advance( 10 );
    EXPECT_EQ( loaded.GetTime(), 410u );
}
