#include "tarn/gfx/sdl/csdlsurfacecreator.h"

#include <cstring>

#include "tarn/gfx/sdl/pixelaccess.h"
#include "tarn/utils/clogger.h"

namespace tarn {

SDL_Surface* CSDLSurfaceCreator::CreateSurface( int width, int height )
{
    // SDL 1.2 takes a negative size and computes a negative pitch from it,
    // and then writes outside the surface it made.
    if( width < 0 || height < 0 )
    {
        GetLog().Error() << "CSDLSurfaceCreator: cannot create a " << width << "x" << height
                         << " surface: negative size\n";
        return nullptr;
    }
    Uint32 masks[ 4 ] = { 0, 0, 0, 0 };
    if( const SDL_Surface* screen = SDL_GetVideoSurface() )
    {
        masks[ 0 ] = screen->format->Rmask;
        masks[ 1 ] = screen->format->Gmask;
        masks[ 2 ] = screen->format->Bmask;
        masks[ 3 ] = screen->format->Amask;
    }
    SDL_Surface* surface =
        SDL_CreateRGBSurface( GetFlags(), width, height, myDepth, masks[ 0 ], masks[ 1 ], masks[ 2 ], masks[ 3 ] );
    if( !surface )
        GetLog().Error() << "CSDLSurfaceCreator: cannot create a " << width << "x" << height
                         << " surface: " << SDL_GetError() << "\n";
    return surface;
}

SDL_Surface* CSDLSurfaceCreator::ConvertToDisplay( SDL_Surface* surface, bool alpha )
{
    // SDL_DisplayFormatAlpha reads the display's format without checking
    // that there is one.
    if( SDL_GetVideoSurface() )
        return alpha ? SDL_DisplayFormatAlpha( surface ) : SDL_DisplayFormat( surface );
    if( !alpha )
        return SDL_ConvertSurface( surface, surface->format, surface->flags );
    SDL_PixelFormat format{};
    format.BitsPerPixel = 32;
    format.BytesPerPixel = 4;
    format.Rmask = 0x00ff0000;
    format.Gmask = 0x0000ff00;
    format.Bmask = 0x000000ff;
    format.Amask = 0xff000000;
    format.Rshift = 16;
    format.Gshift = 8;
    format.Ashift = 24;
    format.alpha = 255;
    return SDL_ConvertSurface( surface, &format, SDL_SWSURFACE | SDL_SRCALPHA );
}

SDL_Surface* CSDLSurfaceCreator::ToDisplayFormat( SDL_Surface* surface, bool alpha )
{
    if( !surface )
        return nullptr;
    SDL_Surface* converted = ConvertToDisplay( surface, alpha );
    if( !converted )
        GetLog().Error() << "CSDLSurfaceCreator: cannot convert to the display format: " << SDL_GetError() << "\n";
    SDL_FreeSurface( surface );
    return converted;
}

SDL_Surface* CSDLSurfaceCreator::CreateAlphaSurface( int width, int height )
{
    SDL_Surface* surface = ToDisplayFormat( CreateSurface( width, height ), true );
    if( surface && surface->format->BytesPerPixel == 4 )
    {
        sdl::CSurfaceLock lock( surface );
        for( int y = 0; y < surface->h; ++y )
            std::memset( static_cast<Uint8*>( surface->pixels ) + y * surface->pitch, 0, surface->w * 4 );
    }
    return surface;
}

SDL_Surface* CSDLSurfaceCreator::CreateOpaqueSurface( int width, int height )
{
    return ToDisplayFormat( CreateSurface( width, height ), false );
}

SDL_Surface* CSDLSurfaceCreator::CreateLike( const SDL_Surface* surface, int width, int height )
{
    const SDL_PixelFormat* format = surface->format;
    SDL_Surface* made = SDL_CreateRGBSurface( SDL_SWSURFACE, width, height, format->BitsPerPixel, format->Rmask,
                                              format->Gmask, format->Bmask, format->Amask );
    if( !made )
    {
        GetLog().Error() << "CSDLSurfaceCreator: cannot create a " << width << "x" << height
                         << " surface: " << SDL_GetError() << "\n";
        return nullptr;
    }
    if( format->palette )
        SDL_SetColors( made, format->palette->colors, 0, format->palette->ncolors );
    return made;
}

SDL_Surface* CSDLSurfaceCreator::CopyArea( SDL_Surface* surface, const SDL_Rect& area )
{
    const SDL_PixelFormat* format = surface->format;
    SDL_Surface* copy = CreateLike( surface, area.w, area.h );
    if( !copy )
        return nullptr;
    {
        sdl::CSurfaceLock sourceLock( surface );
        sdl::CSurfaceLock copyLock( copy );
        const int bytes = format->BytesPerPixel;
        for( int y = 0; y < area.h; ++y )
        {
            const Uint8* from = static_cast<const Uint8*>( surface->pixels ) + ( area.y + y ) * surface->pitch +
                                area.x * bytes;
            std::memcpy( static_cast<Uint8*>( copy->pixels ) + y * copy->pitch, from, area.w * bytes );
        }
    }
    if( surface->flags & SDL_SRCCOLORKEY )
        SDL_SetColorKey( copy, SDL_SRCCOLORKEY, format->colorkey );
    if( surface->flags & SDL_SRCALPHA )
        SDL_SetAlpha( copy, SDL_SRCALPHA, format->alpha );
    else
        SDL_SetAlpha( copy, 0, format->alpha );
    return copy;
}

} // namespace tarn
