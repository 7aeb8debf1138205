#include "horror/cquestions.h"

#include "horror/cbackgroundlayer.h"
#include "horror/cdelayedrelease.h"
#include "horror/gameeffects.h"
#include "tarn/ui/cbuttonwidget.h"
#include "tarn/ui/cdesktop.h"

using namespace tarn;

namespace horror {

namespace {

const char* const BACKGROUND_FILE = "data/gfx/questions_background.xml";
const char* const BLACKOUT_FILE = "data/gfx/title_blackout.xml";
const char* const STAIR_FILE = "data/gfx/blackstair.xml";
const char* const PROMPT_FILE = "data/gfx/questions_continue.xml";
const char* const QUESTION_FILES[] = { "data/gfx/questions_01.xml", "data/gfx/questions_02.xml",
                                       "data/gfx/questions_03.xml", "data/gfx/questions_04.xml",
                                       "data/gfx/questions_05.xml" };

const types::ticks FIRST_QUESTION_AT = 1500;
const types::ticks BUTTONS_AT = 3000;
const types::ticks FADE_TIME = 1500;
const types::ticks KEEP_ALIVE = 2000;

// A button on the desktop whose click calls function of questions.
std::unique_ptr<ui::CButtonWidget> MakeButton( const char* name, const char* sprite, const types::rect& rect,
                                               CQuestions* questions, void ( CQuestions::*function )() )
{
    auto button = std::make_unique<ui::CButtonWidget>( name, sprite );
    button->SetRect( rect );
    ui::GetDesktop()->AddChild( button.get() );
    button->Connect( ui::CButtonWidget::EVENT_CLICK, questions, function );
    return button;
}

} // namespace

CQuestions::CQuestions( NamedSprites& named, CBackgroundLayer& background )
{
    ClearTheStage( named, background, BACKGROUND_FILE );
    SpritePtr blackout = LoadGameSprite( BLACKOUT_FILE );
    FadeSprite( blackout.get(), 0, FADE_TIME, "t" );
    CDelayedRelease::Hold( blackout, KEEP_ALIVE );
    myTimer.Reset();
}

CQuestions::~CQuestions() = default;

void CQuestions::Update()
{
    const types::ticks elapsed = myTimer.GetTime();
    if( myState == 0 && elapsed > FIRST_QUESTION_AT )
        Next();
    if( myButtonsShown || elapsed <= BUTTONS_AT )
        return;
    if( myState == 1 )
    {
        ShowYesNo();
        myButtonsShown = true;
    }
    else if( myState == 4 )
    {
        ShowContinue();
        myButtonsShown = true;
    }
}

void CQuestions::Next()
{
    ++myState;
    switch( myState )
    {
    case 1:
        myQuestion = LoadGameSprite( QUESTION_FILES[ 0 ] );
        myStair = LoadGameSprite( STAIR_FILE );
        if( myStair )
        {
            myStair->SetPosition( 31, 123 );
            SlideSprite( myStair.get(), 700, 123, 2000, "t" );
        }
        myPrompt = LoadGameSprite( PROMPT_FILE );
        if( myPrompt )
            myPrompt->SetAlpha( 0 );
        FadeSprite( myPrompt.get(), 255, 3000, "t" );
        break;
    case 2:
    case 3:
    case 5:
        RetireQuestion();
        ShowQuestion( QUESTION_FILES[ myState - 1 ] );
        break;
    case 4:
        RetirePrompt();
        RetireQuestion();
        ShowQuestion( QUESTION_FILES[ 3 ] );
        myButtonsShown = false;
        break;
    case DONE_STATE:
        myDone = true;
        break;
    default:
        break;
    }
}

void CQuestions::OnNo()
{
    myDone = true;
    myQuit = true;
}

void CQuestions::ShowYesNo()
{
    myYesButton = MakeButton( "questions_yes", "data/gfx/questions_yes.xml", types::rect{ 176, 363, 72, 42 }, this,
                              &CQuestions::Next );
    myNoButton = MakeButton( "questions_no", "data/gfx/questions_no.xml", types::rect{ 495, 363, 56, 31 }, this,
                             &CQuestions::OnNo );
}

void CQuestions::ShowContinue()
{
    myYesButton.reset();
    myNoButton.reset();
    myYesButton = MakeButton( "questions_yes", "data/gfx/questions_you_continue.xml",
                              types::rect{ 295, 348, 150, 35 }, this, &CQuestions::Next );
}

void CQuestions::RetireQuestion()
{
    CDelayedRelease::Hold( myQuestion, KEEP_ALIVE );
    FadeSprite( myQuestion.get(), 0, FADE_TIME, "t" );
}

void CQuestions::ShowQuestion( const char* file )
{
    myQuestion = LoadGameSprite( file );
    FadeSprite( myQuestion.get(), 255, FADE_TIME, "t" );
}

void CQuestions::RetirePrompt()
{
    CDelayedRelease::Hold( myPrompt, KEEP_ALIVE );
    FadeSprite( myPrompt.get(), 0, FADE_TIME, "t" );
    myPrompt.reset();
}

} // namespace horror
