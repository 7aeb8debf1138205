// Loading OGF fonts: the grid of glyph cells in char order, widths in 64ths
// of a cell, scaled images and colour factors, and every broken file.
#include <gtest/gtest.h>

#include "gfx/font/fonttestsupport.h"
#include "tarn/gfx/font/cogffontloader.h"
#include "tarn/gfx/gfx.h"

using namespace tarn;
using Rows = std::vector<std::string>;

namespace {

const CColor MAGENTA( 255, 0, 255 );

class OgfFontTest : public test::FontTest
{
protected:
    void SetUp() override
    {
        test::FontTest::SetUp();
        dir = test::MakeTempDir( "ogf" );
    }

    // A 2 x 2 grid of cells scale x 4 by scale x 3 pixels: red, green, blue
    // and magenta (the colour key), with a magenta dot in the red cell.
    std::string WriteGlyphImage( int scale = 1 )
    {
        const int w = 4 * scale;
        const int h = 3 * scale;
        std::unique_ptr<CSurface> image = Gfx::NewBuffer( 2 * w, 2 * h, MAGENTA );
        const CColor cells[ 4 ] = { CColor( 255, 0, 0 ), CColor( 0, 255, 0 ), CColor( 0, 0, 255 ), MAGENTA };
        for( int y = 0; y < 2 * h; ++y )
            for( int x = 0; x < 2 * w; ++x )
                image->PutPixel( x, y, cells[ ( y / h ) * 2 + x / w ] );
        for( int y = 0; y < scale; ++y )
            for( int x = 0; x < scale; ++x )
                image->PutPixel( x, y, MAGENTA );
        const std::string file = dir + "/glyphs" + std::to_string( scale ) + ".bmp";
        EXPECT_TRUE( image->Save( file ) );
        return file;
    }

    std::string WriteOgf( const std::string& line )
    {
        const std::string file = dir + "/font.ogf";
        test::WriteFile( file, line + "\nignored second line\n" );
        return file;
    }

    // Loads the file and checks that it gave a font without glyphs.
    void ExpectEmptyFont( const std::string& file )
    {
        auto font = COgfFontLoader().Load( file );
        EXPECT_EQ( file, font->GetFileName() );
        EXPECT_FALSE( font->HasGlyph( 'A' ) );
        EXPECT_EQ( 0, font->GetTextWidth( "A B" ) );
        EXPECT_EQ( ( types::point{ 5, 7 } ), font->WriteText( nullptr, "AB", 5, 7 ) );
    }

    std::string dir;
};

} // namespace

TEST_F( OgfFontTest, GlyphsComeFromTheGridInCharOrder )
{
    // The char order "A;B " contains the separator; widths 64 and 32 give
    // whole and half cells.
    const std::string file = WriteOgf( "OGF;2;2;4;3;4;888;A;B ;64326432;" + WriteGlyphImage() );
    test::CLogCapture log;

    auto font = COgfFontLoader().Load( file );

    EXPECT_EQ( ( types::rect{ 0, 0, 4, 3 } ), font->GetCharPosition( 'A' ) );
    EXPECT_EQ( ( types::rect{ 4, 0, 2, 3 } ), font->GetCharPosition( ';' ) );
    EXPECT_EQ( ( types::rect{ 0, 3, 4, 3 } ), font->GetCharPosition( 'B' ) );
    EXPECT_EQ( ( types::rect{ 4, 3, 2, 3 } ), font->GetCharPosition( ' ' ) );
    EXPECT_FALSE( font->HasGlyph( 'C' ) );
    EXPECT_EQ( 3, font->GetLineHeight() );
    EXPECT_EQ( 2, font->GetSpaceWidth() ) << "the width of the space's glyph";
    EXPECT_EQ( 0, font->GetCharSpacing() );
    EXPECT_EQ( nullptr, font->GetFormatter() );
    EXPECT_EQ( file, font->GetFileName() );
    EXPECT_TRUE( log.Lines().empty() );

    auto canvas = Canvas( 16, 3 );
    font->WriteText( canvas.get(), "A;B A", 0, 0 );
    EXPECT_EQ( ( Rows{ ".rrrggbbbb...rrr",
                       "rrrrggbbbb..rrrr",
                       "rrrrggbbbb..rrrr" } ),
               test::Picture( *canvas ) )
        << "colour-keyed pixels stay transparent";
}

