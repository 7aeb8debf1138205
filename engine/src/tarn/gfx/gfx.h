#ifndef TARN_GFX_GFX_H
#define TARN_GFX_GFX_H

#include <memory>
#include <string>

#include "tarn/gfx/csurface.h"

namespace tarn {

class CGfxFactory;

// Where the program makes and loads surfaces: forwards to the one registered
// factory. Without a factory each call logs why it cannot and hands out the
// null surface.
class Gfx final
{
public:
    Gfx() = delete;

    // An opaque buffer whose keyColor pixels are transparent.
    static std::unique_ptr<CSurface> NewBuffer( int width, int height, const CColor& keyColor );
    // A fully transparent buffer with an alpha channel.
    static std::unique_ptr<CSurface> NewBuffer( int width, int height );
    static std::unique_ptr<CSurface> LoadImage( const std::string& filename, const CColor& keyColor );
    // The next LoadImage of filename reads the file anew; nothing without a
    // factory.
    static void ForgetImage( const std::string& filename );
    // A surface sharing surface's pixels and view.
    static std::unique_ptr<CSurface> Copy( const CSurface& surface );
    static void FreeImage( std::unique_ptr<CSurface> surface );

    // A factory can be set when none is set, set again, or cleared with
    // null; replacing one factory by another is refused (logged, false).
    // The factory is not owned.
    static bool SetFactory( CGfxFactory* factory );
    static CGfxFactory* GetFactory() { return myFactory; }

private:
    static inline CGfxFactory* myFactory = nullptr;
};

} // namespace tarn

#endif
