// The game's screens on a hand-set clock with synthetic clicks: the dialogue
// box, the title sequence and the question screen, alone and in the game.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "horror/cdialogue.h"
#include "horror/chorrorgame.h"
#include "horror/cquestions.h"
#include "horror/cscriptrunner.h"
#include "horror/ctitlesequence.h"
#include "horror/gameworld.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/ui/cbuttonwidget.h"
#include "tarn/utils/xmlobject.h"

using namespace tarn;
using horror::test::CGameWorld;
using Strings = std::vector<std::string>;

namespace {

// A sprite's alpha as ", <name> <alpha>" ("~" while it fades), or "".
std::string Alpha( const std::string& name, const CSprite* sprite )
{
    if( !sprite )
        return "";
    const int alpha = sprite->GetAlpha();
    return ", " + name + " " + ( alpha == 0 || alpha == 255 ? std::to_string( alpha ) : "~" );
}

std::string Line( const std::string& speaker, const std::string& text, const std::string& after = "" )
{
    return "<DialogLine><SpeakerImage>" + speaker + "</SpeakerImage><Dialogue>" + text +
           "</Dialogue><AfterExecute>" + after + "</AfterExecute></DialogLine>";
}

const std::string MOTH = "data/gfx/portrait_moth.xml";
const std::string LADY = "data/gfx/portrait_lady.xml";

// A dialogue box whose scripts are remembered with the line shown and the
// lines queued when they ran ("closing" once the last line was clicked past).
class DialogueTest : public ::testing::Test, public horror::CScriptRunner
{
protected:
    DialogueTest() { dialogue->SetScriptRunner( this ); }
    bool RunScript( const std::string& text ) override
    {
        const std::string lines = std::to_string( dialogue->GetLines().size() );
        scripts.push_back( dialogue->IsActive() ? text + " over \"" + dialogue->GetText() + "\", " + lines + " queued"
                                                : text + " closing" );
        return true;
    }
    void Load( const std::string& lines )
    {
        world.Write( "data/dialogs/talk.xml", "<WittyDialog>" + lines + "</WittyDialog>\n" );
        ASSERT_TRUE( XmlLoadFromFile( *dialogue, "data/dialogs/talk.xml" ) );
    }
    // Dialogue updates after a frame ms later (none when 0).
    void Update( types::ticks ms = 0, int times = 1 )
    {
        if( ms > 0 )
            world.Advance( ms );
        for( int i = 0; i < times; ++i )
            dialogue->Update();
    }
    void TypeToTheEnd()
    {
        for( int i = 0; i < 500 && !dialogue->IsLineComplete(); ++i )
            Update( 25 );
    }
    static void Click( int button = MOUSE_BUTTON_LEFT ) { CGameWorld::Press( button ); }

    // Where the box and the portrait stand, the text typed so far, the
    // prompt and the lines queued.
    std::string Looks() const
    {
        std::ostringstream out;
        out << "box " << dialogue->GetBoxSprite()->GetY();
        if( const CSprite* face = dialogue->GetSpeakerSprite() )
            out << ", face " << face->GetX() << "," << face->GetY();
        if( dialogue->GetTextSprite() )
            out << ", \"" << dialogue->GetText().substr( 0, dialogue->GetShownChars() ) << "\""
                << ( dialogue->IsLineComplete() ? " complete" : "" );
        out << Alpha( "prompt", dialogue->GetContinueSprite() );
        if( !dialogue->GetLines().empty() )
            out << ", " << dialogue->GetLines().size() << " queued";
        return out.str();
    }

    CGameWorld world{ "dialogue" };
    Strings scripts;
    std::unique_ptr<horror::CDialogue> dialogue = std::make_unique<horror::CDialogue>();
};

} // namespace

