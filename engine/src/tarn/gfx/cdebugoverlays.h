#ifndef TARN_GFX_CDEBUGOVERLAYS_H
#define TARN_GFX_CDEBUGOVERLAYS_H

#include <memory>
#include <string>
#include <vector>

#include "tarn/gfx/cdebugdrawing.h"
#include "tarn/gfx/credrawoverlay.h"
#include "tarn/utils/rect.h"

namespace tarn {

class CDebugOverlay;
class CDebugPainter;
class CSurface;

// The debug overlays the screen knows, and which of them are on: the
// engine's own "dirty" and those a game adds. Once a frame the graphics task
// paints the ones on over the finished frame, presents it, and takes them
// off again, so they never reach the sprites' saved backgrounds nor, unless
// asked, a screenshot; what they covered is presented again the next frame,
// so turning one off leaves the frame as if it had never been on.
class CDebugOverlays final
{
public:
    CDebugOverlays();
    // Overlays still added forget these.
    ~CDebugOverlays();

    CDebugOverlays( const CDebugOverlays& ) = delete;
    CDebugOverlays& operator=( const CDebugOverlays& ) = delete;

    // overlay is not owned; it stays until removed or destroyed. A name
    // already known, or an overlay added elsewhere, is refused (logged, false).
    bool Add( CDebugOverlay* overlay );
    void Remove( CDebugOverlay* overlay );

    // False, and a log line listing the names known, for an unknown name.
    bool TurnOn( const std::string& name );
    void TurnAllOff();
    // Turns everything off and the next overlay after the last one turned
    // on (the first when none was); past the last one all stay off. Returns
    // the name turned on, "" for none.
    std::string TurnOnNext();
    bool IsOn( const std::string& name ) const;
    bool AnyOn() const { return !myOn.empty(); }
    // Those a game added, in the order added, then "dirty".
    std::vector<std::string> GetNames() const;

    // The areas the sprites redrew in the frame about to be presented.
    void SetRedrawnAreas( std::vector<types::rect> areas ) { myRedrawOverlay.SetAreas( std::move( areas ) ); }
    // Paints the overlays that are on over screen, and queues for presenting
    // what they cover now and what they covered the last time. Nothing at all
    // happens when none is on and none was.
    void Paint( CSurface& screen );
    // Takes the last Paint off screen; the pixels are as before it.
    void Restore( CSurface& screen );

private:
    const CDebugOverlay* Find( const std::string& name ) const;

    std::vector<CDebugOverlay*> myOverlays;
    CRedrawOverlay myRedrawOverlay;
    std::vector<std::string> myOn;
    std::string myLastTurnedOn;
    CDebugDrawing myDrawing;
    std::unique_ptr<CDebugPainter> myPainter;
    // The rectangle round what the last Paint covered (view coordinates).
    types::rect myCovered;
    bool myPainted = false;
};

} // namespace tarn

#endif
