#include "tarn/gfx/cdebugoverlay.h"

#include "tarn/gfx/cdebugoverlays.h"

namespace tarn {

CDebugOverlay::~CDebugOverlay()
{
    if( myOverlays )
        myOverlays->Remove( this );
}

} // namespace tarn
