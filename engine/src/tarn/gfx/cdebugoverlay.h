#ifndef TARN_GFX_CDEBUGOVERLAY_H
#define TARN_GFX_CDEBUGOVERLAY_H

#include <string>
#include <utility>

namespace tarn {

class CDebugDrawing;
class CDebugOverlays;

// A named picture for developers drawn over the whole frame while it is
// turned on (walk masks, paths, what the frame redrew). Whoever makes one
// owns it and adds it to the screen's overlays; it leaves them when it is
// destroyed, and they let go of it when they are.
class CDebugOverlay
{
public:
    explicit CDebugOverlay( std::string name ) : myName( std::move( name ) ) {}
    // Leaves the overlays it was added to.
    virtual ~CDebugOverlay();

    CDebugOverlay( const CDebugOverlay& ) = delete;
    CDebugOverlay& operator=( const CDebugOverlay& ) = delete;

    const std::string& GetName() const { return myName; }
    // Adds the shapes of the frame now on show, in screen pixels.
    virtual void Draw( CDebugDrawing& drawing ) const = 0;

private:
    friend class CDebugOverlays;

    std::string myName;
    CDebugOverlays* myOverlays = nullptr;
};

} // namespace tarn

#endif
