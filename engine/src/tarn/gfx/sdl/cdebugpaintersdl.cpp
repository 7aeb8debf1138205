#include "tarn/gfx/sdl/cdebugpaintersdl.h"

#include <SDL_gfxPrimitives.h>

#include <algorithm>
#include <cstring>

#include "tarn/gfx/cdebugdrawing.h"
#include "tarn/gfx/sdl/csurfacesdl.h"
#include "tarn/gfx/sdl/pixelaccess.h"

namespace tarn {

namespace {

// SDL_gfx takes 16-bit coordinates; a point far off the screen is kept off it.
Sint16 Coordinate( std::int64_t value )
{
    return static_cast<Sint16>( std::clamp<std::int64_t>( value, -16384, 16383 ) );
}

void DrawShape( SDL_Surface* image, const CDebugDrawing::Shape& shape, int dx, int dy )
{
    const CColor& c = shape.color;
    const auto x = [ dx ]( std::int64_t v ) { return Coordinate( v + dx ); };
    const auto y = [ dy ]( std::int64_t v ) { return Coordinate( v + dy ); };
    const types::rect& a = shape.area;
    switch( shape.kind )
    {
    case CDebugDrawing::LINE:
        lineRGBA( image, x( shape.x1 ), y( shape.y1 ), x( shape.x2 ), y( shape.y2 ), c.r, c.g, c.b, c.a );
        break;
    case CDebugDrawing::CIRCLE:
        circleRGBA( image, x( shape.x1 ), y( shape.y1 ), Coordinate( shape.radius ), c.r, c.g, c.b, c.a );
        break;
    case CDebugDrawing::BOX:
        if( a.w > 0 && a.h > 0 )
            rectangleRGBA( image, x( a.x ), y( a.y ), x( std::int64_t( a.x ) + a.w - 1 ),
                           y( std::int64_t( a.y ) + a.h - 1 ), c.r, c.g, c.b, c.a );
        break;
    case CDebugDrawing::FILLED_BOX:
        if( a.w > 0 && a.h > 0 )
            boxRGBA( image, x( a.x ), y( a.y ), x( std::int64_t( a.x ) + a.w - 1 ), y( std::int64_t( a.y ) + a.h - 1 ),
                     c.r, c.g, c.b, c.a );
        break;
    case CDebugDrawing::TEXT:
        stringRGBA( image, x( shape.x1 ), y( shape.y1 ), shape.text.c_str(), c.r, c.g, c.b, c.a );
        break;
    }
}

} // namespace

bool CDebugPainterSDL::Paint( CSurface& surface, const CDebugDrawing& drawing )
{
    auto* sdl = gfx_cast<CSurfaceSDL>( &surface );
    SDL_Surface* image = sdl ? sdl->GetRawImage() : nullptr;
    if( !image )
        return false;
    myImage = image;
    mySaved.clear();
    myPixels.clear();

    // Shapes stay inside the surface's view, whatever SDL_gfx would draw.
    const types::rect view = surface.GetViewRect();
    SDL_Rect oldClip;
    SDL_GetClipRect( image, &oldClip );
    const SDL_Rect clip = sdl::ToSDL( surface.ClipRect( types::rect{ 0, 0, view.w, view.h } ) );
    SDL_SetClipRect( image, &clip );
    for( const CDebugDrawing::Shape& shape : drawing.GetShapes() )
    {
        const types::rect area = surface.ClipRect( CDebugDrawing::Bounds( shape ) );
        if( area.w <= 0 || area.h <= 0 )
            continue;
        Save( image, sdl::ToSDL( area ) );
        DrawShape( image, shape, view.x, view.y );
    }
    SDL_SetClipRect( image, &oldClip );
    return true;
}

void CDebugPainterSDL::Save( SDL_Surface* image, const SDL_Rect& area )
{
    const std::size_t rowBytes = static_cast<std::size_t>( area.w ) * image->format->BytesPerPixel;
    mySaved.push_back( Saved{ area, myPixels.size() } );
    myPixels.resize( myPixels.size() + rowBytes * area.h );
    sdl::CSurfaceLock lock( image );
    const auto* pixels = static_cast<const Uint8*>( image->pixels );
    Uint8* out = myPixels.data() + mySaved.back().offset;
    for( int row = 0; row < area.h; ++row, out += rowBytes )
        std::memcpy( out, pixels + ( area.y + row ) * image->pitch + area.x * image->format->BytesPerPixel, rowBytes );
}

void CDebugPainterSDL::Restore( CSurface& surface )
{
    auto* sdl = gfx_cast<CSurfaceSDL>( &surface );
    SDL_Surface* image = sdl ? sdl->GetRawImage() : nullptr;
    // Saved pixels belong to the image they came from alone.
    if( image && image == myImage )
    {
        sdl::CSurfaceLock lock( image );
        auto* pixels = static_cast<Uint8*>( image->pixels );
        // Last saved first: where shapes overlap, the first one saved holds
        // the pixels from before any shape.
        for( auto saved = mySaved.rbegin(); saved != mySaved.rend(); ++saved )
        {
            const SDL_Rect& area = saved->area;
            const std::size_t rowBytes = static_cast<std::size_t>( area.w ) * image->format->BytesPerPixel;
            const Uint8* in = myPixels.data() + saved->offset;
            for( int row = 0; row < area.h; ++row, in += rowBytes )
                std::memcpy( pixels + ( area.y + row ) * image->pitch + area.x * image->format->BytesPerPixel, in,
                             rowBytes );
        }
    }
    myImage = nullptr;
    mySaved.clear();
    myPixels.clear();
}

} // namespace tarn
