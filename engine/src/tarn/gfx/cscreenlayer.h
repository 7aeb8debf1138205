#ifndef TARN_GFX_CSCREENLAYER_H
#define TARN_GFX_CSCREENLAYER_H

#include "tarn/gfx/cdebugoverlays.h"
#include "tarn/gfx/cspritelayer.h"
#include "tarn/utils/csingleton.h"

namespace tarn {

// The layer whose target is the screen: once a frame it redraws what changed
// and tells the screen surface which areas did. It draws everything when the
// display surface changed size or when asked to.
class CScreenLayer final : public CSpriteLayer, public CSingleton<CScreenLayer>
{
public:
    ~CScreenLayer() override;

    int GetType() const override;
    // The whole screen is queued for presenting before a sprite leaves.
    void RemoveSprite( CSprite* sprite ) override;
    void HideSprite( CSprite* sprite ) override;

    // One frame: incremental redraw, or a full pass (see DrawAll).
    void Update();
    // The next Update draws every sprite again: the display was replaced,
    // or a profiling run wants the cost of a full redraw (unlogged, as it
    // comes every frame).
    void RequestDrawAll( bool logged = true )
    {
        myDrawAllRequested = true;
        myDrawAllLogged = myDrawAllLogged || logged;
    }

    // What is drawn over the finished frame for developers.
    CDebugOverlays& GetDebugOverlays() { return myDebugOverlays; }

    // The surface the screen layer draws on, published by the graphics task
    // (not owned; null while there is none).
    static void SetScreenSurface( CSurface* screen );
    static CSurface* GetScreenSurface();

private:
    friend class CSingleton<CScreenLayer>;
    CScreenLayer();

    void DrawIncremental( CSurface* screen );
    void DrawAll( CSurface* screen, bool logged );
    void QueueWholeScreen();

    // The screen as a sprite: its image is the published screen surface.
    class CScreenTarget final : public CSprite
    {
    public:
        CSurface* GetSurface() const override { return CScreenLayer::GetScreenSurface(); }
    };

    CScreenTarget myScreenTarget;
    bool myDrawAllRequested = false;
    bool myDrawAllLogged = false;
    CDebugOverlays myDebugOverlays;

    static inline CSurface* myScreenSurface = nullptr;
};

} // namespace tarn

#endif
