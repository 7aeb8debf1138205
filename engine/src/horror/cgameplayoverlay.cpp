#include "horror/cgameplayoverlay.h"

#include <map>
#include <string>
#include <utility>

#include "horror/chorrorgameplay.h"
#include "tarn/gfx/cdebugdrawing.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/csprite.h"
#include "tarn/gfx/csurface.h"
#include "tarn/utils/numberutils.h"

using namespace tarn;

namespace horror {

namespace {

const char* const NAMES[] = { "walkmask", "paths", "sight", "areas" };

const CColor CLOSED_TINT( 255, 0, 0, 96 );
const CColor PATH_COLOR( 255, 255, 0 );
const CColor TARGET_COLOR( 0, 255, 255 );
const CColor RANGE_COLOR( 255, 255, 0 );
const CColor CLEAR_SIGHT( 0, 255, 0 );
const CColor BLOCKED_SIGHT( 255, 0, 0 );
const CColor PLAYER_EVENT( 0, 255, 0 );
const CColor BADGUY_EVENT( 255, 128, 0 );
const CColor SPENT_EVENT( 128, 128, 128 );

constexpr int POINT_SIZE = 5;
constexpr int TARGET_RADIUS = 8;

types::point Truncated( const types::vector2& v )
{
    return types::point{ TruncateToInt( v.x ), TruncateToInt( v.y ) };
}

} // namespace

CGameplayOverlay::CGameplayOverlay( Kind kind, const CHorrorGameplay& gameplay ) :
    CDebugOverlay( NAMES[ kind ] ),
    myKind( kind ),
    myGameplay( gameplay )
{
}

std::vector<std::unique_ptr<CGameplayOverlay>> CGameplayOverlay::MakeAll( const CHorrorGameplay& gameplay )
{
    std::vector<std::unique_ptr<CGameplayOverlay>> overlays;
    for( const Kind kind : { WALK_MASK, PATHS, SIGHT, AREAS } )
        overlays.push_back( std::make_unique<CGameplayOverlay>( kind, gameplay ) );
    return overlays;
}

void CGameplayOverlay::Draw( CDebugDrawing& drawing ) const
{
    switch( myKind )
    {
    case WALK_MASK:
        DrawWalkMask( drawing );
        break;
    case PATHS:
        DrawPaths( drawing );
        break;
    case SIGHT:
        DrawSight( drawing );
        break;
    case AREAS:
        DrawAreas( drawing );
        break;
    }
}

void CGameplayOverlay::DrawWalkMask( CDebugDrawing& drawing ) const
{
    for( const types::rect& area : ClosedFloor() )
        drawing.FillBox( area, CLOSED_TINT );
}

void CGameplayOverlay::DrawPaths( CDebugDrawing& drawing ) const
{
    const std::vector<types::point>& path = myGameplay.GetPath();
    for( std::size_t i = 0; i < path.size(); ++i )
    {
        const types::point& p = path[ i ];
        if( i > 0 )
            drawing.Line( path[ i - 1 ].x, path[ i - 1 ].y, p.x, p.y, PATH_COLOR );
        drawing.Box( types::rect{ p.x - POINT_SIZE / 2, p.y - POINT_SIZE / 2, POINT_SIZE, POINT_SIZE }, PATH_COLOR );
    }
    // Where the next step goes: the icon in a chase, else the path point.
    const CBadGuy& badguy = myGameplay.GetBadguy();
    types::point target;
    if( badguy.IsChasing() )
        target = Truncated( myGameplay.GetPlayerCentre() );
    else if( badguy.GetPathIndex() < path.size() )
        target = path[ badguy.GetPathIndex() ];
    else
        return;
    const types::point position = Truncated( badguy.GetPosition() );
    drawing.Line( position.x, position.y, target.x, target.y, TARGET_COLOR );
    drawing.Circle( target.x, target.y, TARGET_RADIUS, TARGET_COLOR );
}

void CGameplayOverlay::DrawSight( CDebugDrawing& drawing ) const
{
    // A level without a path has no bad guy to look.
    if( myGameplay.GetPath().empty() )
        return;
    const types::vector2& eye = myGameplay.GetBadguyPosition();
    const types::vector2 player = myGameplay.GetPlayerCentre();
    const types::point from = Truncated( eye );
    const types::point to = Truncated( player );
    drawing.Circle( from.x, from.y, TruncateToInt( myGameplay.GetBadguy().GetAiRange() ), RANGE_COLOR );
    drawing.Line( from.x, from.y, to.x, to.y, myGameplay.HasLineOfSight( eye, player ) ? CLEAR_SIGHT : BLOCKED_SIGHT );
}

void CGameplayOverlay::DrawAreas( CDebugDrawing& drawing ) const
{
    for( const AreaEvent& event : myGameplay.GetAreaEvents() )
    {
        const CColor& color = event.howManyTimes <= 0 ? SPENT_EVENT : event.forPlayer ? PLAYER_EVENT : BADGUY_EVENT;
        drawing.Circle( event.position.x, event.position.y, TruncateToInt( event.range ), color );
        const std::string count = std::to_string( event.howManyTimes );
        const int half = CDebugDrawing::GLYPH_SIZE / 2;
        drawing.Text( event.position.x - static_cast<int>( count.size() ) * half, event.position.y - half, count,
                      color );
    }
}

const std::vector<types::rect>& CGameplayOverlay::ClosedFloor() const
{
    const CSprite* background = myGameplay.GetLevelBackground();
    const CSurface* surface = background ? background->GetSurface() : nullptr;
    if( !surface || background->IsEmpty() )
    {
        myMaskSurface = nullptr;
        myClosedFloor.clear();
        return myClosedFloor;
    }
    if( surface == myMaskSurface && surface->GetFileName() == myMaskFile && surface->GetViewRect() == myMaskView &&
        background->GetRect() == myMaskRect )
        return myClosedFloor;
    myMaskSurface = surface;
    myMaskFile = surface->GetFileName();
    myMaskView = surface->GetViewRect();
    myMaskRect = background->GetRect();
    myClosedFloor.clear();
    // Only what can be on show: a level rectangle from a file may be huge.
    const CSurface* screen = CScreenLayer::GetScreenSurface();
    if( !screen )
        return myClosedFloor;
    const types::rect area =
        types::Intersection( myMaskRect, types::rect{ 0, 0, screen->GetWidth(), screen->GetHeight() } );

    // Runs of closed points row by row; a run just like one in the row above
    // makes that rectangle taller, so a plain wall is one rectangle.
    std::map<std::pair<int, int>, std::size_t> above;
    for( int y = area.y; y < area.y + area.h; ++y )
    {
        std::map<std::pair<int, int>, std::size_t> row;
        int x = area.x;
        const int right = area.x + area.w;
        while( x < right )
        {
            if( myGameplay.IsOpen( types::point{ x, y } ) )
            {
                ++x;
                continue;
            }
            const int start = x;
            while( x < right && !myGameplay.IsOpen( types::point{ x, y } ) )
                ++x;
            const std::pair<int, int> run{ start, x - start };
            const auto found = above.find( run );
            if( found != above.end() )
            {
                ++myClosedFloor[ found->second ].h;
                row[ run ] = found->second;
                continue;
            }
            row[ run ] = myClosedFloor.size();
            myClosedFloor.push_back( types::rect{ start, y, x - start, 1 } );
        }
        above = std::move( row );
    }
    return myClosedFloor;
}

} // namespace horror
