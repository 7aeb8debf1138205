#ifndef TARN_GFX_CDEBUGPAINTER_H
#define TARN_GFX_CDEBUGPAINTER_H

namespace tarn {

class CDebugDrawing;
class CSurface;

// Puts debug shapes onto a surface for one frame and takes them off again,
// leaving every pixel as it was; made by the graphics factory of the
// surfaces it paints on.
class CDebugPainter
{
public:
    virtual ~CDebugPainter() = default;

    // Paints the shapes onto surface, keeping the pixels under them; false
    // (nothing painted) when it cannot draw on that kind of surface.
    virtual bool Paint( CSurface& surface, const CDebugDrawing& drawing ) = 0;
    // Puts back the pixels the last Paint covered on surface.
    virtual void Restore( CSurface& surface ) = 0;
};

} // namespace tarn

#endif
