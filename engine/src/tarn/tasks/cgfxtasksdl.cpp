#include "tarn/tasks/cgfxtasksdl.h"

#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/sdl/cgfxfactorysdl.h"
#include "tarn/gfx/sdl/cscreensurface.h"
#include "tarn/inputdevice/cinputdispatcher.h"

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
    if( GetSpriteTime() - myLastFrameTime < myFrameInterval )
        return;
    TrackDisplay();
    CGfxTask::Update();
    myScreen->Flip();
    myLastFrameTime = GetSpriteTime();
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
    const bool sameSize = display && myDisplay == display && myScreen->GetWidth() == display->w &&
                          myScreen->GetHeight() == display->h;
    if( sameSize )
        return;
    myDisplay = display;
    myScreen->SetDisplay( display );
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