TEST_F( DialogueTest, BoxSlidesUpTypesALineAndFadesInThePromptTwoSecondsAfter )
{
    EXPECT_FALSE( dialogue->IsActive() );
    dialogue->SetSpeakerImage( MOTH );
    EXPECT_EQ( Looks(), "box 600, face -300,300" ) << "a closed box keeps its portrait parked";
    dialogue->SetText( "Hello" );
    EXPECT_TRUE( dialogue->IsActive() );
    Update( 750 );
    EXPECT_EQ( Looks(), "box 441, face 0,300, \"\"" );
    Update( 1 );
    EXPECT_EQ( Looks(), "box 441, face 0,300, \"H\"" );
    Update( 0, 2 );
    EXPECT_EQ( Looks(), "box 441, face 0,300, \"Hel\"" ) << "one character per update, whatever the time";
    Update( 0, 2 );
    EXPECT_EQ( Looks(), "box 441, face 0,300, \"Hello\"" ) << "complete one update after the last character";
    Update();
    EXPECT_EQ( Looks(), "box 441, face 0,300, \"Hello\" complete" );
    Update( 2000 );
    EXPECT_EQ( Looks(), "box 441, face 0,300, \"Hello\" complete" );
    Update( 1 );
    EXPECT_EQ( Looks(), "box 441, face 0,300, \"Hello\" complete, prompt 0" );
    for( const char* prompt : { "~", "255" } )
    {
        for( int frame = 0; frame < 5; ++frame )
            world.Advance( 100 );
        EXPECT_EQ( Looks(), "box 441, face 0,300, \"Hello\" complete, prompt " + std::string( prompt ) )
            << "faded in over 1000 ms";
    }
    Click();
    EXPECT_EQ( Looks(), "box 441, face 0,300" );
    EXPECT_FALSE( dialogue->IsActive() ) << "clicking past the only line closes the box";
}

TEST_F( DialogueTest, ClicksCompleteTheLineAndThenAdvanceOnlyOnceItIsMarkedComplete )
{
    Load( Line( MOTH, "Hello" ) + Line( MOTH, "Bye" ) );
    world.Advance( 350 );
    Click();
    world.Advance( 1 );
    Click( MOUSE_BUTTON_RIGHT );
    Click( MOUSE_BUTTON_MIDDLE );
    Update( 400 );
    EXPECT_EQ( Looks(), "box 441, face 0,300, \"H\", 2 queued" ) << "clicks in 350 ms and of other buttons are ignored";
    Click();
    Update();
    EXPECT_EQ( Looks(), "box 441, face 0,300, \"Hello\", 2 queued" ) << "a click shows the line at the next update";
    Click();
    EXPECT_EQ( Looks(), "box 441, face 0,300, \"Hell\", 2 queued" ) << "not advanced before the line is complete";
    Update( 0, 2 );
    Click();
    EXPECT_EQ( Looks(), "box 441, face 0,300, \"\", 1 queued" );
    Click();
    EXPECT_EQ( Looks(), "box 441, face 0,300, \"By\", 1 queued" ) << "an open box takes clicks at once";
}

// Lines are read in order; other elements are skipped, and keys left out are empty.
TEST_F( DialogueTest, AfterExecuteRunsBeforeTheNextLineAndAfterTheLastLineClosedTheBox )
{
    Load( Line( MOTH, "One", "first();" ) + "<Note>skipped</Note><DialogLine><Dialogue>Two</Dialogue></DialogLine>" +
          Line( LADY, "Three", "third();" ) );
    for( int line = 0; line < 3; ++line )
    {
        TypeToTheEnd();
        Click();
    }
    EXPECT_EQ( scripts, ( Strings{ "first(); over \"One\", 2 queued", "third(); closing" } ) )
        << "no AfterExecute, no script";
    world.Advance( 750 );
    EXPECT_EQ( Looks(), "box 601, face -300,280" ) << "the portrait stays loaded";
}

