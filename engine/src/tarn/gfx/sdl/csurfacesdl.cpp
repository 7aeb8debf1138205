#include "tarn/gfx/sdl/csurfacesdl.h"

#include <algorithm>
#include <cstring>

#include <SDL_rotozoom.h>

#include "tarn/gfx/cnullsurface.h"
#include "tarn/gfx/sdl/ctexturemanager.h"
#include "tarn/gfx/sdl/csdlsurfacecreator.h"
#include "tarn/gfx/sdl/imagesaver.h"
#include "tarn/gfx/sdl/pixelaccess.h"

namespace tarn {

namespace {

types::rect WholeImage( const SDL_Surface* image )
{
    return image ? types::rect{ 0, 0, image->w, image->h } : types::rect();
}

using sdl::ToSDL;

std::unique_ptr<CSurface> Wrap( SDL_Surface* image )
{
    if( !image )
        return std::make_unique<CNullSurface>();
    return std::make_unique<CSurfaceSDL>( image );
}

// A 32-bit copy of surface with an alpha channel; colour-keyed pixels
// become transparent.
SDL_Surface* ToAlphaFormat( SDL_Surface* surface )
{
    if( surface->format->Amask != 0 )
    {
        return CSDLSurfaceCreator::CopyArea( surface, SDL_Rect{ 0, 0, static_cast<Uint16>( surface->w ),
                                                                static_cast<Uint16>( surface->h ) } );
    }
    return CSDLSurfaceCreator::ConvertToDisplay( surface, true );
}

Uint8 ScaleChannel( Uint8 value, double factor )
{
    const double scaled = value * factor;
    if( scaled <= 0.0 )
        return 0;
    return scaled >= 255.0 ? 255 : static_cast<Uint8>( scaled );
}

} // namespace

CSurfaceSDL::CSurfaceSDL( SDL_Surface* image, const std::string& filename ) :
    myImage( image ),
    myViewRect( WholeImage( image ) ),
    myFullRect( WholeImage( image ) ),
    myFileName( filename )
{
}

CSurfaceSDL::~CSurfaceSDL()
{
    ReleaseImage();
}

void CSurfaceSDL::PutPixel( int x, int y, const CColor& color )
{
    if( !myImage || !Contains( x, y ) )
        return;
    const int px = x + myViewRect.x;
    const int py = y + myViewRect.y;
    const Uint32 mapped = SDL_MapRGB( myImage->format, color.r, color.g, color.b );
    {
        sdl::CSurfaceLock lock( myImage );
        if( color.a == 255 )
            sdl::WritePixel( myImage, px, py, mapped );
        else
            sdl::BlendPixel( myImage, px, py, mapped, color.a );
    }
    DropViewImage();
}

CColor CSurfaceSDL::GetPixel( int x, int y ) const
{
    if( !myImage || !Contains( x, y ) )
        return CColor( 0, 0, 0, 255 );
    Uint32 pixel;
    {
        sdl::CSurfaceLock lock( myImage );
        pixel = sdl::ReadPixel( myImage, x + myViewRect.x, y + myViewRect.y );
    }
    Uint8 r, g, b, a;
    SDL_GetRGBA( pixel, myImage->format, &r, &g, &b, &a );
    return CColor( r, g, b, a );
}

std::vector<CColor> CSurfaceSDL::GetPixels( const types::rect& area ) const
{
    const int width = std::max( area.w, 0 );
    const int height = std::max( area.h, 0 );
    std::vector<CColor> colors( static_cast<std::size_t>( width ) * height, CColor( 0, 0, 0, 255 ) );
    // One clip and one lock for the whole area: per pixel they cost more
    // than the reading. inside is in image coordinates.
    const types::rect inside = myImage ? ClipRect( area ) : types::rect();
    if( inside.w <= 0 || inside.h <= 0 )
        return colors;
    sdl::CSurfaceLock lock( myImage );
    const SDL_PixelFormat* format = myImage->format;
    for( int py = inside.y; py < inside.y + inside.h; ++py )
    {
        const std::size_t row = static_cast<std::size_t>( py - myViewRect.y - area.y ) * width;
        CColor* out = colors.data() + row + ( inside.x - myViewRect.x - area.x );
        for( int px = inside.x; px < inside.x + inside.w; ++px, ++out )
            SDL_GetRGBA( sdl::ReadPixel( myImage, px, py ), format, &out->r, &out->g, &out->b, &out->a );
    }
    return colors;
}

void CSurfaceSDL::Clear( const types::rect& area )
{
    if( !myImage || myImage->format->BytesPerPixel != 4 )
        return;
    const types::rect cut = ClipRect( area );
    if( cut.w <= 0 || cut.h <= 0 )
        return;
    {
        sdl::CSurfaceLock lock( myImage );
        for( int y = cut.y; y < cut.y + cut.h; ++y )
            std::memset( static_cast<Uint8*>( myImage->pixels ) + y * myImage->pitch + cut.x * 4, 0, cut.w * 4 );
    }
    DropViewImage();
    OnPixelsWritten( cut );
}

void CSurfaceSDL::ScaleColors( double red, double green, double blue )
{
    if( !myImage )
        return;
    const types::rect view = ClipRect( types::rect{ 0, 0, myViewRect.w, myViewRect.h } );
    {
        sdl::CSurfaceLock lock( myImage );
        for( int y = view.y; y < view.y + view.h; ++y )
        {
            for( int x = view.x; x < view.x + view.w; ++x )
            {
                Uint8 r, g, b, a;
                SDL_GetRGBA( sdl::ReadPixel( myImage, x, y ), myImage->format, &r, &g, &b, &a );
                sdl::WritePixel( myImage, x, y,
                                 SDL_MapRGBA( myImage->format, ScaleChannel( r, red ), ScaleChannel( g, green ),
                                              ScaleChannel( b, blue ), a ) );
            }
        }
    }
    DropViewImage();
}

std::unique_ptr<CSurface> CSurfaceSDL::Scale( int width, int height ) const
{
    SDL_Surface* view = GetViewImage();
    if( !view || myViewRect.w <= 0 || myViewRect.h <= 0 )
        return std::make_unique<CNullSurface>();
    const double zoomX = static_cast<double>( width ) / myViewRect.w;
    const double zoomY = static_cast<double>( height ) / myViewRect.h;
    SDL_Surface* scaled = zoomSurface( view, zoomX, zoomY, myScaleSmoothing );
    // zoomSurface keeps 32-bit images in their format but drops the colour
    // key, which would show the transparent colour; it is put back.
    if( scaled && ( view->flags & SDL_SRCCOLORKEY ) && !( scaled->flags & SDL_SRCCOLORKEY ) &&
        scaled->format->Amask == 0 )
    {
        Uint8 r, g, b;
        SDL_GetRGB( view->format->colorkey, view->format, &r, &g, &b );
        SDL_SetColorKey( scaled, SDL_SRCCOLORKEY, SDL_MapRGB( scaled->format, r, g, b ) );
    }
    return Wrap( scaled );
}

std::unique_ptr<CSurface> CSurfaceSDL::Rotate( double angle ) const
{
    SDL_Surface* view = GetViewImage();
    if( !view )
        return std::make_unique<CNullSurface>();
    return Wrap( rotozoomSurface( view, angle, 1.0, myRotateSmoothing ) );
}

std::unique_ptr<CSurface> CSurfaceSDL::CopyWithAlpha( int alpha ) const
{
    SDL_Surface* view = GetViewImage();
    if( !view )
        return std::make_unique<CNullSurface>();
    SDL_Surface* copy = ToAlphaFormat( view );
    if( !copy )
        return std::make_unique<CNullSurface>();
    const SDL_PixelFormat* format = copy->format;
    // A fade makes one of these at every step of a large picture: the new
    // alphas come from a table, and 32-bit rows are walked directly.
    Uint32 faded[ 256 ];
    for( Uint32 old = 0; old < 256; ++old )
        faded[ old ] = ( ( old * static_cast<Uint32>( alpha ) / 255 ) << format->Ashift ) & format->Amask;
    const Uint32 alphaBits = 0xffu >> format->Aloss;
    {
        sdl::CSurfaceLock lock( copy );
        for( int y = 0; y < copy->h; ++y )
        {
            Uint32* row = reinterpret_cast<Uint32*>( static_cast<Uint8*>( copy->pixels ) + y * copy->pitch );
            for( int x = 0; x < copy->w; ++x )
            {
                const Uint32 pixel = format->BytesPerPixel == 4 ? row[ x ] : sdl::ReadPixel( copy, x, y );
                if( pixel == 0 )
                    continue;
                const Uint32 oldAlpha = ( ( pixel & format->Amask ) >> format->Ashift ) & alphaBits;
                const Uint32 result = ( pixel & ~format->Amask ) | faded[ oldAlpha ];
                if( format->BytesPerPixel == 4 )
                    row[ x ] = result;
                else
                    sdl::WritePixel( copy, x, y, result );
            }
        }
    }
    return Wrap( copy );
}

std::unique_ptr<CSurface> CSurfaceSDL::Copy() const
{
    if( !myImage )
        return std::make_unique<CNullSurface>();
    SDL_Surface* image = CSDLSurfaceCreator::CreateAlphaSurface( myFullRect.w, myFullRect.h );
    if( !image )
        return std::make_unique<CNullSurface>();
    auto copy = std::make_unique<CSurfaceSDL>( image );
    copy->myRawCopy = true;
    // Only pixels that carry their own alpha can be taken verbatim; the
    // unused fourth byte of an opaque image would make every pixel
    // invisible, so those are blitted (which also leaves keyed pixels
    // transparent).
    const bool raw = myImage->format->BytesPerPixel == 4 && myImage->format->Amask != 0 &&
                     image->format->BytesPerPixel == 4;
    CopyPixels( myFullRect, image, 0, 0, raw );
    copy->SetViewRect( myViewRect );
    return copy;
}

std::unique_ptr<CSurface> CSurfaceSDL::CopyOpaque() const
{
    SDL_Surface* view = GetViewImage();
    if( !view || view->format->BytesPerPixel != 4 || view->format->Amask == 0 || ( view->flags & SDL_SRCCOLORKEY ) )
        return nullptr;
    const Uint32 opaque = view->format->Amask;
    {
        sdl::CSurfaceLock lock( view );
        for( int y = 0; y < view->h; ++y )
        {
            const Uint32* row =
                reinterpret_cast<const Uint32*>( static_cast<const Uint8*>( view->pixels ) + y * view->pitch );
            for( int x = 0; x < view->w; ++x )
            {
                if( ( row[ x ] & opaque ) != opaque )
                    return nullptr;
            }
        }
    }
    SDL_Surface* copy = CSDLSurfaceCreator::ConvertToDisplay( view, false );
    if( !copy )
        return nullptr;
    // The conversion keeps the source's alpha flag, which would blend the
    // copy at its (opaque) surface alpha.
    SDL_SetAlpha( copy, 0, SDL_ALPHA_OPAQUE );
    return std::make_unique<CSurfaceSDL>( copy );
}

bool CSurfaceSDL::Blit( CSurface* dest, const types::rect& source, const types::rect& destination ) const
{
    CSurfaceSDL* target = gfx_cast<CSurfaceSDL>( dest );
    if( !target || !myImage || !target->myImage )
        return false;
    // Image coordinates of the target are those of this image moved by
    // (shiftX, shiftY); cutting either side must cut the other alike. In 64
    // bits: a destination near the int limit must not wrap around.
    const std::int64_t shiftX =
        std::int64_t( destination.x ) + target->myViewRect.x - ( std::int64_t( source.x ) + myViewRect.x );
    const std::int64_t shiftY =
        std::int64_t( destination.y ) + target->myViewRect.y - ( std::int64_t( source.y ) + myViewRect.y );
    const types::rect from = types::Translated( ClipRect( source ), shiftX, shiftY );
    const types::rect to = types::Intersection( from, target->ClipRect( destination ) );
    if( to.w <= 0 || to.h <= 0 )
        return true;
    const types::rect area{ static_cast<int>( to.x - shiftX ), static_cast<int>( to.y - shiftY ), to.w, to.h };
    if( target->myRawCopy && ( myImage->format->BytesPerPixel != 4 || target->myImage->format->BytesPerPixel != 4 ) )
        return false;
    const bool copied = CopyPixels( area, target->myImage, to.x, to.y, target->myRawCopy );
    target->DropViewImage();
    target->OnPixelsWritten( to );
    return copied;
}

bool CSurfaceSDL::Blit( CSurface* dest ) const
{
    const types::rect view{ 0, 0, myViewRect.w, myViewRect.h };
    return Blit( dest, view, view );
}

bool CSurfaceSDL::BlitFaded( CSurface* dest, const types::rect& source, const types::rect& destination,
                             int alpha ) const
{
    // SDL's per-surface alpha blends a pixel as the per-pixel alpha of a
    // faded copy would, but writes the target's alpha byte, so only targets
    // without alpha take it.
    CSurfaceSDL* target = gfx_cast<CSurfaceSDL>( dest );
    if( !CanBlitFaded() || !target || !target->myImage || target->myRawCopy ||
        target->myImage->format->Amask != 0 )
        return false;
    // The image may be shared with other surfaces (see CTextureManager):
    // the alpha holds for this blit only.
    const Uint32 flags = myImage->flags & SDL_SRCALPHA;
    const Uint8 oldAlpha = myImage->format->alpha;
    SDL_SetAlpha( myImage, SDL_SRCALPHA, static_cast<Uint8>( std::clamp( alpha, 0, 255 ) ) );
    const bool drawn = Blit( dest, source, destination );
    SDL_SetAlpha( myImage, flags, oldAlpha );
    return drawn;
}

bool CSurfaceSDL::CanBlitFaded() const
{
    return myImage && myImage->format->Amask == 0 && myImage->format->BytesPerPixel == 4 &&
           !( myImage->flags & SDL_SRCALPHA );
}

void CSurfaceSDL::SetViewRect( const types::rect& view )
{
    if( view == myViewRect )
        return;
    DropViewImage();
    myViewRect = view;
}

void CSurfaceSDL::SetOption( int kind, int value )
{
    switch( kind )
    {
    case OPTION_RAW_COPY: myRawCopy = value != 0; break;
    case OPTION_SCALE_SMOOTHING: myScaleSmoothing = value; break;
    case OPTION_ROTATE_SMOOTHING: myRotateSmoothing = value; break;
    case OPTION_COLOR_KEY:
        if( myImage )
            SDL_SetColorKey( myImage, value ? SDL_SRCCOLORKEY : 0, myImage->format->colorkey );
        DropViewImage();
        break;
    default: break;
    }
}

bool CSurfaceSDL::Save( const std::string& filename ) const
{
    return sdl::SaveSurface( GetViewImage(), filename );
}

types::rect CSurfaceSDL::ClipRect( const types::rect& area ) const
{
    const types::rect moved = types::Translated( area, myViewRect.x, myViewRect.y );
    // A view reaching past the image is cut to the image as well.
    return types::Intersection( types::Intersection( moved, myViewRect ), myFullRect );
}

SDL_Surface* CSurfaceSDL::GetViewImage() const
{
    if( !myImage || !IsPartialView() )
        return myImage;
    if( !myViewImage )
    {
        const types::rect area = types::Intersection( myViewRect, myFullRect );
        if( area.w <= 0 || area.h <= 0 )
            return nullptr;
        myViewImage = CSDLSurfaceCreator::CopyArea( myImage, ToSDL( area ) );
    }
    return myViewImage;
}

void CSurfaceSDL::SetImage( SDL_Surface* image, bool releaseOld )
{
    DropViewImage();
    if( releaseOld )
        ReleaseImage();
    myImage = image;
    myViewRect = WholeImage( image );
    myFullRect = WholeImage( image );
}

void CSurfaceSDL::SetColorKey( const CColor& color )
{
    if( !myImage )
        return;
    SDL_SetColorKey( myImage, SDL_SRCCOLORKEY, SDL_MapRGB( myImage->format, color.r, color.g, color.b ) );
    DropViewImage();
}

bool CSurfaceSDL::CopyPixels( const types::rect& area, SDL_Surface* target, int x, int y, bool raw ) const
{
    if( !raw )
    {
        SDL_Rect from = ToSDL( area );
        SDL_Rect to = ToSDL( types::rect{ x, y, area.w, area.h } );
        return SDL_UpperBlit( myImage, &from, target, &to ) == 0;
    }
    sdl::CSurfaceLock sourceLock( myImage );
    sdl::CSurfaceLock targetLock( target == myImage ? nullptr : target );
    // Rows go bottom-up when copying downwards within one image, so no row
    // is overwritten before it was read.
    const bool upwards = target == myImage && y > area.y;
    for( int i = 0; i < area.h; ++i )
    {
        const int row = upwards ? area.h - 1 - i : i;
        const Uint8* from =
            static_cast<const Uint8*>( myImage->pixels ) + ( area.y + row ) * myImage->pitch + area.x * 4;
        Uint8* to = static_cast<Uint8*>( target->pixels ) + ( y + row ) * target->pitch + x * 4;
        std::memmove( to, from, static_cast<std::size_t>( area.w ) * 4 );
    }
    return true;
}

void CSurfaceSDL::ReleaseImage()
{
    DropViewImage();
    CTextureManager::GetSingletonPtr()->Release( myImage );
    myImage = nullptr;
}

void CSurfaceSDL::DropViewImage() const
{
    if( myViewImage && myViewImage != myImage )
        SDL_FreeSurface( myViewImage );
    myViewImage = nullptr;
}

bool CSurfaceSDL::Contains( int x, int y ) const
{
    const types::rect point = ClipRect( types::rect{ x, y, 1, 1 } );
    return point.w == 1 && point.h == 1;
}

} // namespace tarn
