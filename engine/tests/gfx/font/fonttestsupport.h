#ifndef TARN_TESTS_GFX_FONT_FONTTESTSUPPORT_H
#define TARN_TESTS_GFX_FONT_FONTTESTSUPPORT_H

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/sdltestsupport.h"
#include "support/testsupport.h"
#include "tarn/gfx/font/cfont.h"
#include "tarn/gfx/sdl/cgfxfactorysdl.h"

namespace tarn {
namespace test {

// A 32-bit video mode and the SDL graphics factory, on a fresh engine.
class FontTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A transparent surface to write on; glyph pixels land in it verbatim.
    static std::unique_ptr<CSurface> Canvas( int width, int height );

    CVideoMode video{ 64, 64 };
    CGfxFactorySDL factory;
};

// The surface as rows of characters: '.' for a transparent pixel, '#' white,
// 'r' red, 'g' green, 'b' blue, 'k' opaque black, '?' anything else.
std::vector<std::string> Picture( const CSurface& surface );

// A font whose lowercase letters all draw as a 3 x 1 white bar: a word of n
// letters is 4n - 1 pixels of ink wide (char spacing 1). Spaces are 2 wide,
// lines 1 high, so a picture shows one text line per row.
std::unique_ptr<CFont> MakeBarFont();

} // namespace test
} // namespace tarn

#endif
