#ifndef TARN_GFX_CREDRAWOVERLAY_H
#define TARN_GFX_CREDRAWOVERLAY_H

#include <vector>

#include "tarn/gfx/cdebugoverlay.h"
#include "tarn/utils/rect.h"

namespace tarn {

// The engine's "dirty" overlay: outlines the areas the sprites redrew in the
// frame on show, to see what the incremental drawing costs.
class CRedrawOverlay final : public CDebugOverlay
{
public:
    static constexpr const char* NAME = "dirty";

    CRedrawOverlay() : CDebugOverlay( NAME ) {}

    // The areas of the frame about to be presented.
    void SetAreas( std::vector<types::rect> areas ) { myAreas = std::move( areas ); }
    void Draw( CDebugDrawing& drawing ) const override;

private:
    std::vector<types::rect> myAreas;
};

} // namespace tarn

#endif
