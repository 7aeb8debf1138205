#include "horror/cwalkmask.h"

#include <algorithm>
#include <cmath>

#include "tarn/gfx/csprite.h"
#include "tarn/gfx/csurface.h"
#include "tarn/utils/numberutils.h"

using namespace tarn;

namespace horror {

namespace {

bool IsOpenColor( const CColor& color )
{
    return color.a / 255.0 > 0.45;
}

types::point Truncated( const types::vector2& v )
{
    return types::point{ TruncateToInt( v.x ), TruncateToInt( v.y ) };
}

} // namespace

bool CWalkMask::IsOpen( const types::point& p ) const
{
    return ReadyToRead() && IsOpenIn( p, myBackground->GetRect() );
}

bool CWalkMask::ReadyToRead() const
{
    if( !myBackground || myBackground->IsEmpty() )
        return false;
    const CSurface* surface = myBackground->GetSurface();
    if( surface != myReadSurface || surface->GetViewRect() != myReadView )
        StartReading( surface );
    return true;
}

inline bool CWalkMask::IsOpenIn( const types::point& p, const types::rect& rect ) const
{
    if( p.x < rect.x || p.x >= rect.x + rect.w || p.y < rect.y || p.y >= rect.y + rect.h )
        return false;
    // The pixel is read at the point's own coordinates: the mask is meant to
    // stand at (0, 0).
    return IsOpenPixel( p.x, p.y ) || IsOpenPixel( p.x, p.y + 1 ) || IsOpenPixel( p.x, p.y - 1 ) ||
           IsOpenPixel( p.x - 1, p.y ) || IsOpenPixel( p.x + 1, p.y );
}

inline bool CWalkMask::IsOpenPixel( int x, int y ) const
{
    if( x < 0 || y < 0 || x >= myReadView.w || y >= myReadView.h )
        return IsOpenColor( myReadSurface->GetPixel( x, y ) );
    if( !myRowsRead[ y ] )
        ReadRow( y );
    return myOpenPixels[ static_cast<std::size_t>( y ) * myReadView.w + x ] != 0;
}

void CWalkMask::StartReading( const CSurface* surface ) const
{
    myReadSurface = surface;
    myReadView = surface->GetViewRect();
    myRowsRead.assign( std::max( myReadView.h, 0 ), 0 );
    myOpenPixels.assign( static_cast<std::size_t>( std::max( myReadView.w, 0 ) ) * std::max( myReadView.h, 0 ), 0 );
}

void CWalkMask::ReadRow( int y ) const
{
    const std::vector<CColor> colors = myReadSurface->GetPixels( types::rect{ 0, y, myReadView.w, 1 } );
    std::transform( colors.begin(), colors.end(), myOpenPixels.begin() + static_cast<std::size_t>( y ) * myReadView.w,
                    []( const CColor& color ) { return IsOpenColor( color ) ? 1 : 0; } );
    myRowsRead[ y ] = 1;
}

bool CWalkMask::HasLineOfSight( const types::vector2& a, const types::vector2& b ) const
{
    const types::vector2 d{ b.x - a.x, b.y - a.y };
    const float m = std::max( std::fabs( d.x ), std::fabs( d.y ) );
    // Equal points: nothing lies between them.
    if( m == 0.0f )
        return true;
    const types::vector2 step{ d.x / m, d.y / m };
    int n = TruncateToInt( d.Length() + 0.5f );
    // The picture and its place are looked up once for the whole line, not
    // at each of its hundreds of steps: the hound looks along several lines
    // every tick.
    const bool readable = ReadyToRead();
    const types::rect rect = readable ? myBackground->GetRect() : types::rect{};
    const auto open = [ & ]( const types::vector2& v ) { return readable && IsOpenIn( Truncated( v ), rect ); };

    types::vector2 c = a;
    if( !open( a ) )
    {
        n -= SIGHT_ALLOWANCE;
        c = types::vector2{ a.x + SIGHT_ALLOWANCE * step.x, a.y + SIGHT_ALLOWANCE * step.y };
    }
    if( !open( b ) )
        n -= SIGHT_ALLOWANCE;

    for( int i = 0; i < n; ++i )
    {
        if( !open( c ) )
            return false;
        c.x += step.x;
        c.y += step.y;
    }
    return true;
}

std::vector<bool> CWalkMask::ReachableFrom( const types::point& start, int width, int height ) const
{
    std::vector<bool> reached;
    if( width <= 0 || height <= 0 || !IsOpen( start ) || start.x < 0 || start.y < 0 || start.x >= width ||
        start.y >= height )
        return reached;

    reached.assign( static_cast<std::size_t>( width ) * height, false );
    std::vector<types::point> pending{ start };
    reached[ start.y * width + start.x ] = true;
    while( !pending.empty() )
    {
        const types::point p = pending.back();
        pending.pop_back();
        const types::point neighbours[ 4 ] = { { p.x + 1, p.y }, { p.x - 1, p.y }, { p.x, p.y + 1 }, { p.x, p.y - 1 } };
        for( const types::point& n : neighbours )
        {
            if( n.x < 0 || n.y < 0 || n.x >= width || n.y >= height )
                continue;
            const std::size_t index = static_cast<std::size_t>( n.y ) * width + n.x;
            if( reached[ index ] || !IsOpen( n ) )
                continue;
            reached[ index ] = true;
            pending.push_back( n );
        }
    }
    return reached;
}

} // namespace horror
