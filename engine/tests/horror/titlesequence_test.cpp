// The title sequence on a hand-set clock: its timeline, long frames, and
// skipping it with the mouse.
#include <gtest/gtest.h>

#include <memory>

#include "horror/cbackgroundlayer.h"
#include "horror/chorrorgame.h"
#include "horror/ctitlesequence.h"
#include "horror/gamescene.h"
#include "tarn/gfx/csprite.h"
#include "tarn/gfx/cspritefactory.h"

using namespace tarn;
using horror::CTitleSequence;

namespace {

// Elapsed times at which the title moves from state i to state i + 1.
const types::ticks STEP_AT[] = { 1, 2501, 6501, 10001, 12001, 15501, 17001, 19501 };

class TitleSequenceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        named[ "candle" ] = SpritePtr( CSpriteFactory::LoadSprite( "data/gfx/morvane_logo.xml" ) );
        start = scene.GetClock().Now();
        title = std::make_unique<CTitleSequence>( named, background );
    }
    void TearDown() override { title.reset(); }

    // A graphics frame and a title update elapsed ms after the start.
    void At( types::ticks elapsed )
    {
        scene.GetClock().Set( start + elapsed );
        scene.Frame();
        title->Update();
    }
    void RunToState( int state )
    {
        for( int i = 0; i < state; ++i )
            At( STEP_AT[ i ] );
        ASSERT_EQ( title->GetState(), state );
    }

    test::CGameScene scene{ "title" };
    horror::CBackgroundLayer background;
    horror::NamedSprites named;
    types::ticks start = 0;
    std::unique_ptr<CTitleSequence> title;
};

} // namespace

TEST_F( TitleSequenceTest, StartsOverTheTitleBackgroundUnderABlackCover )
{
    EXPECT_TRUE( named.empty() ) << "sprites of scripts leave with a new game";
    EXPECT_NE( background.GetBackground(), nullptr );
    ASSERT_NE( title->GetBlackout(), nullptr );
    EXPECT_EQ( title->GetBlackout()->GetAlpha(), 255 );
    ASSERT_NE( title->GetFader(), nullptr );
    EXPECT_EQ( title->GetFader()->GetX(), 726 );
    EXPECT_EQ( title->GetState(), 0 );

    // Fades change the alpha on every second frame.
    At( 1000 );
    At( 1500 );
    EXPECT_GT( title->GetBlackout()->GetAlpha(), 0 );
    EXPECT_LT( title->GetBlackout()->GetAlpha(), 255 );
}

