#include "tarn/tasks/cgfxtask.h"

#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/cspriteupdater.h"

namespace tarn {

bool CGfxTask::Init()
{
    mySpriteClock.Reset();
    mySpriteClock.Resume();
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
    CScreenLayer::DeleteSingleton();
}

} // namespace tarn
