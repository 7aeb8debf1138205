#ifndef TARN_GFX_SDL_CSDLSURFACECREATOR_H
#define TARN_GFX_SDL_CSDLSURFACECREATOR_H

#include <SDL.h>

namespace tarn {

// Makes SDL surfaces in the display's format. The window publishes here
// whether hardware surfaces are used and the display depth (32 until the
// first video mode is set).
class CSDLSurfaceCreator final
{
public:
    CSDLSurfaceCreator() = delete;

    static void SetHardwareSurfaces( bool hardware ) { myHardware = hardware; }
    static void SetDepth( int bitsPerPixel ) { myDepth = bitsPerPixel; }
    static int GetDepth() { return myDepth; }
    static Uint32 GetFlags() { return myHardware ? SDL_HWSURFACE : SDL_SWSURFACE; }

    // width x height with the display's depth and masks, not yet converted.
    static SDL_Surface* CreateSurface( int width, int height );
    // A copy of surface in the display's format, with an alpha channel when
    // alpha is set. Without a display (none yet, or the window was closed)
    // SDL cannot tell that format: then a 32-bit copy with alpha, or a
    // plain copy. surface is kept; null on failure.
    static SDL_Surface* ConvertToDisplay( SDL_Surface* surface, bool alpha );
    // ConvertToDisplay, then frees surface. Null (surface freed) on failure.
    static SDL_Surface* ToDisplayFormat( SDL_Surface* surface, bool alpha );
    // A display-format buffer with alpha, every pixel 0 when it has 4 bytes
    // a pixel; null on failure.
    static SDL_Surface* CreateAlphaSurface( int width, int height );
    // An opaque display-format buffer; null on failure.
    static SDL_Surface* CreateOpaqueSurface( int width, int height );
    // An empty software surface of surface's pixel format (palette
    // included); null on failure.
    static SDL_Surface* CreateLike( const SDL_Surface* surface, int width, int height );
    // A new surface of the same format and flags holding the area of
    // surface verbatim; null on failure.
    static SDL_Surface* CopyArea( SDL_Surface* surface, const SDL_Rect& area );

private:
    static inline bool myHardware = false;
    static inline int myDepth = 32;
};

} // namespace tarn

#endif
