#ifndef HORROR_CGAMEPLAYOVERLAY_H
#define HORROR_CGAMEPLAYOVERLAY_H

#include <memory>
#include <string>
#include <vector>

#include "tarn/gfx/cdebugoverlay.h"
#include "tarn/utils/rect.h"

namespace tarn {
class CSurface;
}

namespace horror {

class CHorrorGameplay;

// One of the game's debug overlays over the level being played: "walkmask"
// tints the closed floor, "paths" marks the bad guy's path points and where
// it heads now, "sight" shows its sight range and its line of sight to the
// icon (green clear, red blocked), "areas" every area event's circle
// (portals' too) with the times it still runs.
class CGameplayOverlay final : public tarn::CDebugOverlay
{
public:
    enum Kind
    {
        WALK_MASK,
        PATHS,
        SIGHT,
        AREAS
    };

    // gameplay is not owned and outlives the overlay.
    CGameplayOverlay( Kind kind, const CHorrorGameplay& gameplay );

    // One overlay of each kind, in the order Debug::CycleOverlay visits them.
    static std::vector<std::unique_ptr<CGameplayOverlay>> MakeAll( const CHorrorGameplay& gameplay );

    void Draw( tarn::CDebugDrawing& drawing ) const override;

private:
    void DrawWalkMask( tarn::CDebugDrawing& drawing ) const;
    void DrawPaths( tarn::CDebugDrawing& drawing ) const;
    void DrawSight( tarn::CDebugDrawing& drawing ) const;
    void DrawAreas( tarn::CDebugDrawing& drawing ) const;
    // The closed floor as rectangles, found again only for another level
    // picture: reading every point of the mask takes a while.
    const std::vector<tarn::types::rect>& ClosedFloor() const;

    Kind myKind;
    const CHorrorGameplay& myGameplay;
    mutable const tarn::CSurface* myMaskSurface = nullptr;
    mutable std::string myMaskFile;
    mutable tarn::types::rect myMaskView;
    mutable tarn::types::rect myMaskRect;
    mutable std::vector<tarn::types::rect> myClosedFloor;
};

} // namespace horror

#endif
