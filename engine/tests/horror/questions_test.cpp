// The question screen: its buttons, its texts and where the answers lead.
#include <gtest/gtest.h>

#include <memory>

#include "horror/chorrorgame.h"
#include "horror/cquestions.h"
#include "horror/gamescene.h"
#include "tarn/gfx/csprite.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/ui/cbuttonwidget.h"

using namespace tarn;
using horror::CQuestions;

namespace {

const int YES_X = 200;
const int YES_Y = 380;
const int NO_X = 520;
const int NO_Y = 375;
const int CONTINUE_X = 370;
const int CONTINUE_Y = 365;

bool QuitRequested()
{
    return CTaskManager::GetSingletonPtr()->IsQuitRequested();
}

// A game skipped past its title to a question screen with its yes and no
// buttons up.
void SkipToButtons( test::CGameScene& scene, horror::CHorrorGame& game )
{
    test::CGameScene::Release( MOUSE_BUTTON_LEFT );
    game.Update();
    ASSERT_NE( game.GetQuestions(), nullptr );
    scene.Advance( 1501 );
    game.Update();
    scene.Advance( 1500 );
    game.Update();
    ASSERT_NE( game.GetQuestions()->GetYesButton(), nullptr );
}

} // namespace

TEST( QuestionsInGameTest, YesThreeTimesThenContinueTwiceStartsTheFirstLevel )
{
    test::CGameScene scene( "questions_yes" );
    horror::CHorrorGame game;
    SkipToButtons( scene, game );
    CQuestions* questions = game.GetQuestions();

    for( int answer = 0; answer < 3; ++answer )
    {
        test::CGameScene::ClickAt( YES_X, YES_Y );
        game.Update();
    }
    ASSERT_EQ( questions->GetState(), 4 );
    EXPECT_EQ( questions->GetNoButton(), nullptr );
    ui::CButtonWidget* next = questions->GetYesButton();
    ASSERT_NE( next, nullptr );
    EXPECT_EQ( next->GetName(), "questions_yes" );
    EXPECT_EQ( next->GetRect(), ( types::rect{ 295, 348, 150, 35 } ) );

    test::CGameScene::ClickAt( YES_X, YES_Y );
    test::CGameScene::ClickAt( NO_X, NO_Y );
    EXPECT_EQ( questions->GetState(), 4 ) << "the yes and no buttons are gone";
    test::CGameScene::ClickAt( CONTINUE_X, CONTINUE_Y );
    game.Update();
    EXPECT_EQ( questions->GetState(), 5 );
    test::CGameScene::ClickAt( CONTINUE_X, CONTINUE_Y );
    game.Update();

    EXPECT_EQ( game.GetQuestions(), nullptr );
    EXPECT_EQ( game.GetCurrentLevel(), "data/levels/level_01.xml" );
    EXPECT_FALSE( QuitRequested() );
}

TEST( QuestionsInGameTest, NoAtAnyOfTheThreeQuestionsQuitsWithoutALevel )
{
    for( int yes = 0; yes < 3; ++yes )
    {
        test::CGameScene scene( "questions_no" );
        horror::CHorrorGame game;
        SkipToButtons( scene, game );
        for( int answer = 0; answer < yes; ++answer )
            test::CGameScene::ClickAt( YES_X, YES_Y );
        EXPECT_FALSE( QuitRequested() );
        test::CGameScene::ClickAt( NO_X, NO_Y );
        game.Update();

        EXPECT_TRUE( QuitRequested() ) << "after " << yes << " yes";
        EXPECT_EQ( game.GetQuestions(), nullptr );
        EXPECT_EQ( game.GetCurrentLevel(), "" );
        EXPECT_EQ( game.GetPendingLevel(), "" );
    }
}

class QuestionsTest : public ::testing::Test
{
protected:
    // A main-loop pass elapsed ms after the start: a question update, a
    // graphics frame and the fake threads.
    void At( types::ticks elapsed )
    {
        scene.GetClock().Set( start + elapsed );
        questions->Update();
        scene.Frame();
        scene.RunFakeThreads();
    }

    test::CGameScene scene{ "questions" };
    types::ticks start = scene.GetClock().Now();
    horror::NamedSprites named;
    horror::CBackgroundLayer background;
    std::unique_ptr<CQuestions> questions = std::make_unique<CQuestions>( named, background );
};

