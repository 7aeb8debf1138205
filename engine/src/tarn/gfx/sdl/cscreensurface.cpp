#include "tarn/gfx/sdl/cscreensurface.h"

#include <algorithm>

#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/console/cconsolevariable.h"
#include "tarn/gfx/sdl/csdlsurfacecreator.h"
#include "tarn/gfx/sdl/pixelaccess.h"
#include "tarn/utils/clogger.h"

namespace tarn {

namespace {

// The scale a display is shown at: the identity unless the display was made
// for the scale.
CDisplayScale ScaleOf( const SDL_Surface* display, const CDisplayScale& scale )
{
    return display && scale.IsScaled() && scale.Fits( display->w, display->h ) ? scale : CDisplayScale();
}

} // namespace

CScreenSurface::CScreenSurface( SDL_Surface* display ) :
    CSurfaceSDL( display ),
    myDisplay( display ),
    myDisplayWidth( display ? display->w : 0 ),
    myDisplayHeight( display ? display->h : 0 )
{
    RegisterVariables();
}

CScreenSurface::~CScreenSurface()
{
    SetImage( nullptr, false );
    FreePicture();
}

void CScreenSurface::Flip()
{
    myPixelsPresentedLastFrame = PresentedPixels();
    myPixelsDrawnLastFrame = myPixelsDrawn;
    myPixelsDrawn = 0;
    if( myDisplay )
        Present();
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

void CScreenSurface::Present()
{
    if( myPicture )
        CopyToDisplay();
    if( !myFlipUpdateRects || myRedrawAll )
    {
        SDL_Flip( myDisplay );
        return;
    }
    if( myDirtyRects.empty() )
        return;
    // Only what changed goes to the window; the rects are cut to the screen
    // when they are queued.
    std::vector<SDL_Rect> rects;
    rects.reserve( myDirtyRects.size() );
    for( const types::rect& area : myDirtyRects )
        rects.push_back( sdl::ToSDL( myScale.ToDisplay( area ) ) );
    SDL_UpdateRects( myDisplay, static_cast<int>( rects.size() ), rects.data() );
}

void CScreenSurface::CopyToDisplay()
{
    const int factor = myScale.GetFactor();
    const auto copy = [ this, factor ]( const types::rect& area ) {
        const types::rect shown = myScale.ToDisplay( area );
        sdl::CopyEnlarged( myPicture, sdl::ToSDL( area ), myDisplay, shown.x, shown.y, factor );
    };
    if( myRedrawAll )
        copy( types::rect{ 0, 0, myPicture->w, myPicture->h } );
    else
        std::for_each( myDirtyRects.begin(), myDirtyRects.end(), copy );
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
    if( !myDisplay )
        return 0;
    if( !myFlipUpdateRects || myRedrawAll )
        return GetDisplayPixels();
    long long pixels = 0;
    for( const types::rect& area : myDirtyRects )
        pixels += static_cast<long long>( area.w ) * area.h;
    return pixels * myScale.GetFactor() * myScale.GetFactor();
}

void CScreenSurface::SetDisplay( SDL_Surface* display, const CDisplayScale& scale )
{
    FreePicture();
    myDisplay = display;
    myDisplayWidth = display ? display->w : 0;
    myDisplayHeight = display ? display->h : 0;
    myScale = ScaleOf( display, scale );
    if( myScale.IsScaled() )
        myPicture = CSDLSurfaceCreator::CreateLike( display, myScale.GetWidth(), myScale.GetHeight() );
    if( myPicture )
    {
        // The border round the picture stays black.
        SDL_FillRect( display, nullptr, 0 );
        SetImage( myPicture, false );
    }
    else
    {
        myScale = CDisplayScale();
        SetImage( display, false );
    }
    myDirtyRects.clear();
    myRedrawAll = true;
}

bool CScreenSurface::Shows( const SDL_Surface* display, const CDisplayScale& scale ) const
{
    return display == myDisplay && display && display->w == myDisplayWidth && display->h == myDisplayHeight &&
           ScaleOf( display, scale ) == myScale;
}

void CScreenSurface::FreePicture()
{
    if( !myPicture )
        return;
    if( GetRawImage() == myPicture )
        SetImage( nullptr, false );
    SDL_FreeSurface( myPicture );
    myPicture = nullptr;
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
                          std::make_unique<CConsoleVar<int>>( "gfx_flip_rects_size", &myFlipRectsSize ),
                          "Changed areas a frame may queue before the whole screen is presented instead; 0 no limit." );
    console->AddVariable( "gfx_flip_update_rects",
                          std::make_unique<CConsoleVar<bool>>( "gfx_flip_update_rects", &myFlipUpdateRects ),
                          "1 presents only the areas of the screen that changed; 0 flips the whole screen." );
    console->AddVariable( "gfx_flip_debug_rects",
                          std::make_unique<CConsoleVar<bool>>( "gfx_flip_debug_rects", &myFlipDebugRects ),
                          "1 logs the areas presented at every frame." );
    console->AddVariable( "gfx_redraw_every_frame",
                          std::make_unique<CConsoleVar<bool>>( "gfx_redraw_every_frame", &myRedrawEveryFrame ),
                          "1 draws every sprite again each frame, as an engine without changed areas would (to measure)." );
}

} // namespace tarn
