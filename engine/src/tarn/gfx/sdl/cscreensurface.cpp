#include "tarn/gfx/sdl/cscreensurface.h"

#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/console/cconsolevariable.h"
#include "tarn/utils/clogger.h"

namespace tarn {

CScreenSurface::CScreenSurface( SDL_Surface* display ) : CSurfaceSDL( display )
{
    RegisterVariables();
}

CScreenSurface::~CScreenSurface()
{
    SetImage( nullptr, false );
}

void CScreenSurface::Flip()
{
    myPixelsPresentedLastFrame = PresentedPixels();
    myPixelsDrawnLastFrame = myPixelsDrawn;
    myPixelsDrawn = 0;
    SDL_Surface* display = GetRawImage();
    if( display && ( !myFlipUpdateRects || myRedrawAll ) )
    {
        SDL_Flip( display );
    }
    else if( display && !myDirtyRects.empty() )
    {
        // Only what changed goes to the window; the rects are cut to the
        // screen when they are queued.
        std::vector<SDL_Rect> rects;
        rects.reserve( myDirtyRects.size() );
        for( const types::rect& area : myDirtyRects )
        {
            rects.push_back( SDL_Rect{ static_cast<Sint16>( area.x ), static_cast<Sint16>( area.y ),
                                       static_cast<Uint16>( area.w ), static_cast<Uint16>( area.h ) } );
        }
        SDL_UpdateRects( display, static_cast<int>( rects.size() ), rects.data() );
    }
    if( myFlipDebugRects )
    {
        if( myRedrawAll )
            GetLog().Debug() << "flip: everything\n";
        for( const types::rect& area : myDirtyRects )
            GetLog().Debug() << "flip: " << area.x << ", " << area.y << ", " << area.w << ", " << area.h << "\n";
    }
    myDirtyRects.clear();
    myRedrawAll = false;
}

void CScreenSurface::AddDirtyRect( const types::rect& area )
{
    if( myRedrawAll )
        return;
    const types::rect screen{ 0, 0, GetFullWidth(), GetFullHeight() };
    if( types::Intersection( area, screen ) == screen )
    {
        myRedrawAll = true;
        myDirtyRects.clear();
        return;
    }
    const types::rect cut = types::Intersection( area, screen );
    if( cut.w <= 0 || cut.h <= 0 )
        return;
    if( myFlipRectsSize > 0 && myDirtyRects.size() >= static_cast<std::size_t>( myFlipRectsSize ) )
    {
        myRedrawAll = true;
        myDirtyRects.clear();
        return;
    }
    myDirtyRects.push_back( cut );
}

void CScreenSurface::OnPixelsWritten( const types::rect& area )
{
    myPixelsDrawn += static_cast<long long>( area.w ) * area.h;
}

long long CScreenSurface::PresentedPixels() const
{
    if( !GetRawImage() )
        return 0;
    if( !myFlipUpdateRects || myRedrawAll )
        return static_cast<long long>( GetFullWidth() ) * GetFullHeight();
    long long pixels = 0;
    for( const types::rect& area : myDirtyRects )
        pixels += static_cast<long long>( area.w ) * area.h;
    return pixels;
}

void CScreenSurface::SetDisplay( SDL_Surface* display )
{
    SetImage( display, false );
    myDirtyRects.clear();
    myRedrawAll = true;
}

void CScreenSurface::RegisterVariables()
{
    CConsole* console = GetConsole();
    if( console->HasVariable( "gfx_flip_rects_size" ) )
        return;
    // A fresh main console starts from the defaults.
    myFlipRectsSize = DEFAULT_FLIP_RECTS_SIZE;
    myFlipDebugRects = false;
    myFlipUpdateRects = false;
    myRedrawEveryFrame = false;
    console->AddVariable( "gfx_flip_rects_size",
                          std::make_unique<CConsoleVar<int>>( "gfx_flip_rects_size", &myFlipRectsSize ) );
    console->AddVariable( "gfx_flip_update_rects",
                          std::make_unique<CConsoleVar<bool>>( "gfx_flip_update_rects", &myFlipUpdateRects ) );
    console->AddVariable( "gfx_flip_debug_rects",
                          std::make_unique<CConsoleVar<bool>>( "gfx_flip_debug_rects", &myFlipDebugRects ) );
    console->AddVariable( "gfx_redraw_every_frame",
                          std::make_unique<CConsoleVar<bool>>( "gfx_redraw_every_frame", &myRedrawEveryFrame ) );
}

} // namespace tarn