TEST_F( DialogueTest, ReadingAFileIntoAnOpenBoxReplacesTheQueueWithoutSliding )
{
    Load( Line( MOTH, "One" ) + Line( MOTH, "Two" ) );
    world.Advance( 800 );
    const CSprite* moth = dialogue->GetSpeakerSprite();
    Load( Line( MOTH, "Other" ) + Line( LADY, "More" ) + Line( LADY, "Most" ) );
    EXPECT_EQ( Looks(), "box 441, face 0,300, \"\", 3 queued" );
    EXPECT_EQ( dialogue->GetText(), "Other" );
    EXPECT_EQ( CGameWorld::EffectCount(), 0u ) << "neither the box nor the same portrait moves";
    EXPECT_EQ( dialogue->GetSpeakerSprite(), moth );
    // A new speaker: the old portrait slides out and is kept 2100 ms for it.
    const std::size_t sprites = CGameWorld::SpriteCount();
    Load( Line( LADY, "Lady" ) );
    EXPECT_EQ( CGameWorld::EffectCount(), 2u );
    for( const types::ticks ms : { 0, 2099, 1 } )
    {
        world.Advance( ms );
        RunFakeThreads( 0 );
        EXPECT_EQ( CGameWorld::SpriteCount(), sprites + ( ms == 1 ? 0 : 1 ) ) << ms;
    }
    EXPECT_EQ( Looks(), "box 441, face 0,280, \"\", 1 queued" );
}

TEST_F( DialogueTest, LineWithoutTextIsCompleteAtOnceAndCanBeClickedPast )
{
    Load( Line( MOTH, "", "silence();" ) + Line( MOTH, "After the silence" ) );
    Update( 2001 );
    EXPECT_EQ( Looks(), "box 441, face 0,300, \"\" complete, prompt 0, 2 queued" );
    Click();
    EXPECT_EQ( scripts, Strings{ "silence(); over \"\", 1 queued" } );
    EXPECT_EQ( dialogue->GetText(), "After the silence" );
    // An empty text on a closed box opens it and can be clicked away.
    TypeToTheEnd();
    Click();
    ASSERT_FALSE( dialogue->IsActive() );
    dialogue->SetSpeakerImage( "" );
    dialogue->SetText( "" );
    EXPECT_TRUE( dialogue->IsActive() );
    EXPECT_EQ( dialogue->GetSpeakerSprite(), nullptr );
    world.Advance( 351 );
    Click();
    EXPECT_FALSE( dialogue->IsActive() );
}

TEST( DialogueInGameTest, DoDialogReplacesOnlyTheVisibleTextOfQueuedLines )
{
    CGameWorld world( "game_dialogue" );
    world.Write( "data/dialogs/talk.xml", "<WittyDialog>" + Line( MOTH, "First", "LoadLevel( \"data/levels/x.xml\" )" )
                                              + Line( MOTH, "Second" ) + "</WittyDialog>\n" );
    horror::CHorrorGame game;
    horror::CDialogue* dialogue = game.GetDialogue();
    game.RunScript( "LoadDialog( \"data/dialogs/talk.xml\" )" );
    EXPECT_FALSE( dialogue->IsActive() ) << "the file is read at the next update";
    game.Update();
    game.Update();
    EXPECT_TRUE( game.GetGameplay().IsPaused() );
    EXPECT_EQ( dialogue->GetText(), "First" );
    game.RunScript( "DoDialog( \"data/gfx/portrait_moth.xml\", \"Interruption\" )" );
    EXPECT_EQ( dialogue->GetText(), "Interruption" );
    world.Advance( 751 );
    for( int i = 0; i < 20; ++i )
        dialogue->Update();
    EXPECT_EQ( dialogue->GetLines().size(), 2u );
    CGameWorld::Press( MOUSE_BUTTON_LEFT );
    EXPECT_EQ( game.GetPendingLevel(), "data/levels/x.xml" ) << "the queued line's script ran";
    EXPECT_EQ( dialogue->GetText(), "Second" );
    EXPECT_EQ( dialogue->GetLines().size(), 1u );
}

namespace {

// Elapsed times at which the title moves from state i to state i + 1.
const types::ticks STEP_AT[] = { 1, 2501, 6501, 10001, 12001, 15501, 17001, 19501 };

// The title or the question screen over its background.
template <class Screen>
class ScreenTest : public ::testing::Test
{
protected:
    void Start()
    {
        screen = std::make_unique<Screen>( named, background );
        start = world.Clock().Now();
    }
    // A main-loop pass elapsed ms after the start: update, frame, fake threads.
    void At( types::ticks elapsed )
    {
        world.Clock().Set( start + elapsed );
        screen->Update();
        world.Frame();
        RunFakeThreads( 0 );
    }

