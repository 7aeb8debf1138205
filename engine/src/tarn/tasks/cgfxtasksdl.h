#ifndef TARN_TASKS_CGFXTASKSDL_H
#define TARN_TASKS_CGFXTASKSDL_H

#include <memory>

#include <SDL.h>

#include "tarn/inputdevice/inputlisteners.h"
#include "tarn/tasks/cgfxtask.h"
#include "tarn/tasks/framereport.h"

namespace tarn {

class CGfxFactorySDL;
class CScreenSurface;

// The "gfx" task on SDL: owns the graphics factory and the screen surface,
// and draws and presents at most one frame every 16 ms of the sprite clock,
// however fast the main loop runs.
class CGfxTaskSDL final : public CGfxTask, public CResizeListener
{
public:
    static constexpr types::ticks FRAME_INTERVAL = 16;

    CGfxTaskSDL();
    ~CGfxTaskSDL() override;

    using CGfxTask::Init;
    bool Init() override;
    void Update() override;
    // Until the frame gate opens.
    types::ticks TimeUntilDue() const override;
    void Exit() override;

    // The display was resized: the screen takes the new display surface.
    void OnResize( int width, int height ) override;

    // Every frame drawn from now on is reported to listener (empty: none).
    static void SetFrameReportListener( FrameReportListener listener );

private:
    // Follows the display surface when the window set a new video mode.
    void TrackDisplay();
    void Shutdown();
    void DrawFrame();
    void Report( double workSeconds ) const;

    std::unique_ptr<CGfxFactorySDL> myFactory;
    std::unique_ptr<CScreenSurface> myScreen;
    types::ticks myFrameInterval = FRAME_INTERVAL;
    types::ticks myLastFrameTime = 0;
    SDL_Surface* myDisplay = nullptr;

    static inline FrameReportListener myFrameReportListener;
};

} // namespace tarn

#endif
