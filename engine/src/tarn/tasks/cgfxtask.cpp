#include "tarn/tasks/cgfxtask.h"

#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/cspriteupdater.h"

namespace tarn {

bool CGfxTask::Init()
{
    for( CTimer* clock : { &mySpriteClock, &myFrameClock } )
    {
        clock->Reset();
        clock->Resume();
    }
    return true;
}

void CGfxTask::Update()
{
    CSpriteUpdater::GetSingletonPtr()->Update( mySpriteClock.GetTime() );
    CScreenLayer::GetSingletonPtr()->Update();
}

void CGfxTask::Exit()
{
    mySpriteClock.Pause();
    myFrameClock.Pause();
    CScreenLayer::DeleteSingleton();
}

} // namespace tarn