    CGameWorld world{ "screen" };
    horror::CBackgroundLayer background;
    horror::NamedSprites named;
    types::ticks start = 0;
    std::unique_ptr<Screen> screen;
};

class TitleSequenceTest : public ScreenTest<horror::CTitleSequence>
{
protected:
    TitleSequenceTest() { named[ "candle" ] = SpritePtr( CSpriteFactory::LoadSprite( "data/gfx/morvane_logo.xml" ) ); }
    // The title is updated after the frame.
    void At( types::ticks elapsed )
    {
        world.Clock().Set( start + elapsed );
        world.Frame();
        screen->Update();
    }
    // The state, the black cover and the logo, the credit shown, where the
    // black block that wipes the credits stands, and the logo's flicker.
    std::string Looks() const
    {
        const CSprite* credit = screen->GetText();
        return std::to_string( screen->GetState() ) + Alpha( "cover", screen->GetBlackout() ) +
               Alpha( "logo", screen->GetLogo() ) +
               ( credit ? ", " + std::filesystem::path( credit->GetFileName() ).stem().string() : "" ) + ", block " +
               std::to_string( screen->GetFader()->GetX() ) + ( screen->IsFlickering() ? ", flicker" : "" ) +
               ( screen->IsFinished() ? ", finished" : "" );
    }
};

} // namespace

TEST_F( TitleSequenceTest, TheTimelineFromTheBlackCoverToTheEnd )
{
    Start();
    EXPECT_TRUE( named.empty() ) << "sprites of scripts leave with a new game";
    EXPECT_NE( background.GetBackground(), nullptr ) << "the title's background";
    // Fades move on every second frame.
    const std::pair<types::ticks, const char*> timeline[] = {
        { 0, "0, cover 255, block 726" }, { 1, "1, cover 255, block 726" }, { 1000, "1, cover 255, block 726" },
        { 1500, "1, cover ~, block 726" }, { 2500, "1, cover ~, block 726" }, { 2501, "2, logo 0, block 726" },
        { 6500, "2, logo 0, block 726" }, { 6501, "3, logo 255, title_game_by, block 48" },
        { 8001, "3, logo 255, title_game_by, block 726" }, { 8500, "3, logo 255, title_game_by, block 726" },
        { 8501, "3, logo 255, title_game_by, block 726, flicker" }, { 9001, "3, logo 255, title_game_by, block 726" },
        { 10000, "3, logo 255, title_game_by, block 726" }, { 10001, "4, logo 255, title_game_by, block -726" },
        { 12000, "4, logo 255, title_game_by, block 48" }, { 12001, "5, logo 255, title_music_by, block 48" },
        { 15500, "5, logo 255, title_music_by, block 726" }, { 15501, "6, logo 255, title_music_by, block -726" },
        { 15502, "6, cover 0, logo 255, title_music_by, block -726" },
        { 17000, "6, cover 0, logo 255, title_music_by, block 47, flicker" },
        { 17001, "7, cover 0, logo 255, title_music_by, block 48" },
        { 17501, "7, cover 0, logo 255, title_music_by, block 48" },
        { 18001, "7, cover ~, logo 255, title_music_by, block 48" },
        { 19500, "7, cover ~, logo 255, title_music_by, block 48" },
        { 19501, "8, cover ~, logo 255, title_music_by, block 48, finished" },
        { 30000, "8, cover ~, logo 255, title_music_by, block 48, finished" } };
    for( const auto& [ ms, looks ] : timeline )
    {
        At( ms );
        EXPECT_EQ( Looks(), looks ) << "at " << ms;
        if( ms == 8501 )
        {
            At( 8600 );
            EXPECT_EQ( screen->GetLogo()->GetAlpha(), 8600 % 255 ) << "the flicker";
        }
    }
}

