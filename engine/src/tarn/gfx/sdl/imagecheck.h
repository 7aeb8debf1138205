#ifndef TARN_GFX_SDL_IMAGECHECK_H
#define TARN_GFX_SDL_IMAGECHECK_H

#include <string>

#include "tarn/gfx/imagelimits.h"

namespace tarn {
namespace sdl {

// Checks the bytes of an image file before SDL_image decodes them. Only the
// formats the engine uses are let through (PNG, JPEG, BMP, and TGA, which
// the engine writes and which has no signature, by its name): SDL_image's
// PNG reader ignores short reads, so a chunk running past the end of the
// file makes libpng read on forever, and every decoder allocates whatever
// size the header claims (the limits are those of imagelimits.h).

// "" when the bytes are a PNG, JPEG or BMP file (or a TGA file, for a name
// ending in ".tga" in any case) of at most MAX_IMAGE_SIDE pixels a side and
// MAX_IMAGE_PIXELS pixels whose structure is whole; otherwise what is
// wrong, for the log.
std::string FindImageFault( const std::string& bytes, const std::string& filename = "" );

// True for a name ending in ".tga" in any case.
bool IsTgaName( const std::string& filename );

} // namespace sdl
} // namespace tarn

#endif