TEST_F( TitleSequenceTest, StatesAdvanceWhenTheirThresholdsArePassed )
{
    At( 0 );
    EXPECT_EQ( title->GetState(), 0 );
    At( 1 );
    EXPECT_EQ( title->GetState(), 1 );

    At( 2500 );
    EXPECT_EQ( title->GetState(), 1 );
    EXPECT_NE( title->GetBlackout(), nullptr );
    At( 2501 );
    EXPECT_EQ( title->GetState(), 2 );
    EXPECT_EQ( title->GetBlackout(), nullptr ) << "the cover goes before its fade has ended";
    ASSERT_NE( title->GetLogo(), nullptr );
    EXPECT_EQ( title->GetLogo()->GetAlpha(), 0 );

    At( 6500 );
    EXPECT_EQ( title->GetText(), nullptr );
    At( 6501 );
    EXPECT_EQ( title->GetState(), 3 );
    ASSERT_NE( title->GetText(), nullptr );
    EXPECT_EQ( title->GetText()->GetFileName(), "data/gfx/title_game_by.xml" );
    EXPECT_EQ( title->GetFader()->GetX(), 48 );
    At( 8001 );
    EXPECT_EQ( title->GetFader()->GetX(), 726 ) << "the block slid off the credit";

    At( 8500 );
    EXPECT_FALSE( title->IsFlickering() );
    At( 8501 );
    EXPECT_TRUE( title->IsFlickering() );
    At( 8600 );
    EXPECT_EQ( title->GetLogo()->GetAlpha(), 8600 % 255 );
    At( 9001 );
    EXPECT_FALSE( title->IsFlickering() );
    EXPECT_EQ( title->GetLogo()->GetAlpha(), 255 );
    At( 10000 );
    EXPECT_EQ( title->GetState(), 3 );
    At( 10001 );
    EXPECT_EQ( title->GetState(), 4 );
    EXPECT_EQ( title->GetFader()->GetX(), -726 );

    At( 12000 );
    EXPECT_EQ( title->GetState(), 4 );
    At( 12001 );
    EXPECT_EQ( title->GetState(), 5 );
    EXPECT_EQ( title->GetText()->GetFileName(), "data/gfx/title_music_by.xml" );
    At( 15501 );
    EXPECT_EQ( title->GetState(), 6 );

    At( 15502 );
    ASSERT_NE( title->GetBlackout(), nullptr ) << "the cover comes back, clear";
    EXPECT_EQ( title->GetBlackout()->GetAlpha(), 0 );
    At( 17000 );
    EXPECT_EQ( title->GetState(), 6 );
    At( 17001 );
    EXPECT_EQ( title->GetState(), 7 );
    At( 17501 );
    At( 18001 );
    EXPECT_GT( title->GetBlackout()->GetAlpha(), 0 ) << "and fades to black";

    At( 19500 );
    EXPECT_FALSE( title->IsFinished() );
    At( 19501 );
    EXPECT_TRUE( title->IsFinished() );
    EXPECT_EQ( title->GetState(), 8 );
    At( 30000 );
    EXPECT_EQ( title->GetState(), 8 );
}

TEST_F( TitleSequenceTest, LongUpdateDoesAllOfOneStateButAdvancesOneState )
{
    RunToState( 3 );
    At( 25000 );
    EXPECT_EQ( title->GetState(), 4 );
    EXPECT_FALSE( title->IsFlickering() ) << "flicker switched on and off in the same update";
    EXPECT_EQ( title->GetLogo()->GetAlpha(), 255 );
    EXPECT_EQ( title->GetFader()->GetX(), -726 );
    EXPECT_FALSE( title->IsFinished() );

    for( int state = 5; state <= 8; ++state )
    {
        title->Update();
        EXPECT_EQ( title->GetState(), state );
    }
    EXPECT_EQ( title->GetText()->GetFileName(), "data/gfx/title_music_by.xml" );
    EXPECT_TRUE( title->IsFinished() );
}

TEST_F( TitleSequenceTest, LeftButtonReleaseEndsTheTitleInAnyState )
{
    for( int state = 0; state <= 7; ++state )
    {
        title = std::make_unique<CTitleSequence>( named, background );
        start = scene.GetClock().Now();
        RunToState( state );
        test::CGameScene::Press( MOUSE_BUTTON_LEFT );
        test::CGameScene::Release( MOUSE_BUTTON_RIGHT );
        test::CGameScene::Release( MOUSE_BUTTON_MIDDLE );
        EXPECT_FALSE( title->IsFinished() ) << "state " << state;
        test::CGameScene::Release( MOUSE_BUTTON_LEFT );
        EXPECT_TRUE( title->IsFinished() ) << "state " << state;
    }
    title.reset();
    test::CGameScene::Release( MOUSE_BUTTON_LEFT );
}

TEST( TitleInGameTest, ReleaseEndsTheTitleAtTheNextGameUpdate )
{
    test::CGameScene scene( "title_game" );
    horror::CHorrorGame game;
    ASSERT_NE( game.GetTitle(), nullptr );
    scene.Advance( 3000 );
    game.Update();
    game.Update();
    EXPECT_EQ( game.GetTitle()->GetState(), 2 );

    test::CGameScene::Release( MOUSE_BUTTON_RIGHT );
    game.Update();
    ASSERT_NE( game.GetTitle(), nullptr );
    test::CGameScene::Release( MOUSE_BUTTON_LEFT );
    game.Update();
    EXPECT_EQ( game.GetTitle(), nullptr );
    EXPECT_NE( game.GetQuestions(), nullptr );
}
