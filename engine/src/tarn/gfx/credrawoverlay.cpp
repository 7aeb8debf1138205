#include "tarn/gfx/credrawoverlay.h"

#include "tarn/gfx/cdebugdrawing.h"

namespace tarn {

void CRedrawOverlay::Draw( CDebugDrawing& drawing ) const
{
    for( const types::rect& area : myAreas )
        drawing.Box( area, CColor( 255, 0, 255 ) );
}

} // namespace tarn