TEST_F( TitleSequenceTest, LongUpdateDoesAllOfOneStateButAdvancesOneState )
{
    Start();
    for( int state = 0; state < 3; ++state )
        At( STEP_AT[ state ] );
    At( 25000 );
    EXPECT_EQ( Looks(), "4, logo 255, title_game_by, block -726" ) << "the flicker went on and off in one update";
    for( int state = 5; state <= 8; ++state )
    {
        screen->Update();
        EXPECT_EQ( screen->GetState(), state );
    }
    EXPECT_EQ( Looks(), "8, cover 0, logo 255, title_music_by, block -726, finished" );
}

TEST_F( TitleSequenceTest, OnlyALeftButtonReleaseEndsTheTitleInAnyState )
{
    for( int state = 0; state <= 7; ++state )
    {
        SCOPED_TRACE( state );
        Start();
        for( int i = 0; i < state; ++i )
            At( STEP_AT[ i ] );
        ASSERT_EQ( screen->GetState(), state );
        CGameWorld::Press( MOUSE_BUTTON_LEFT );
        CGameWorld::Release( MOUSE_BUTTON_RIGHT );
        CGameWorld::Release( MOUSE_BUTTON_MIDDLE );
        EXPECT_FALSE( screen->IsFinished() );
        CGameWorld::Release( MOUSE_BUTTON_LEFT );
        EXPECT_TRUE( screen->IsFinished() );
    }
    screen.reset();
    CGameWorld::Release( MOUSE_BUTTON_LEFT ); // a title gone no longer listens
}

namespace {

const int YES_X = 200, YES_Y = 380, NO_X = 520, NO_Y = 375, CONTINUE_X = 370, CONTINUE_Y = 365;
// The yes and no buttons: name, place, size, and where their picture stands.
const std::string BUTTONS = ", questions_yes 176,363 72x42 at 176, questions_no 495,363 56x31 at 495";

class QuestionsTest : public ScreenTest<horror::CQuestions>
{
protected:
    QuestionsTest() { Start(); }
    // The state, the question's and the prompt's alpha, and the buttons.
    std::string Looks() const
    {
        std::ostringstream out;
        out << screen->GetState() << Alpha( "question", screen->GetQuestion() )
            << Alpha( "prompt", screen->GetPrompt() );
        for( const ui::CButtonWidget* button : { screen->GetYesButton(), screen->GetNoButton() } )
        {
            if( button )
                out << ", " << button->GetName() << " " << button->GetRect().x << "," << button->GetRect().y << " "
                    << button->GetRect().w << "x" << button->GetRect().h << " at " << button->GetSprite()->GetX();
        }
        return out.str();
    }
};

bool QuitRequested()
{
    return CTaskManager::GetSingletonPtr()->IsQuitRequested();
}

} // namespace

TEST_F( QuestionsTest, ButtonsComeAfter3000msAndReactOnlyToLeftReleasesInside )
{
    const std::pair<types::ticks, std::string> timeline[] = {
        { 1500, "0" },
        { 1501, "1, question 255, prompt 0" },
        { 3000, "1, question 255, prompt ~" },
        { 3001, "1, question 255, prompt ~" + BUTTONS } };
    for( const auto& [ ms, looks ] : timeline )
    {
        At( ms );
        EXPECT_EQ( Looks(), looks ) << "at " << ms;
    }
    // A pixel outside each edge of both buttons.
    for( const auto& [ x, y ] : { std::pair{ 175, 380 }, std::pair{ 248, 380 }, std::pair{ 200, 362 },
                                  std::pair{ 200, 405 }, std::pair{ 494, 370 }, std::pair{ 551, 370 },
                                  std::pair{ 520, 394 } } )
        CGameWorld::ClickAt( x, y );
    CGameWorld::MoveMouse( 176, 363 );
    CGameWorld::Release( MOUSE_BUTTON_RIGHT );
    CGameWorld::Press( MOUSE_BUTTON_LEFT );
    EXPECT_EQ( screen->GetState(), 1 ) << "neither a click outside, the right button nor a press answers";
    CGameWorld::Release( MOUSE_BUTTON_LEFT );
    EXPECT_EQ( screen->GetState(), 2 );
    CGameWorld::ClickAt( 247, 404 );
    EXPECT_EQ( screen->GetState(), 3 );
    CGameWorld::ClickAt( 550, 393 );
    EXPECT_TRUE( screen->IsDone() );
    EXPECT_TRUE( screen->IsQuit() );
}

