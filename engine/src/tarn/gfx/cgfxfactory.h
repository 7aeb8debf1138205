#ifndef TARN_GFX_CGFXFACTORY_H
#define TARN_GFX_CGFXFACTORY_H

#include <memory>
#include <string>

#include "tarn/gfx/cdebugpainter.h"
#include "tarn/gfx/csurface.h"

namespace tarn {

// Makes surfaces of one implementation. Every operation that makes a surface
// returns the null surface (never null) when it cannot.
class CGfxFactory
{
public:
    virtual ~CGfxFactory() = default;

    // An opaque buffer in display format; pixels of keyColor are not drawn.
    virtual std::unique_ptr<CSurface> NewBuffer( int width, int height, const CColor& keyColor ) = 0;
    // A buffer with an alpha channel, fully transparent.
    virtual std::unique_ptr<CSurface> NewBufferWithAlpha( int width, int height ) = 0;
    // The image file as a surface; a file already loaded is not read again.
    virtual std::unique_ptr<CSurface> LoadImage( const std::string& filename, const CColor& keyColor ) = 0;
    // The next load of filename reads the file again (it changed on disk);
    // surfaces already made keep their pixels. Nothing without a cache.
    virtual void ForgetImage( const std::string& filename ) { (void)filename; }
    // A surface on the same pixels as surface, with the same view.
    virtual std::unique_ptr<CSurface> Copy( const CSurface& surface ) = 0;
    // Destroys the surface.
    virtual void FreeImage( std::unique_ptr<CSurface> surface ) = 0;
    // What paints debug overlays on this factory's surfaces; null when
    // there is none, and then no overlay is drawn.
    virtual std::unique_ptr<CDebugPainter> NewDebugPainter() { return nullptr; }
};

} // namespace tarn

#endif