TEST_F( OgfFontTest, AnImageOfAnotherSizeIsScaledToTheGrid )
{
    auto font = COgfFontLoader().Load( WriteOgf( "OGF;2;2;4;3;4;888;A;B ;64326432;" + WriteGlyphImage( 2 ) ) );

    EXPECT_EQ( 8, font->GetImage()->GetWidth() );
    EXPECT_EQ( 6, font->GetImage()->GetHeight() );
    EXPECT_EQ( ( types::rect{ 0, 3, 4, 3 } ), font->GetCharPosition( 'B' ) );
    auto canvas = Canvas( 10, 3 );
    font->WriteText( canvas.get(), "A;B", 0, 0 );
    EXPECT_EQ( ( Rows{ ".rrrggbbbb",
                       "rrrrggbbbb",
                       "rrrrggbbbb" } ),
               test::Picture( *canvas ) );
}

TEST_F( OgfFontTest, ColourDigitsScaleTheChannelsInEighths )
{
    const std::string image = WriteGlyphImage();
    test::CLogCapture log;

    auto font = COgfFontLoader().Load( WriteOgf( "OGF;2;2;4;3;4;884;A;B ;64326432;" + image ) );

    EXPECT_TRUE( log.Contains( "Red: 1Green: 1Blue: 0.5" ) );
    EXPECT_EQ( CColor( 0, 0, 127 ), font->GetImage()->GetPixel( 0, 3 ) ) << "blue halved";
    EXPECT_EQ( CColor( 255, 0, 0 ), font->GetImage()->GetPixel( 1, 1 ) );
    EXPECT_EQ( 0, font->GetImage()->GetPixel( 0, 0 ).a ) << "the colour key stays transparent";

    auto shared = Gfx::LoadImage( image, MAGENTA );
    EXPECT_EQ( CColor( 0, 0, 255 ), shared->GetPixel( 0, 3 ) ) << "other users of the image file see it unchanged";
}

TEST_F( OgfFontTest, UnreadableFilesLogWhyAndGiveAnEmptyFont )
{
    test::CLogCapture log;
    ExpectEmptyFont( dir + "/missing.ogf" );
    EXPECT_TRUE( log.Contains( "Could not open ogf file: " + dir + "/missing.ogf for loading" ) );

    const std::string blank = WriteOgf( "" );
    ExpectEmptyFont( blank );
    EXPECT_TRUE( log.Contains( "Could not open ogf file: " + blank + " for loading" ) );

    const std::string other = WriteOgf( "BMF;2;2;4;3;4;888;AB;64326432;x.bmp" );
    ExpectEmptyFont( other );
    EXPECT_TRUE( log.Contains( other + " is probably not a ogf file" ) );
}

TEST_F( OgfFontTest, MismatchedCountsLogBothNumbers )
{
    test::CLogCapture log;

    // The char order is rebuilt from the following fields until it is long
    // enough: "AB;6464" has 7 characters.
    const std::string order = WriteOgf( "OGF;2;2;4;3;3;888;AB;6464;x.bmp" );
    ExpectEmptyFont( order );
    EXPECT_TRUE( log.Contains( order + "Error, the char count (3) and numbers of charachters (7) don't match" ) );

    const std::string widths = WriteOgf( "OGF;2;2;4;3;2;888;AB;646;x.bmp" );
    ExpectEmptyFont( widths );
    EXPECT_TRUE( log.Contains( widths +
                               " Error, the number of character width's ( 3) doesn't match the number of "
                               "characters (2) times two" ) );
}

TEST_F( OgfFontTest, AMissingImageOrAnEmptyGridLogsAndGivesAnEmptyFont )
{
    test::CLogCapture log;

    ExpectEmptyFont( WriteOgf( "OGF;2;2;4;3;2;888;AB;6464;" + dir + "/none.bmp" ) );
    EXPECT_TRUE( log.Contains( "Could not load image" + dir + "/none.bmp" ) );

    const std::string grid = WriteOgf( "OGF;0;2;4;3;2;888;AB;6464;" + WriteGlyphImage() );
    ExpectEmptyFont( grid );
    EXPECT_TRUE( log.Contains( grid + " Error, the glyph grid of 0 x 2 cells of 4 x 3 pixels is empty" ) );
}