TEST_F( QuestionsTest, TextsAreWipedAndFadedInAndRetiredTextsLeaveAfterTwoSeconds )
{
    At( 1501 );
    const CSprite* first = screen->GetQuestion();
    EXPECT_EQ( Looks(), "1, question 255, prompt 0" ) << "the first question is wiped in; the prompt fades in";
    At( 3001 );
    At( 3502 );
    EXPECT_EQ( Looks(), "1, question 255, prompt 255" + BUTTONS );
    const std::size_t sprites = CGameWorld::SpriteCount();
    CGameWorld::ClickAt( YES_X, YES_Y );
    ASSERT_NE( screen->GetQuestion(), first );
    EXPECT_EQ( Looks(), "2, question 0, prompt 255" + BUTTONS ) << "the file gives the starting alpha";
    EXPECT_EQ( CGameWorld::SpriteCount(), sprites + 1 ) << "the retired text is still fading";
    RunFakeThreads( 0 );
    // A quick second answer: both retired texts fade out on their own.
    CGameWorld::ClickAt( YES_X, YES_Y );
    RunFakeThreads( 0 );
    EXPECT_EQ( CGameWorld::SpriteCount(), sprites + 2 );
    for( types::ticks t = 3600; t <= 5100; t += 100 )
        At( t );
    EXPECT_EQ( Looks(), "3, question 255, prompt 255" + BUTTONS );
    At( 5502 );
    RunFakeThreads( 0 );
    EXPECT_EQ( CGameWorld::SpriteCount(), sprites ) << "both retired texts are gone";
    CGameWorld::ClickAt( YES_X, YES_Y );
    EXPECT_EQ( Looks(), "4, question 0" + BUTTONS ) << "the third yes retires the prompt as well";
    At( 5600 );
    EXPECT_EQ( Looks(), "4, question 0, questions_yes 295,348 150x35 at 295" ) << "continue in place of yes and no";
    CGameWorld::ClickAt( YES_X, YES_Y );
    CGameWorld::ClickAt( NO_X, NO_Y );
    EXPECT_EQ( screen->GetState(), 4 );
    CGameWorld::ClickAt( CONTINUE_X, CONTINUE_Y );
    EXPECT_EQ( screen->GetState(), 5 );
    CGameWorld::ClickAt( CONTINUE_X, CONTINUE_Y );
    EXPECT_TRUE( screen->IsDone() && !screen->IsQuit() );
}

// In the game a left release ends the title at the next update; no at any
// of the three questions quits without a level, and yes three times and
// continue twice start the first.
TEST( ScreensInGameTest, TheTitleAndTheAnswersLeadToTheFirstLevelOrOut )
{
    for( int yes = 0; yes <= 3; ++yes )
    {
        SCOPED_TRACE( yes );
        CGameWorld world( "questions_game" );
        horror::CHorrorGame game;
        world.Advance( 3000 );
        game.Update();
        CGameWorld::Release( MOUSE_BUTTON_LEFT );
        EXPECT_NE( game.GetTitle(), nullptr );
        game.Update();
        EXPECT_EQ( game.GetTitle(), nullptr );
        ASSERT_NE( game.GetQuestions(), nullptr );
        for( const types::ticks ms : { 1501, 1500 } )
        {
            world.Advance( ms );
            game.Update();
        }
        std::vector<std::pair<int, int>> clicks( yes, { YES_X, YES_Y } );
        clicks.insert( clicks.end(), yes < 3 ? 1 : 2,
                       yes < 3 ? std::pair{ NO_X, NO_Y } : std::pair{ CONTINUE_X, CONTINUE_Y } );
        for( const auto& [ x, y ] : clicks )
        {
            CGameWorld::ClickAt( x, y );
            game.Update();
        }
        EXPECT_EQ( game.GetQuestions(), nullptr );
        EXPECT_EQ( QuitRequested(), yes < 3 );
        EXPECT_EQ( game.GetCurrentLevel() + game.GetPendingLevel(), yes < 3 ? "" : "data/levels/level_01.xml" );
    }
}
