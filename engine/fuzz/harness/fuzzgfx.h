#ifndef TARN_FUZZ_HARNESS_FUZZGFX_H
#define TARN_FUZZ_HARNESS_FUZZGFX_H

// What the graphics fuzz targets do with one input, shared with the unit
// tests that replay the inputs they once failed on. Each needs nothing set
// up: it starts a headless screen with the SDL graphics factory itself.

#include <string>

namespace tarn {
namespace test {

// Loads the input as an OGF font file and writes text with the font.
void FuzzOgfInput( const std::string& input );

// Loads the input as a sprite description (any kind, by its "type"), then
// runs the sprite's effects and animations and draws two frames.
void FuzzSpriteInput( const std::string& input );

// Loads the input as a PNG, a BMP and a TGA file through the image cache, twice
// each, copies and draws the image, and checks that the cache frees the
// pixels once the last surface is gone (aborts when it does not).
void FuzzImageInput( const std::string& input );

} // namespace test
} // namespace tarn

#endif
