#include "tarn/gfx/sdl/pixelaccess.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tarn {
namespace sdl {

namespace {

Uint8* PixelAddress( const SDL_Surface* surface, int x, int y )
{
    return static_cast<Uint8*>( surface->pixels ) + y * surface->pitch + x * surface->format->BytesPerPixel;
}

// d + floor( ( s - d ) * alpha / 256 ), in signed arithmetic.
int BlendChannel( int destination, int source, int alpha )
{
    return destination + ( ( ( source - destination ) * alpha ) >> 8 );
}

void Blend24( SDL_Surface* surface, int x, int y, Uint32 source, int alpha )
{
    const SDL_PixelFormat* format = surface->format;
    Uint8* pixel = PixelAddress( surface, x, y );
    const Uint32 masks[] = { format->Rmask, format->Gmask, format->Bmask, format->Amask };
    const Uint8 shifts[] = { format->Rshift, format->Gshift, format->Bshift, format->Ashift };
    for( int channel = 0; channel < 4; ++channel )
    {
        // Without an alpha mask the alpha shift is 0 and would name the byte
        // of another channel a second time.
        if( masks[ channel ] == 0 )
            continue;
        const int shift = shifts[ channel ];
        Uint8& byte = pixel[ shift / 8 ];
        const int sourceByte = static_cast<int>( ( source >> shift ) & 0xff );
        byte = static_cast<Uint8>( BlendChannel( byte, sourceByte, alpha ) );
    }
}

void Blend8( SDL_Surface* surface, int x, int y, Uint32 source, int alpha )
{
    const SDL_Palette* palette = surface->format->palette;
    if( !palette )
        return;
    Uint8* pixel = PixelAddress( surface, x, y );
    if( *pixel >= palette->ncolors || source >= static_cast<Uint32>( palette->ncolors ) )
        return;
    const SDL_Color& d = palette->colors[ *pixel ];
    const SDL_Color& s = palette->colors[ source ];
    *pixel = static_cast<Uint8>( SDL_MapRGB( surface->format,
                                             static_cast<Uint8>( BlendChannel( d.r, s.r, alpha ) ),
                                             static_cast<Uint8>( BlendChannel( d.g, s.g, alpha ) ),
                                             static_cast<Uint8>( BlendChannel( d.b, s.b, alpha ) ) ) );
}

} // namespace

Uint32 ReadPixel( const SDL_Surface* surface, int x, int y )
{
    const Uint8* p = PixelAddress( surface, x, y );
    switch( surface->format->BytesPerPixel )
    {
    case 1: return *p;
    case 2: return *reinterpret_cast<const Uint16*>( p );
    case 3:
        if( SDL_BYTEORDER == SDL_BIG_ENDIAN )
            return static_cast<Uint32>( p[ 0 ] << 16 | p[ 1 ] << 8 | p[ 2 ] );
        return static_cast<Uint32>( p[ 0 ] | p[ 1 ] << 8 | p[ 2 ] << 16 );
    case 4: return *reinterpret_cast<const Uint32*>( p );
    default: return 0;
    }
}

void WritePixel( SDL_Surface* surface, int x, int y, Uint32 pixel )
{
    Uint8* p = PixelAddress( surface, x, y );
    switch( surface->format->BytesPerPixel )
    {
    case 1: *p = static_cast<Uint8>( pixel ); break;
    case 2: *reinterpret_cast<Uint16*>( p ) = static_cast<Uint16>( pixel ); break;
    case 3:
        if( SDL_BYTEORDER == SDL_BIG_ENDIAN )
        {
            p[ 0 ] = static_cast<Uint8>( pixel >> 16 );
            p[ 1 ] = static_cast<Uint8>( pixel >> 8 );
            p[ 2 ] = static_cast<Uint8>( pixel );
        }
        else
        {
            p[ 0 ] = static_cast<Uint8>( pixel );
            p[ 1 ] = static_cast<Uint8>( pixel >> 8 );
            p[ 2 ] = static_cast<Uint8>( pixel >> 16 );
        }
        break;
    case 4: *reinterpret_cast<Uint32*>( p ) = pixel; break;
    default: break;
    }
}

Uint32 BlendMasked( Uint32 destination, Uint32 source, Uint32 mask, int alpha )
{
    // 64-bit signed arithmetic: a channel in the top byte times alpha does
    // not fit 32 bits, and a darkening difference is negative.
    const std::int64_t d = destination & mask;
    const std::int64_t s = source & mask;
    const std::int64_t blended = d + ( ( ( s - d ) * alpha ) >> 8 );
    return static_cast<Uint32>( blended ) & mask;
}

void BlendPixel( SDL_Surface* surface, int x, int y, Uint32 source, int alpha )
{
    const SDL_PixelFormat* format = surface->format;
    switch( format->BytesPerPixel )
    {
    case 1: Blend8( surface, x, y, source, alpha ); return;
    case 3: Blend24( surface, x, y, source, alpha ); return;
    case 2:
    case 4:
    {
        const Uint32 d = ReadPixel( surface, x, y );
        const Uint32 blended = BlendMasked( d, source, format->Rmask, alpha ) |
                               BlendMasked( d, source, format->Gmask, alpha ) |
                               BlendMasked( d, source, format->Bmask, alpha ) |
                               BlendMasked( d, source, format->Amask, alpha );
        WritePixel( surface, x, y, blended );
        return;
    }
    default: return;
    }
}

// A rectangle at a time and without a surface of its own: SDL_gfx's
// zoomSurface would allocate and fill a new surface for every rectangle and
// still need a blit into the display; here each display pixel is written
// once. A source row is widened into the display, then that row is copied
// into the factor - 1 rows below it.
void CopyEnlarged( SDL_Surface* from, const SDL_Rect& area, SDL_Surface* to, int x, int y, int factor )
{
    CSurfaceLock fromLock( from );
    CSurfaceLock toLock( to );
    const int bytes = from->format->BytesPerPixel;
    const std::size_t rowBytes = static_cast<std::size_t>( area.w ) * factor * bytes;
    for( int row = 0; row < area.h; ++row )
    {
        const Uint8* source = PixelAddress( from, area.x, area.y + row );
        Uint8* target = PixelAddress( to, x, y + row * factor );
        if( factor == 1 )
            std::memcpy( target, source, rowBytes );
        else if( bytes == 4 )
        {
            const Uint32* pixels = reinterpret_cast<const Uint32*>( source );
            Uint32* out = reinterpret_cast<Uint32*>( target );
            for( int column = 0; column < area.w; ++column )
                out = std::fill_n( out, factor, pixels[ column ] );
        }
        else
        {
            for( int column = 0; column < area.w * factor; ++column )
                std::memcpy( target + column * bytes, source + column / factor * bytes, bytes );
        }
        for( int copy = 1; copy < factor; ++copy )
            std::memcpy( target + copy * to->pitch, target, rowBytes );
    }
}

CSurfaceLock::CSurfaceLock( SDL_Surface* surface ) :
    mySurface( surface && SDL_MUSTLOCK( surface ) && SDL_LockSurface( surface ) == 0 ? surface : nullptr )
{
}

CSurfaceLock::~CSurfaceLock()
{
    if( mySurface )
        SDL_UnlockSurface( mySurface );
}

} // namespace sdl
} // namespace tarn
