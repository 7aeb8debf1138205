#include "tarn/tasks/cgfxtasksdl.h"

#include <chrono>
#include <utility>
#include <vector>

#include "tarn/gfx/cdebugoverlays.h"
#include "tarn/gfx/cdisplayscale.h"
#include "tarn/gfx/credrawoverlay.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/sdl/cgfxfactorysdl.h"
#include "tarn/gfx/sdl/cscreensurface.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/enginetime.h"

namespace tarn {

CGfxTaskSDL::CGfxTaskSDL()
{
    CInputDispatcher::GetSingletonPtr()->AddResizeListener( this );
}

CGfxTaskSDL::~CGfxTaskSDL()
{
    Shutdown();
    if( CInputDispatcher::HasSingleton() )
        CInputDispatcher::GetSingletonPtr()->RemoveResizeListener( this );
}

bool CGfxTaskSDL::Init()
{
    myFactory = std::make_unique<CGfxFactorySDL>();
    Gfx::SetFactory( myFactory.get() );
    myScreen = std::make_unique<CScreenSurface>();
    CScreenLayer::SetScreenSurface( myScreen.get() );
    TrackDisplay();
    return CGfxTask::Init();
}

void CGfxTaskSDL::Update()
{
    if( GetFrameTime() - myLastFrameTime < myFrameInterval )
        return;
    if( !myFrameReportListener )
    {
        DrawFrame();
        return;
    }
    const auto start = std::chrono::steady_clock::now();
    DrawFrame();
    Report( std::chrono::duration<double>( std::chrono::steady_clock::now() - start ).count() );
}

types::ticks CGfxTaskSDL::TimeUntilDue() const
{
    const types::ticks since = GetFrameTime() - myLastFrameTime;
    return since >= myFrameInterval ? 0 : myFrameInterval - since;
}

void CGfxTaskSDL::DrawFrame()
{
    TrackDisplay();
    if( CScreenSurface::IsRedrawEveryFrame() )
        CScreenLayer::GetSingletonPtr()->RequestDrawAll( false );
    CGfxTask::Update();
    // Overlays go over the finished frame for the flip only: the sprites'
    // saved backgrounds and a screenshot between frames never see them.
    CDebugOverlays& overlays = CScreenLayer::GetSingletonPtr()->GetDebugOverlays();
    if( overlays.IsOn( CRedrawOverlay::NAME ) )
        overlays.SetRedrawnAreas( myScreen->IsRedrawAll() ? std::vector<types::rect>{ myScreen->GetViewRect() }
                                                          : myScreen->GetDirtyRects() );
    overlays.Paint( *myScreen );
    myScreen->Flip();
    overlays.Restore( *myScreen );
    myLastFrameTime = GetFrameTime();
}

void CGfxTaskSDL::Report( double workSeconds ) const
{
    FrameReport report;
    report.time = EngineTime();
    report.workSeconds = workSeconds;
    report.pixelsDrawn = myScreen->GetPixelsDrawnLastFrame();
    report.pixelsPresented = myScreen->GetPixelsPresentedLastFrame();
    report.displayPixels = myScreen->GetDisplayPixels();
    myFrameReportListener( report );
}

void CGfxTaskSDL::SetFrameReportListener( FrameReportListener listener )
{
    myFrameReportListener = std::move( listener );
}

void CGfxTaskSDL::Exit()
{
    CGfxTask::Exit();
    Shutdown();
}

void CGfxTaskSDL::OnResize( int width, int height )
{
    (void)width;
    (void)height;
    TrackDisplay();
}

void CGfxTaskSDL::TrackDisplay()
{
    if( !myScreen )
        return;
    SDL_Surface* display = SDL_GetVideoSurface();
    const CDisplayScale& scale = CDisplayScale::Current();
    if( display && myScreen->Shows( display, scale ) )
        return;
    // The window task was stopped: frames go nowhere until a window opens.
    if( myDisplay && !display )
        GetLog().Warning() << "The display is gone: nothing is drawn until a window opens\n";
    myDisplay = display;
    myScreen->SetDisplay( display, scale );
}

void CGfxTaskSDL::Shutdown()
{
    if( !myFactory && !myScreen )
        return;
    if( Gfx::GetFactory() == myFactory.get() )
        Gfx::SetFactory( nullptr );
    myFactory.reset();
    if( CScreenLayer::GetScreenSurface() == myScreen.get() )
        CScreenLayer::SetScreenSurface( nullptr );
    myScreen.reset();
    myDisplay = nullptr;
}

} // namespace tarn
