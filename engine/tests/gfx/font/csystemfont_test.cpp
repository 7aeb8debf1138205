// The built-in system font: decoding its run-length text, the glyph strip
// it makes, and text written with it.
#include <gtest/gtest.h>

#include <numeric>

#include <SDL_image.h>

#include "gfx/font/fonttestsupport.h"
#include "tarn/gfx/font/csystemfont.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/sdl/csurfacesdl.h"

using namespace tarn;
using Rows = std::vector<std::string>;

namespace {

class SystemFontTest : public test::FontTest
{
};

} // namespace

TEST( SystemFontRunsTest, EveryCharacterButTildeClosesARun )
{
    EXPECT_EQ( ( std::vector<int>{ 0, 1, 93 } ), CSystemFont::DecodeRuns( " !}" ) );
    EXPECT_EQ( ( std::vector<int>{ 94 + 1, 2 * 94 + 0 } ), CSystemFont::DecodeRuns( "~!~~ " ) );
    EXPECT_TRUE( CSystemFont::DecodeRuns( "" ).empty() );
}

TEST( SystemFontRunsTest, TheEncodedImageCoversTheStripExactly )
{
    const std::vector<int> runs = CSystemFont::DecodeRuns( CSystemFont::GetEncodedImage() );
    ASSERT_FALSE( runs.empty() );
    // The first run covers its length, every later one its length + 1.
    const long long pixels = std::accumulate( runs.begin() + 1, runs.end(), 0LL,
                                              []( long long sum, int run ) { return sum + run + 1; } ) +
                             runs[ 0 ];
    EXPECT_EQ( 1789LL * 15, pixels );
}

TEST_F( SystemFontTest, RunsAlternateFromTransparentToWhite )
{
    std::unique_ptr<CSurface> image = Gfx::NewBuffer( CSystemFont::IMAGE_WIDTH, CSystemFont::IMAGE_HEIGHT );
    // 3 transparent, then 0 + 1 white, 1 + 1 transparent, 2 + 1 white; the
    // last colour goes on once the runs are used up.
    CSystemFont::PaintRuns( *image, { 3, 0, 1, 2 } );

    std::string row;
    for( int x = 0; x < 12; ++x )
        row += image->GetPixel( x, 0 ).a == 0 ? '.' : '#';
    EXPECT_EQ( "...#..######", row );
    EXPECT_EQ( CColor( 255, 255, 255 ), image->GetPixel( 100, 14 ) );
}

TEST_F( SystemFontTest, TheFontHasEightPixelCellsForCodes33To254 )
{
    auto font = CSystemFont::Create();

    ASSERT_NE( nullptr, font->GetImage() );
    EXPECT_EQ( 1789, font->GetImage()->GetWidth() );
    EXPECT_EQ( 15, font->GetImage()->GetHeight() );
    EXPECT_EQ( ( types::rect{ 6, 0, 8, 15 } ), font->GetCharPosition( 33 ) );
    EXPECT_EQ( ( types::rect{ 6 + 8 * ( 'A' - 33 ), 0, 8, 15 } ), font->GetCharPosition( 'A' ) );
    EXPECT_EQ( ( types::rect{ 6 + 8 * 221, 0, 8, 15 } ), font->GetCharPosition( 254 ) );
    EXPECT_FALSE( font->HasGlyph( ' ' ) );
    EXPECT_FALSE( font->HasGlyph( 255 ) );
    EXPECT_FALSE( font->HasGlyph( 0 ) );
    EXPECT_EQ( 15, font->GetLineHeight() );
    EXPECT_EQ( 8, font->GetSpaceWidth() );
    EXPECT_EQ( 0, font->GetCharSpacing() );
    EXPECT_EQ( nullptr, font->GetFormatter() );
    EXPECT_EQ( "nothing", font->GetFileName() );
    EXPECT_EQ( 8 * 5, font->GetTextWidth( "Ab c\x80" ) ) << "code 128 has a cell but no ink";
}

TEST_F( SystemFontTest, TheGlyphForALooksLikeAnA )
{
    auto font = CSystemFont::Create();
    auto canvas = Canvas( 8, 15 );

    EXPECT_EQ( 8, font->WriteChar( canvas.get(), 'A', 0, 0 ) );

    EXPECT_EQ( ( Rows{ "........",
                       "........",
                       "........",
                       "...##...",
                       "..#..#..",
                       ".#....#.",
                       ".#....#.",
                       ".#....#.",
                       ".######.",
                       ".#....#.",
                       ".#....#.",
                       ".#....#.",
                       "........",
                       "........",
                       "........" } ),
               test::Picture( *canvas ) );
}

TEST_F( SystemFontTest, TextMatchesTheReferenceImage )
{
    const std::string reference = std::string( TARN_SOURCE_DIR ) + "/engine/tests/data/fonts/systemfont_sample.png";
    SDL_Surface* expected = IMG_Load( reference.c_str() );
    ASSERT_NE( nullptr, expected ) << reference;

    auto font = CSystemFont::Create();
    std::unique_ptr<CSurface> canvas = Gfx::NewBuffer( expected->w, expected->h, CColor( 255, 0, 255 ) );
    font->WriteText( canvas.get(), "Hello, Tarn! Ag{0.23}" );

    EXPECT_EQ( "", test::CompareSurfaces( expected, gfx_cast<CSurfaceSDL>( canvas.get() )->GetRawImage(), false ) );
    SDL_FreeSurface( expected );
}
