#include "horror/chorrorgameplay.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "horror/cbackgroundlayer.h"
#include "horror/cscriptrunner.h"
#include "horror/cwalkmask.h"
#include "horror/datafilekeys.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/enginetime.h"
#include "tarn/utils/numberutils.h"
#include "tarn/utils/xmlbind.h"

using namespace tarn;

namespace horror {

namespace {

const char* const PLAYER_ICON_FILE = "data/gfx/icon_player.xml";

} // namespace

CHorrorGameplay::CHorrorGameplay()
{
    myClock.Reset();
    myClock.Resume();
    CInputDispatcher::GetSingletonPtr()->AddMouseListener( this );
    GetLog() << "Help me!\n";

    myPlayer = std::make_unique<CPlayerIcon>( PLAYER_ICON_FILE, types::point{ 285, 208 } );

    SetBadguyEnabled( false );
    SetPlayerEnabled( false );
    SetBadguyShown( false );
    SetPlayerShown( false );
}

CHorrorGameplay::~CHorrorGameplay()
{
    if( CInputDispatcher::HasSingleton() )
        CInputDispatcher::GetSingletonPtr()->RemoveMouseListener( this );
}

types::vector2 CHorrorGameplay::PlayerCentre() const
{
    return myPlayer->Centre();
}

void CHorrorGameplay::Serialize( CXmlFileSys* filesys )
{
    if( !filesys->IsReading() )
        return;

    myCaught = false;
    std::string script;
    XmlBind( filesys, script, keys::START_UP_EXECUTE );
    myPlayer->ReadPosition( filesys );
    myPlayer->Drop();

    std::string background = myLevelBackground ? myLevelBackground->GetFileName() : "";
    XmlBind( filesys, background, keys::LEVEL_BACKGROUND_IMAGE );
    if( !background.empty() )
    {
        myLevelBackground = CSpriteFactory::LoadSprite( background );
        // A new picture, even at the address of the old one, is read anew.
        myWalkMask = CWalkMask( myLevelBackground.get() );
    }

    std::string layer;
    XmlBind( filesys, layer, keys::BACKGROUND_LAYER );
    if( !layer.empty() && myBackgroundLayer )
        myBackgroundLayer->LoadBackgroundLayer( layer );

    myAreaEvents.ReadEvents( filesys );
    myAreaEvents.ReadPortals( filesys );
    myBadguy.Read( filesys );
    ReadSwitches( filesys );

    if( !script.empty() && myScriptRunner )
        myScriptRunner->RunScript( script );
}

void CHorrorGameplay::ReadSwitches( CXmlFileSys* filesys )
{
    myPlayerEnabled = myBadguyEnabled = myPlayerVisible = myBadguyVisible = true;
    bool playerEnabled = true;
    bool badguyEnabled = true;
    bool playerVisible = true;
    bool badguyVisible = true;
    XmlBind( filesys, playerEnabled, keys::PLAYER_ENABLED );
    XmlBind( filesys, badguyEnabled, keys::BADGUY_ENABLED );
    XmlBind( filesys, playerVisible, keys::PLAYER_VISIBLE );
    XmlBind( filesys, badguyVisible, keys::BADGUY_VISIBLE );
    SetPlayerEnabled( playerEnabled );
    SetBadguyEnabled( badguyEnabled );
    SetPlayerShown( playerVisible );
    SetBadguyShown( badguyVisible );
}

void CHorrorGameplay::SetPlayerEnabled( bool enabled )
{
    myPlayerEnabled = enabled;
}

void CHorrorGameplay::SetBadguyEnabled( bool enabled )
{
    if( enabled == myBadguyEnabled )
        return;
    myBadguyEnabled = enabled;
    if( enabled )
        myBadguy.RestartStepClock( myClock.GetTime() );
}

void CHorrorGameplay::SetPlayerShown( bool shown )
{
    if( shown == myPlayerVisible )
        return;
    myPlayerVisible = shown;
    if( shown )
        myPlayer->Show();
    else
        myPlayer->Hide( types::point{ OFF_SCREEN_X, OFF_SCREEN_Y } );
}

void CHorrorGameplay::SetBadguyShown( bool shown )
{
    if( shown == myBadguyVisible )
        return;
    myBadguyVisible = shown;
    if( shown )
        myBadguy.Appear( myClock.GetTime() );
    else
        myBadguy.PlaceSpriteAt( types::point{ OFF_SCREEN_X, OFF_SCREEN_Y } );
}

void CHorrorGameplay::OnMouseMove( int x, int y )
{
    // The pointer works a menu or the console while the game is held.
    if( myPaused || !myPlayerEnabled || !myPlayerVisible || CTaskManager::GetSingletonPtr()->IsHolding() )
        return;
    const CPlayerIcon::MoveResult moved = myPlayer->MoveMouse( x, y, WalkMask() );
    if( moved == CPlayerIcon::MoveResult::NOT_DRAGGED )
        return;
    // Bumping into a wall drops the icon and makes a noise.
    if( moved == CPlayerIcon::MoveResult::BUMPED )
        myBadguy.SetBoost( myBadguy.NoiseBoost( myBadguy.GetBoost() ) );

    const types::vector2 now = PlayerCentre();
    CheckAreaEvents( types::point{ TruncateToInt( now.x + 0.5f ), TruncateToInt( now.y + 0.5f ) }, true, false );
    if( myBadguyEnabled && myBadguyVisible )
        TestCapture();
}

void CHorrorGameplay::OnMouseMoveRelative( int dx, int dy )
{
    (void)dx;
    (void)dy;
}

void CHorrorGameplay::OnButtonDown( int button )
{
    if( button == MOUSE_BUTTON_LEFT && !CTaskManager::GetSingletonPtr()->IsHolding() )
        myPlayer->Press();
}

void CHorrorGameplay::OnButtonUp( int button )
{
    if( button != MOUSE_BUTTON_LEFT || !myPlayer->Release() )
        return;
    // Letting go of the icon is a noise the bad guy hurries after.
    if( myBadguyVisible || myBadguyEnabled )
        myBadguy.HearRelease();
}

void CHorrorGameplay::Tick()
{
    if( !myBadguyEnabled || !myBadguyVisible )
        return;
    const float factor = myBadguy.Step( myClock.GetTime(), PlayerCentre(), WalkMask() );
    if( factor == 0.0f )
        return;
    const types::vector2& at = myBadguy.GetPosition();
    CheckAreaEvents( types::point{ TruncateToInt( at.x ), TruncateToInt( at.y ) }, false, true );
    TestCapture();
    myBadguy.Shriek( factor );
}

void CHorrorGameplay::TestCapture()
{
    if( ( PlayerCentre() - myBadguy.GetPosition() ).Length() < CATCH_DISTANCE )
        myCaught = true;
}

bool CHorrorGameplay::AddAreaEvent( const types::point& position, float range, const std::string& script,
                                    bool forPlayer, bool forBadguy, int howManyTimes )
{
    return myAreaEvents.Add( position, range, script, forPlayer, forBadguy, howManyTimes );
}

void CHorrorGameplay::AddPortal( const types::point& position, const std::string& image, const std::string& nextFile )
{
    myAreaEvents.AddPortal( position, image, nextFile );
}

void CHorrorGameplay::CheckAreaEvents( const types::point& p, bool forPlayer, bool forBadguy )
{
    myAreaEvents.Check( p, forPlayer, forBadguy );
}

bool CHorrorGameplay::IsOpen( const types::point& p ) const
{
    return WalkMask().IsOpen( p );
}

bool CHorrorGameplay::HasLineOfSight( const types::vector2& a, const types::vector2& b ) const
{
    return WalkMask().HasLineOfSight( a, b );
}

const CWalkMask& CHorrorGameplay::WalkMask() const
{
    if( myWalkMask.GetBackground() != myLevelBackground.get() )
        myWalkMask = CWalkMask( myLevelBackground.get() );
    return myWalkMask;
}

} // namespace horror
