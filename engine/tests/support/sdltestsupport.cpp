#include "support/sdltestsupport.h"

#include <sstream>

#include "tarn/gfx/sdl/pixelaccess.h"

namespace tarn {
namespace test {

CVideoMode::CVideoMode( int width, int height )
{
    SDL_Init( SDL_INIT_VIDEO );
    myDisplay = SDL_SetVideoMode( width, height, 32, SDL_SWSURFACE );
}

CVideoMode::~CVideoMode()
{
    SDL_Quit();
}

CColor PatternColor( int x, int y )
{
    return CColor( ( x * 37 + 11 ) & 0xff, ( y * 53 + 7 ) & 0xff, ( x * y * 13 + 3 ) & 0xff,
                   ( ( x + y ) * 29 + 1 ) & 0xff );
}

SDL_Surface* MakePatternSurface( int width, int height, bool alpha )
{
    SDL_Surface* surface = SDL_CreateRGBSurface( SDL_SWSURFACE, width, height, 32, 0x00ff0000, 0x0000ff00,
                                                 0x000000ff, alpha ? 0xff000000 : 0 );
    for( int y = 0; y < height; ++y )
    {
        for( int x = 0; x < width; ++x )
        {
            const CColor c = PatternColor( x, y );
            sdl::WritePixel( surface, x, y, SDL_MapRGBA( surface->format, c.r, c.g, c.b, c.a ) );
        }
    }
    return surface;
}

CColor PixelOf( SDL_Surface* surface, int x, int y )
{
    sdl::CSurfaceLock lock( surface );
    Uint8 r, g, b, a;
    SDL_GetRGBA( sdl::ReadPixel( surface, x, y ), surface->format, &r, &g, &b, &a );
    return CColor( r, g, b, a );
}

std::string CompareSurfaces( SDL_Surface* expected, SDL_Surface* actual, bool withAlpha )
{
    std::ostringstream out;
    if( !expected || !actual )
        return "missing surface";
    if( expected->w != actual->w || expected->h != actual->h )
    {
        out << "size " << actual->w << "x" << actual->h << " instead of " << expected->w << "x" << expected->h;
        return out.str();
    }
    for( int y = 0; y < expected->h; ++y )
    {
        for( int x = 0; x < expected->w; ++x )
        {
            CColor e = PixelOf( expected, x, y );
            CColor a = PixelOf( actual, x, y );
            if( !withAlpha )
                e.a = a.a = 255;
            if( e != a )
            {
                out << "pixel " << x << "," << y << " is " << int( a.r ) << "," << int( a.g ) << "," << int( a.b )
                    << "," << int( a.a ) << " instead of " << int( e.r ) << "," << int( e.g ) << "," << int( e.b )
                    << "," << int( e.a );
                return out.str();
            }
        }
    }
    return "";
}

} // namespace test
} // namespace tarn
