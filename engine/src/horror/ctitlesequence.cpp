#include "horror/ctitlesequence.h"

#include "horror/cbackgroundlayer.h"
#include "horror/gameeffects.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/tasks/ctaskmanager.h"

using namespace tarn;

namespace horror {

namespace {

const char* const BACKGROUND_FILE = "data/gfx/title_background.xml";
const char* const BLACKOUT_FILE = "data/gfx/title_blackout.xml";
const char* const LOGO_FILE = "data/gfx/morvane_logo.xml";
const char* const GAME_BY_FILE = "data/gfx/title_game_by.xml";
const char* const MUSIC_BY_FILE = "data/gfx/title_music_by.xml";
const char* const FADER_FILE = "data/gfx/blackfader.xml";

// The black block wipes a credit in by sliding off it to the right, and out
// by sliding back over it from the left.
const int FADER_Y = 369;
const int FADER_COVER_X = 48;
const int FADER_RIGHT_X = 726;
const int FADER_LEFT_X = -726;
const types::ticks WIPE_TIME = 1500;

void SetAlpha( const SpritePtr& sprite, int alpha )
{
    if( sprite )
        sprite->SetAlpha( alpha );
}

} // namespace

CTitleSequence::CTitleSequence( NamedSprites& named, CBackgroundLayer& background )
{
    CInputDispatcher::GetSingletonPtr()->AddMouseListener( this );
    myTimer.Reset();
    ClearTheStage( named, background, BACKGROUND_FILE );
    myBlackout = LoadGameSprite( BLACKOUT_FILE );
    FadeSprite( myBlackout.get(), 0, 3000, "t" );
    myFader = LoadGameSprite( FADER_FILE );
}

CTitleSequence::~CTitleSequence()
{
    if( CInputDispatcher::HasSingleton() )
        CInputDispatcher::GetSingletonPtr()->RemoveMouseListener( this );
}

void CTitleSequence::OnMouseMove( int, int )
{
}

void CTitleSequence::OnMouseMoveRelative( int, int )
{
}

void CTitleSequence::OnButtonDown( int )
{
}

void CTitleSequence::OnButtonUp( int button )
{
    // A click on a menu over the held game does not skip the titles.
    if( button == MOUSE_BUTTON_LEFT && !CTaskManager::GetSingletonPtr()->IsHolding() )
        myFinished = true;
}

void CTitleSequence::Update()
{
    const types::ticks elapsed = myTimer.GetTime();
    if( myFlicker )
        SetAlpha( myLogo, static_cast<int>( elapsed % 255 ) );

    bool done = false;
    switch( myState )
    {
    case 0:
        done = elapsed > 0;
        break;
    case 1:
        done = BringInLogo( elapsed );
        break;
    case 2:
        done = WipeInText( elapsed, GAME_BY_FILE, 6500 );
        break;
    case 3:
        done = FlickerThenWipeOut( elapsed, 8500, 10000 );
        break;
    case 4:
        Flicker( elapsed, 11000, 11500 );
        done = WipeInText( elapsed, MUSIC_BY_FILE, 12000 );
        break;
    case 5:
        done = FlickerThenWipeOut( elapsed, 13500, 15500 );
        break;
    case 6:
        done = FlickerThenFadeOut( elapsed );
        break;
    case 7:
        done = elapsed > 19500;
        if( done )
            myFinished = true;
        break;
    default:
        break;
    }
    if( done )
        ++myState;
}

bool CTitleSequence::BringInLogo( types::ticks elapsed )
{
    if( elapsed <= 2500 )
        return false;
    myBlackout.reset();
    myLogo = LoadGameSprite( LOGO_FILE );
    SetAlpha( myLogo, 0 );
    FadeSprite( myLogo.get(), 255, 4000, "t*t" );
    return true;
}

bool CTitleSequence::WipeInText( types::ticks elapsed, const char* file, types::ticks at )
{
    if( elapsed <= at )
        return false;
    myText = LoadGameSprite( file );
    WipeIn();
    return true;
}

bool CTitleSequence::FlickerThenWipeOut( types::ticks elapsed, types::ticks flickerAt, types::ticks wipeAt )
{
    Flicker( elapsed, flickerAt, flickerAt + 500 );
    if( elapsed <= wipeAt )
        return false;
    WipeOut();
    return true;
}

bool CTitleSequence::FlickerThenFadeOut( types::ticks elapsed )
{
    if( !myBlackout )
    {
        myBlackout = LoadGameSprite( BLACKOUT_FILE );
        SetAlpha( myBlackout, 0 );
    }
    Flicker( elapsed, 16500, 17000 );
    if( elapsed <= 17000 )
        return false;
    SetAlpha( myBlackout, 0 );
    FadeSprite( myBlackout.get(), 255, 2000, "t" );
    return true;
}

void CTitleSequence::Flicker( types::ticks elapsed, types::ticks on, types::ticks off )
{
    if( elapsed > on )
        myFlicker = true;
    if( elapsed <= off )
        return;
    SetAlpha( myLogo, 255 );
    myFlicker = false;
}

void CTitleSequence::WipeIn()
{
    if( !myFader )
        return;
    myFader->SetPosition( FADER_COVER_X, FADER_Y );
    SlideSprite( myFader.get(), FADER_RIGHT_X, FADER_Y, WIPE_TIME, "t" );
}

void CTitleSequence::WipeOut()
{
    if( !myFader )
        return;
    myFader->SetPosition( FADER_LEFT_X, FADER_Y );
    SlideSprite( myFader.get(), FADER_COVER_X, FADER_Y, WIPE_TIME, "t" );
}

} // namespace horror
