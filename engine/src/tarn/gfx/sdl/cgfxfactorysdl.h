#ifndef TARN_GFX_SDL_CGFXFACTORYSDL_H
#define TARN_GFX_SDL_CGFXFACTORYSDL_H

#include "tarn/gfx/cgfxfactory.h"

namespace tarn {

// Makes CSurfaceSDL surfaces in the display's format; image files go
// through the image cache, so each file is decoded once.
class CGfxFactorySDL final : public CGfxFactory
{
public:
    std::unique_ptr<CSurface> NewBuffer( int width, int height, const CColor& keyColor ) override;
    std::unique_ptr<CSurface> NewBufferWithAlpha( int width, int height ) override;
    std::unique_ptr<CSurface> LoadImage( const std::string& filename, const CColor& keyColor ) override;
    void ForgetImage( const std::string& filename ) override;
    // Shares the cached image of surface; a surface whose pixels are not
    // cached (a made buffer) gets a copy of them instead, so that no image
    // is ever freed twice.
    std::unique_ptr<CSurface> Copy( const CSurface& surface ) override;
    void FreeImage( std::unique_ptr<CSurface> surface ) override;
    std::unique_ptr<CDebugPainter> NewDebugPainter() override;
};

} // namespace tarn

#endif
