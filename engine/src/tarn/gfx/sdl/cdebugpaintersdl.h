#ifndef TARN_GFX_SDL_CDEBUGPAINTERSDL_H
#define TARN_GFX_SDL_CDEBUGPAINTERSDL_H

#include <cstddef>
#include <vector>

#include <SDL.h>

#include "tarn/gfx/cdebugpainter.h"

namespace tarn {

// Paints debug shapes with SDL_gfx onto SDL surfaces, after copying the
// pixels under each shape aside byte for byte, so that Restore gives back
// exactly the picture there was.
class CDebugPainterSDL final : public CDebugPainter
{
public:
    bool Paint( CSurface& surface, const CDebugDrawing& drawing ) override;
    void Restore( CSurface& surface ) override;

private:
    struct Saved
    {
        SDL_Rect area;
        std::size_t offset;
    };

    void Save( SDL_Surface* image, const SDL_Rect& area );

    SDL_Surface* myImage = nullptr;
    std::vector<Saved> mySaved;
    std::vector<Uint8> myPixels;
};

} // namespace tarn

#endif
