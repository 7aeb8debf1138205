#ifndef TARN_GFX_SDL_PIXELACCESS_H
#define TARN_GFX_SDL_PIXELACCESS_H

#include <SDL.h>

#include "tarn/utils/rect.h"

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

// An engine rectangle as SDL takes it (SDL 1.2 keeps 16 bits a number).
inline SDL_Rect ToSDL( const types::rect& area )
{
    return SDL_Rect{ static_cast<Sint16>( area.x ), static_cast<Sint16>( area.y ), static_cast<Uint16>( area.w ),
                     static_cast<Uint16>( area.h ) };
}

// Copies area of from into to with its top-left corner at x, y, every pixel
// repeated into a square of factor x factor pixels. Both surfaces have the
// same format; the caller makes sure the enlarged area fits in to.
void CopyEnlarged( SDL_Surface* from, const SDL_Rect& area, SDL_Surface* to, int x, int y, int factor );

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
