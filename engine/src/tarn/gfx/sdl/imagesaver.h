#ifndef TARN_GFX_SDL_IMAGESAVER_H
#define TARN_GFX_SDL_IMAGESAVER_H

#include <string>
#include <vector>

#include <SDL.h>

namespace tarn {
namespace sdl {

// Saves the surface: names ending in "tga" as uncompressed TGA, all others
// as BMP. The file appears only when it was written completely; on failure
// an error naming the file is logged and false returned.
bool SaveSurface( SDL_Surface* surface, const std::string& filename );

// The surface as an uncompressed TGA file, top row first: 8-bit surfaces
// with their palette, others as 24-bit or, with an alpha mask, 32-bit
// pixels. False, with the reason as SDL's error, for surfaces under 8 bits.
bool EncodeTGA( SDL_Surface* surface, std::vector<Uint8>& bytes );
// The surface as SDL writes a BMP file.
bool EncodeBMP( SDL_Surface* surface, std::vector<Uint8>& bytes );

// Writes bytes to a temporary file beside path and renames it into place,
// so a failed write leaves neither a partial file nor a changed old one.
// False (errno set) on failure.
bool WriteFileAtomically( const std::string& path, const std::vector<Uint8>& bytes );

} // namespace sdl
} // namespace tarn

#endif
