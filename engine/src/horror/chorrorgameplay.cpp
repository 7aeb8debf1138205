#include "horror/chorrorgameplay.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "horror/cbackgroundlayer.h"
#include "horror/cscriptrunner.h"
#include "horror/cwalkmask.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/inputdevice/cinputdispatcher.h"
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

    myIcons.push_back( CSpriteFactory::LoadSprite( PLAYER_ICON_FILE ) );
    if( myIcons.front() )
        myIcons.front()->SetPosition( 285, 208 );

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

types::point CHorrorGameplay::SizeOf( const CSprite* sprite )
{
    if( !sprite )
        return types::point{ 0, 0 };
    return types::point{ sprite->GetRect().w, sprite->GetRect().h };
}

types::vector2 CHorrorGameplay::PlayerCentre() const
{
    const CSprite* icon = GetPlayerIcon();
    if( !icon )
        return types::vector2{};
    const types::rect r = icon->GetRect();
    return types::vector2{ r.x + r.w / 2.0f, r.y + r.h / 2.0f };
}

types::point CHorrorGameplay::GetRememberedPlayerCentre() const
{
    const types::point size = SizeOf( GetPlayerIcon() );
    return types::point{ TruncateToInt( myRememberedPlayerCorner.x + size.x / 2.0f ),
                         TruncateToInt( myRememberedPlayerCorner.y + size.y / 2.0f ) };
}

void CHorrorGameplay::Serialize( CXmlFileSys* filesys )
{
    if( !filesys->IsReading() )
        return;

    myCaught = false;
    std::string script;
    XmlBind( filesys, script, "StartUpExecute" );
    ReadPlayerPosition( filesys );
    myDraggedIcon = -1;

    std::string background = myLevelBackground ? myLevelBackground->GetFileName() : "";
    XmlBind( filesys, background, "LevelBackgroundImage" );
    if( !background.empty() )
    {
        myLevelBackground = CSpriteFactory::LoadSprite( background );
        // A new picture, even at the address of the old one, is read anew.
        myWalkMask = CWalkMask( myLevelBackground.get() );
    }

    std::string layer;
    XmlBind( filesys, layer, "BackgroundLayer" );
    if( !layer.empty() && myBackgroundLayer )
        myBackgroundLayer->LoadBackgroundLayer( layer );

    myAreaEvents.ReadEvents( filesys );
    myAreaEvents.ReadPortals( filesys );
    myBadguy.Read( filesys );
    ReadSwitches( filesys );

    if( !script.empty() && myScriptRunner )
        myScriptRunner->RunScript( script );
}

void CHorrorGameplay::ReadPlayerPosition( CXmlFileSys* filesys )
{
    CSprite* icon = GetPlayerIcon();
    types::point p;
    if( icon )
    {
        const types::vector2 centre = PlayerCentre();
        p = types::point{ TruncateToInt( centre.x ), TruncateToInt( centre.y ) };
    }
    XmlBind( filesys, p, "PlayerPosition" );
    if( !icon )
        return;
    const types::rect r = icon->GetRect();
    icon->SetPosition( TruncateToInt( p.x - r.w / 2.0f ), TruncateToInt( p.y - r.h / 2.0f ) );
}

