#ifndef TARN_GFX_SDL_PIXELACCESS_H
#define TARN_GFX_SDL_PIXELACCESS_H

#include <SDL.h>

namespace tarn {
namespace sdl {

// Raw pixel access in image coordinates; the caller checks bounds and holds
// the surface locked where SDL requires it.
Uint32 ReadPixel( const SDL_Surface* surface, int x, int y );
void WritePixel( SDL_Surface* surface, int x, int y, Uint32 pixel );

// Blends the mapped pixel source over the pixel at x, y by alpha (0 keeps
// the old pixel, 256 would replace it): every channel c becomes
// d + floor( ( s - d ) * alpha / 256 ). 8-bit surfaces blend the palette
// colours and map the result back to the palette.
void BlendPixel( SDL_Surface* surface, int x, int y, Uint32 source, int alpha );

// One channel of a packed pixel blended in place, for masks of any width
// up to 32 bits.
Uint32 BlendMasked( Uint32 destination, Uint32 source, Uint32 mask, int alpha );

// Keeps a surface locked for the lifetime of the object when SDL needs it.
class CSurfaceLock final
{
public:
    explicit CSurfaceLock( SDL_Surface* surface );
    ~CSurfaceLock();

    CSurfaceLock( const CSurfaceLock& ) = delete;
    CSurfaceLock& operator=( const CSurfaceLock& ) = delete;

private:
    SDL_Surface* mySurface;
};

} // namespace sdl
} // namespace tarn

#endif