TEST_F( QuestionsTest, ButtonsComeAfter3000msAndReactOnlyToReleasesInside )
{
    At( 1500 );
    EXPECT_EQ( questions->GetState(), 0 );
    At( 1501 );
    EXPECT_EQ( questions->GetState(), 1 );
    ASSERT_NE( questions->GetQuestion(), nullptr );
    At( 3000 );
    EXPECT_EQ( questions->GetYesButton(), nullptr );
    At( 3001 );
    ASSERT_NE( questions->GetYesButton(), nullptr );
    ASSERT_NE( questions->GetNoButton(), nullptr );
    EXPECT_EQ( questions->GetYesButton()->GetName(), "questions_yes" );
    EXPECT_EQ( questions->GetYesButton()->GetRect(), ( types::rect{ 176, 363, 72, 42 } ) );
    EXPECT_EQ( questions->GetNoButton()->GetName(), "questions_no" );
    EXPECT_EQ( questions->GetNoButton()->GetRect(), ( types::rect{ 495, 363, 56, 31 } ) );
    ASSERT_NE( questions->GetYesButton()->GetSprite(), nullptr );
    EXPECT_EQ( questions->GetYesButton()->GetSprite()->GetX(), 176 );

    for( const auto& outside : { std::pair{ 175, 380 }, std::pair{ 248, 380 }, std::pair{ 200, 362 },
                                 std::pair{ 200, 405 }, std::pair{ 494, 370 }, std::pair{ 551, 370 },
                                 std::pair{ 520, 394 } } )
        test::CGameScene::ClickAt( outside.first, outside.second );
    EXPECT_EQ( questions->GetState(), 1 );
    EXPECT_FALSE( questions->IsDone() );

    test::CGameScene::MoveMouse( 176, 363 );
    test::CGameScene::Release( MOUSE_BUTTON_RIGHT );
    test::CGameScene::Press( MOUSE_BUTTON_LEFT );
    EXPECT_EQ( questions->GetState(), 1 ) << "neither the right button nor a press answers";
    test::CGameScene::Release( MOUSE_BUTTON_LEFT );
    EXPECT_EQ( questions->GetState(), 2 );
    test::CGameScene::ClickAt( 247, 404 );
    EXPECT_EQ( questions->GetState(), 3 );
    test::CGameScene::ClickAt( 550, 393 );
    EXPECT_TRUE( questions->IsDone() );
    EXPECT_TRUE( questions->IsQuit() );
}

TEST_F( QuestionsTest, TextsAreWipedAndFadedInAndRetiredTextsLeaveAfterTwoSeconds )
{
    At( 1501 );
    ASSERT_NE( questions->GetPrompt(), nullptr );
    EXPECT_EQ( questions->GetPrompt()->GetAlpha(), 0 );
    CSprite* first = questions->GetQuestion();
    EXPECT_EQ( first->GetAlpha(), 255 ) << "the first question is wiped in, not faded";
    At( 3001 );
    At( 3502 );
    EXPECT_GT( questions->GetPrompt()->GetAlpha(), 0 );

    const std::size_t sprites = test::CGameScene::SpriteCount();
    test::CGameScene::ClickAt( YES_X, YES_Y );
    CSprite* second = questions->GetQuestion();
    ASSERT_NE( second, first );
    EXPECT_EQ( second->GetAlpha(), 0 ) << "the file gives the starting alpha";
    EXPECT_EQ( test::CGameScene::SpriteCount(), sprites + 1 ) << "the retired text is still fading";
    scene.RunFakeThreads();

    // A quick second answer: both retired texts fade out on their own.
    test::CGameScene::ClickAt( YES_X, YES_Y );
    scene.RunFakeThreads();
    EXPECT_EQ( test::CGameScene::SpriteCount(), sprites + 2 );
    for( types::ticks t = 3600; t <= 5100; t += 100 )
        At( t );
    EXPECT_EQ( questions->GetQuestion()->GetAlpha(), 255 );
    At( 5502 );
    scene.RunFakeThreads();
    EXPECT_EQ( test::CGameScene::SpriteCount(), sprites ) << "both retired texts are gone";

    // The third yes retires the prompt as well.
    test::CGameScene::ClickAt( YES_X, YES_Y );
    EXPECT_EQ( questions->GetState(), 4 );
    EXPECT_EQ( questions->GetPrompt(), nullptr );
}