void CHorrorGameplay::ReadSwitches( CXmlFileSys* filesys )
{
    myPlayerEnabled = myBadguyEnabled = myPlayerVisible = myBadguyVisible = true;
    bool playerEnabled = true;
    bool badguyEnabled = true;
    bool playerVisible = true;
    bool badguyVisible = true;
    XmlBind( filesys, playerEnabled, "PlayerEnabled" );
    XmlBind( filesys, badguyEnabled, "BadguyEnabled" );
    XmlBind( filesys, playerVisible, "PlayerVisible" );
    XmlBind( filesys, badguyVisible, "BadguyVisible" );
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
    CSprite* icon = GetPlayerIcon();
    if( !icon )
        return;
    if( shown )
    {
        icon->SetPosition( myRememberedPlayerCorner.x, myRememberedPlayerCorner.y );
        return;
    }
    myRememberedPlayerCorner = types::point{ icon->GetX(), icon->GetY() };
    icon->SetPosition( OFF_SCREEN_X, OFF_SCREEN_Y );
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
    if( myPaused || !myPlayerEnabled || !myPlayerVisible )
        return;
    myMousePosition = types::point{ x, y };
    if( myDraggedIcon < 0 )
        return;

    CSprite* icon = myIcons[ myDraggedIcon ].get();
    const types::point wanted{ ClampToInt( static_cast<long long>( myMousePosition.x ) + myGrabOffset.x ),
                               ClampToInt( static_cast<long long>( myMousePosition.y ) + myGrabOffset.y ) };
    const types::point from = icon ? types::point{ icon->GetX(), icon->GetY() } : wanted;
    types::point reached = wanted;
    const bool open = DragOpen( from, wanted, SizeOf( icon ), reached );
    if( icon )
        icon->SetPosition( reached.x, reached.y );
    if( !open )
    {
        // Bumping into a wall drops the icon and makes a noise.
        myDraggedIcon = -1;
        myBadguy.SetBoost( myBadguy.NoiseBoost( myBadguy.GetBoost() ) );
    }

    const types::vector2 now = PlayerCentre();
    CheckAreaEvents( types::point{ TruncateToInt( now.x + 0.5f ), TruncateToInt( now.y + 0.5f ) }, true, false );
    if( myBadguyEnabled && myBadguyVisible )
        TestCapture();
}

types::point CHorrorGameplay::IconCentre( const types::point& corner, const types::point& size )
{
    return types::point{ TruncateToInt( corner.x + size.x / 2.0f + 0.5f ),
                         TruncateToInt( corner.y + size.y / 2.0f + 0.5f ) };
}

bool CHorrorGameplay::DragOpen( const types::point& from, const types::point& to, const types::point& size,
                                types::point& reached ) const
{
    // An icon standing on closed floor (a level may start it there) is
    // judged by where it goes, or it could never move.
    if( !IsOpen( IconCentre( from, size ) ) )
    {
        reached = IsOpen( IconCentre( to, size ) ) ? to : from;
        return reached == to;
    }
    // One step a pixel along the longer axis: a flick cannot jump a wall. The
    // walk ends at the first closed step, and open floor lies only inside the
    // level picture, so it takes at most the picture's size in steps.
    const long long dx = static_cast<long long>( to.x ) - from.x;
    const long long dy = static_cast<long long>( to.y ) - from.y;
    const long long steps = std::max( std::llabs( dx ), std::llabs( dy ) );
    reached = from;
    for( long long i = 1; i <= steps; ++i )
    {
        const double t = static_cast<double>( i ) / static_cast<double>( steps );
        const types::point next{ ClampToInt( from.x + std::llround( dx * t ) ),
                                 ClampToInt( from.y + std::llround( dy * t ) ) };
        if( !IsOpen( IconCentre( next, size ) ) )
            return false;
        reached = next;
    }
    return true;
}

void CHorrorGameplay::OnMouseMoveRelative( int dx, int dy )
{
    (void)dx;
    (void)dy;
}

void CHorrorGameplay::OnButtonDown( int button )
{
    CSprite* icon = GetPlayerIcon();
    if( button != MOUSE_BUTTON_LEFT || !icon )
        return;
    const types::rect r = icon->GetRect();
    if( !types::Intersects( r, types::rect{ myMousePosition.x, myMousePosition.y, 1, 1 } ) )
        return;
    myGrabOffset = types::point{ r.x - myMousePosition.x, r.y - myMousePosition.y };
    myDraggedIcon = 0;
}

void CHorrorGameplay::OnButtonUp( int button )
{
    if( button != MOUSE_BUTTON_LEFT || myDraggedIcon < 0 )
        return;
    myDraggedIcon = -1;
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
