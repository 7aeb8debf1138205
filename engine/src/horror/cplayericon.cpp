#include "horror/cplayericon.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "horror/cwalkmask.h"
#include "horror/datafilekeys.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/utils/numberutils.h"
#include "tarn/utils/rect.h"
#include "tarn/utils/xmlbind.h"

using namespace tarn;

namespace horror {

CPlayerIcon::CPlayerIcon( const std::string& file, const types::point& corner ) :
    mySprite( CSpriteFactory::LoadSprite( file ) )
{
    if( mySprite )
        mySprite->SetPosition( corner.x, corner.y );
}

types::point CPlayerIcon::Size() const
{
    return mySprite ? types::point{ mySprite->GetRect().w, mySprite->GetRect().h } : types::point{ 0, 0 };
}

types::vector2 CPlayerIcon::Centre() const
{
    if( !mySprite )
        return types::vector2{};
    const types::rect r = mySprite->GetRect();
    return types::vector2{ r.x + r.w / 2.0f, r.y + r.h / 2.0f };
}

types::point CPlayerIcon::GetRememberedCentre() const
{
    const types::point size = Size();
    return types::point{ TruncateToInt( myRememberedCorner.x + size.x / 2.0f ),
                         TruncateToInt( myRememberedCorner.y + size.y / 2.0f ) };
}

void CPlayerIcon::ReadPosition( CXmlFileSys* filesys )
{
    types::point p;
    if( mySprite )
    {
        const types::vector2 centre = Centre();
        p = types::point{ TruncateToInt( centre.x ), TruncateToInt( centre.y ) };
    }
    XmlBind( filesys, p, keys::PLAYER_POSITION );
    if( !mySprite )
        return;
    const types::rect r = mySprite->GetRect();
    mySprite->SetPosition( TruncateToInt( p.x - r.w / 2.0f ), TruncateToInt( p.y - r.h / 2.0f ) );
}

CPlayerIcon::MoveResult CPlayerIcon::MoveMouse( int x, int y, const CWalkMask& mask )
{
    myMousePosition = types::point{ x, y };
    if( !myDragging )
        return MoveResult::NOT_DRAGGED;
    const types::point wanted{ ClampToInt( static_cast<long long>( x ) + myGrabOffset.x ),
                               ClampToInt( static_cast<long long>( y ) + myGrabOffset.y ) };
    const types::point from = mySprite ? types::point{ mySprite->GetX(), mySprite->GetY() } : wanted;
    types::point reached = wanted;
    const bool open = Walk( from, wanted, mask, reached );
    if( mySprite )
        mySprite->SetPosition( reached.x, reached.y );
    if( open )
        return MoveResult::MOVED;
    myDragging = false;
    return MoveResult::BUMPED;
}

types::point CPlayerIcon::CentreAt( const types::point& corner ) const
{
    const types::point size = Size();
    return types::point{ TruncateToInt( corner.x + size.x / 2.0f + 0.5f ),
                         TruncateToInt( corner.y + size.y / 2.0f + 0.5f ) };
}

bool CPlayerIcon::Walk( const types::point& from, const types::point& to, const CWalkMask& mask,
                        types::point& reached ) const
{
    // An icon standing on closed floor (a level may start it there) is
    // judged by where it goes, or it could never move.
    if( !mask.IsOpen( CentreAt( from ) ) )
    {
        reached = mask.IsOpen( CentreAt( to ) ) ? to : from;
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
        if( !mask.IsOpen( CentreAt( next ) ) )
            return false;
        reached = next;
    }
    return true;
}

void CPlayerIcon::Press()
{
    if( !mySprite )
        return;
    const types::rect r = mySprite->GetRect();
    if( !types::Intersects( r, types::rect{ myMousePosition.x, myMousePosition.y, 1, 1 } ) )
        return;
    myGrabOffset = types::point{ r.x - myMousePosition.x, r.y - myMousePosition.y };
    myDragging = true;
}

bool CPlayerIcon::Release()
{
    const bool was = myDragging;
    myDragging = false;
    return was;
}

void CPlayerIcon::Hide( const types::point& corner )
{
    if( !mySprite )
        return;
    myRememberedCorner = types::point{ mySprite->GetX(), mySprite->GetY() };
    mySprite->SetPosition( corner.x, corner.y );
}

void CPlayerIcon::Show()
{
    if( mySprite )
        mySprite->SetPosition( myRememberedCorner.x, myRememberedCorner.y );
}

} // namespace horror
