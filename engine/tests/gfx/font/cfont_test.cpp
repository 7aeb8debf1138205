// Bitmap fonts: where glyphs land, how far the pen moves, measuring text, copies of a font; word wrap by each formatter
// kind; the built-in system font; OGF font files and every broken one.
#include <gtest/gtest.h>

#include <limits>
#include <numeric>

#include <SDL_image.h>

#include "gfx/gfxtestsupport.h"
#include "tarn/gfx/font/cfontformatter.h"
#include "tarn/gfx/font/cogffontloader.h"
#include "tarn/gfx/font/csystemfont.h"
#include "tarn/gfx/sdl/csurfacesdl.h"

using namespace tarn;
using test::Rows;

namespace {

const CColor MAGENTA( 255, 0, 255 );

class FontTest : public test::GfxTest
{
protected:
    // Two glyphs in one image: a red "A" 3 x 4 and a green "B" 2 x 2, in a font with lines 5 high and spaces 2 wide.
    void SetUp() override
    {
        test::GfxTest::SetUp();
        font = test::MakeFont( { ".r...", "r.r..", "rrrgg", "r.rgg" },
                               { { 'A', { 0, 0, 3, 4 } }, { 'B', { 3, 2, 2, 2 } } }, 5, 2, "letters.ogf" );
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
                image->PutPixel( x, y, x < scale && y < scale ? cells[ 3 ] : cells[ ( y / h ) * 2 + x / w ] );
        const std::string file = dir + "/glyphs" + std::to_string( scale ) + ".bmp";
        EXPECT_TRUE( image->Save( file ) );
        return file;
    }

    std::string WriteOgf( const std::string& line ) { return Write( "font.ogf", line + "\nignored second line\n" ); }
    // Loads the file and checks that it gave a font without glyphs.
    void ExpectEmptyFont( const std::string& file )
    {
        auto empty = COgfFontLoader().Load( file );
        EXPECT_EQ( file, empty->GetFileName() );
        EXPECT_FALSE( empty->HasGlyph( 'A' ) );
        EXPECT_EQ( 0, empty->GetTextWidth( "A B" ) );
        EXPECT_EQ( ( types::point{ 5, 7 } ), empty->WriteText( nullptr, "AB", 5, 7 ) );
    }

    std::unique_ptr<CFont> font;
};

} // namespace

TEST_F( FontTest, GlyphsStandOnTheLineTheWhiteSpaceMovesThePenAndTheWidthCountsBoth )
{
    auto letters = Canvas( 9, 5 );
    EXPECT_EQ( ( types::point{ 1 + 4 + 3, 0 } ), font->WriteText( letters.get(), "AB", 1, 0 ) )
        << "each glyph advances its width plus the spacing";
    EXPECT_EQ( ( Rows{ ".........", "..r......", ".r.r.....", ".rrr.gg..", ".r.r.gg.." } ), test::Picture( *letters ) );
    // A, a space of 2, B, a tab of four spaces, A, then B one line lower at the start x.
    auto page = Canvas( 20, 10 );
    font->WriteText( page.get(), "A B\tA\nB", 0, 0 );
    EXPECT_EQ( ( Rows{ "....................", ".r................r.", "r.r..............r.r",
                       "rrr...gg.........rrr", "r.r...gg.........r.r", "....................",
                       "....................", "....................", "gg..................",
                       "gg.................." } ),
               test::Picture( *page ) );
    EXPECT_EQ( ( types::point{ 0, 0 } ), font->WriteText( nullptr, "", 7, 9 ) ) << "empty text";
    EXPECT_EQ( ( types::point{ 7 + 4, 9 + 5 } ), font->WriteText( nullptr, "AA\nA", 7, 9 ) );
    EXPECT_EQ( ( types::point{ 7, 9 + 10 } ), font->WriteText( nullptr, "A\n\n", 7, 9 ) );
    EXPECT_EQ( ( types::point{ 4, 0 } ), font->WriteText( nullptr, "A" ) ) << "at the origin";
    EXPECT_EQ( ( types::point{ 3 + 2 + 4, 1 } ), font->WriteAt( nullptr, " A", types::point{ 3, 1 } ) );
    EXPECT_EQ( 0, font->GetTextWidth( "" ) );
    EXPECT_EQ( 4 + 2 + 2 + 3, font->GetTextWidth( "A  B" ) );
    EXPECT_EQ( 4 + 4, font->GetTextWidth( "A\tZ\nA" ) ) << "tabs, line feeds and unknown characters count 0";
    // Characters without a glyph advance nothing; without a target a glyph is only measured.
    auto canvas = Canvas( 9, 5 );
    EXPECT_EQ( 0, font->WriteChar( canvas.get(), 'Z', 0, 0 ) );
    EXPECT_EQ( 0, font->WriteChar( canvas.get(), 0xff, 0, 0 ) );
    EXPECT_EQ( ( types::point{ 4, 0 } ), font->WriteText( nullptr, "ZAZ", 0, 0 ) );
    EXPECT_EQ( 4, font->WriteChar( nullptr, 'A', 0, 0 ) );
    // An empty font draws and measures nothing.
    CFont empty;
    EXPECT_EQ( ( types::point{ 2, 3 } ), empty.WriteText( canvas.get(), "A B", 2, 3 ) );
    EXPECT_EQ( 0, empty.GetTextWidth( "A B" ) );
    EXPECT_EQ( nullptr, empty.GetFormatter() );
    EXPECT_EQ( Rows( 5, "........." ), test::Picture( *canvas ) );
    empty.SetFormatter( CFont::FORMAT_LEFT );
    EXPECT_EQ( ( types::point{ 3, 4 } ), empty.WriteInRect( nullptr, "ab ab", types::rect{ 3, 4, -1, 10 }, {} ) );
    // In a rect the start is used only without a formatter; with one the pen ends below the last line.
    auto bars = test::MakeBarFont();
    auto lines = Canvas( 9, 3 );
    bars->WriteInRect( lines.get(), "ab", types::rect{ 1, 0, 8, 3 }, types::point{ 0, 2 } );
    bars->SetFormatter( CFont::FORMAT_LEFT );
    EXPECT_EQ( ( types::point{ 1, 1 } ), bars->WriteInRect( lines.get(), "ab", types::rect{ 1, 0, 8, 3 }, { 0, 2 } ) );
    EXPECT_EQ( ( Rows{ ".###.###.", ".........", "###.###.." } ), test::Picture( *lines ) );
}

TEST_F( FontTest, UnknownFormattersAreRefusedAndClonesKeepTheirOwn )
{
    test::CLogCapture log;
    font->SetFormatter( 4 );
    EXPECT_EQ( nullptr, font->GetFormatter() );
    EXPECT_TRUE(
        log.Contains( "CFont::SetFormatter() - unknown formatter kind 4, font letters.ogf left without formatter" ) );
    // A clone draws the same, outlives the original, and keeps a formatter of its own.
    font->SetFormatter( CFont::FORMAT_RIGHT );
    auto clone = font->Clone();
    EXPECT_EQ( "letters.ogf", clone->GetFileName() );
    ASSERT_NE( nullptr, clone->GetFormatter() );
    EXPECT_EQ( CFont::FORMAT_RIGHT, clone->GetFormatter()->GetKind() );
    EXPECT_NE( font->GetFormatter(), clone->GetFormatter() );
    auto original = Canvas( 9, 5 );
    auto copied = Canvas( 9, 5 );
    font->WriteText( original.get(), "AB A", 0, 0 );
    font.reset();
    clone->WriteText( copied.get(), "AB A", 0, 0 );
    EXPECT_EQ( test::Picture( *original ), test::Picture( *copied ) );
}

// The bar font draws every letter as "###" followed by one pixel of spacing,
// and a space as two pixels, one text line per picture row.
TEST_F( FontTest, LinesHoldTheWordsThatFitAndAreAlignedByKind )
{
    const int LEFT = CFont::FORMAT_LEFT, CENTRE = CFont::FORMAT_CENTER, RIGHT = CFont::FORMAT_RIGHT;
    const int JUSTIFY = CFont::FORMAT_JUSTIFY;
    // Each text is laid out in a rect of width x lines at the canvas's top
    // left; rows left out are blank; the pen ends at the start of row penY.
    const std::tuple<const char*, int, const char*, int, int, int, Rows> cases[] = {
        // "ab" is 8 pixels wide (two letters of 3 + 1), "ab ab" 8 + 2 + 8 = 18.
        { "fits exactly", LEFT, "ab ab", 18, 3, 1, { "###.###...###.###." } },
        { "one pixel narrower", LEFT, "ab ab", 17, 3, 2, { "###.###..........", "###.###.........." } },
        { "line feed", LEFT, "ab\na", 18, 3, 2, { "###.###...........", "###..............." } },
        { "empty line", LEFT, "a\n\nab", 10, 3, 3, { "###.......", "..........", "###.###..." } },
        { "spaces before a line feed", LEFT, "a \nab", 10, 3, 2, { "###.......", "###.###..." } },
        // A tab counts as four spaces: "ab\tab" is 24 pixels wide.
        { "tab fits", LEFT, "ab\tab", 24, 3, 1, { "###.###.........###.###." } },
        { "tab too wide", LEFT, "ab\tab", 23, 3, 2, { "###.###................", "###.###................" } },
        // "abc" is 12 wide: nothing after it is written, and the pen goes down to the rect's bottom.
        { "word wider than the rect", LEFT, "ab abc ab", 10, 3, 3, { "###.###..." } },
        { "lines stop at the rect's height", LEFT, "ab ab ab", 9, 2, 2, { "###.###..", "###.###.." } },
        // Centred at ( width - line - 1 ) / 2, right-aligned at width - line; a wrapped line "ab " measures 10 with
        // its space: centred at 4, right at 10; "abc" (12) at 3 and 8.
        { "centred, wrapped", CENTRE, "ab abc", 20, 3, 2, { "....###.###.........", "...###.###.###......" } },
        { "right-aligned, wrapped", RIGHT, "ab abc", 20, 3, 2, { "..........###.###...", "........###.###.###." } },
        // "a a a" is 3 * 4 + 2 * 2 = 16 wide; in 21 pixels 5 spare ones widen
        // the two gaps to 2 + 3 and 2 + 2. The last line stays left-aligned.
        { "justified", JUSTIFY, "a a a ab", 21, 3, 2, { "###......###.....###.", "###.###.............." } },
        { "justified, line feed", JUSTIFY, "a a\na", 21, 3, 2, { "###...###............", "###.................." } },
    };
    for( const auto& [ what, kind, text, width, lines, penY, rows ] : cases )
    {
        SCOPED_TRACE( what );
        auto bars = test::MakeBarFont( kind );
        auto canvas = Canvas( width, lines );
        const types::point pen = bars->WriteInRect( canvas.get(), text, types::rect{ 0, 0, width, lines }, {} );
        Rows expected = rows;
        expected.resize( lines, std::string( width, '.' ) );
        EXPECT_EQ( expected, test::Picture( *canvas ) );
        EXPECT_EQ( ( types::point{ 0, penY } ), pen );
    }
}

TEST_F( FontTest, NothingIsDrawnOrHangsAtTheIntLimitsAndThePenStopsThere )
{
    const int most = std::numeric_limits<int>::max();
    const int least = std::numeric_limits<int>::min();
    auto canvas = Canvas( 9, 5 );
    EXPECT_EQ( ( types::point{ most, most } ), font->WriteText( canvas.get(), "AB A\tB\nAB", most - 6, most - 2 ) );
    EXPECT_EQ( ( types::point{ least + 7, least + 5 } ), font->WriteText( canvas.get(), "AB\nAB", least, least ) );
    EXPECT_EQ( 4, font->WriteChar( canvas.get(), 'A', most - 2, 0 ) ) << "measured although not drawn";
    EXPECT_EQ( 4, font->WriteChar( canvas.get(), 'A', 0, most ) );
    EXPECT_EQ( Rows( 5, "........." ), test::Picture( *canvas ) );
    // However high the rect, a word too wide sends the pen to its bottom at once.
    auto bars = test::MakeBarFont( CFont::FORMAT_LEFT );
    EXPECT_EQ( ( types::point{ 0, most } ), bars->WriteInRect( nullptr, "abc", types::rect{ 0, 0, 10, most }, {} ) );
    EXPECT_EQ( ( types::point{ 0, most } ), bars->WriteInRect( nullptr, "abc", types::rect{ 0, 7, 10, most }, {} ) );
    const types::rect rects[] = {
        { most, most, most, most }, { most - 5, most - 1, 100, 3 }, { least, least, most, most }, { least, 0, most, 3 }
    };
    for( int kind = CFont::FORMAT_LEFT; kind <= CFont::FORMAT_JUSTIFY; ++kind )
    {
        for( const types::rect& rect : rects )
        {
            SCOPED_TRACE( "kind " + std::to_string( kind ) + " at " + std::to_string( rect.x ) );
            bars->SetFormatter( kind );
            auto lines = Canvas( 12, 3 );
            const types::point pen = bars->WriteInRect( lines.get(), "ab ab ab\tab", rect, {} );
            EXPECT_EQ( Rows( 3, "............" ), test::Picture( *lines ) );
            EXPECT_EQ( rect.x, pen.x );
            EXPECT_GE( pen.y, rect.y ) << "the pen moves down, held at the limit";
        }
    }
}

TEST_F( FontTest, TheSystemFontHasEightPixelCellsForCodes33To254AndWritesLikeTheReference )
{
    // Every character but '~' closes a run; the first run covers its length,
    // every later one its length + 1, and together they cover the strip.
    EXPECT_EQ( ( std::vector<int>{ 0, 1, 93, 94 + 1, 2 * 94 + 0 } ), CSystemFont::DecodeRuns( " !}~!~~ " ) );
    const std::vector<int> runs = CSystemFont::DecodeRuns( CSystemFont::GetEncodedImage() );
    EXPECT_EQ( 1789LL * 15, std::accumulate( runs.begin() + 1, runs.end(), 0LL,
                                             []( long long sum, int run ) { return sum + run + 1; } ) + runs[ 0 ] );
    auto builtIn = CSystemFont::Create();
    EXPECT_TRUE( builtIn->HasGlyph( 33 ) && builtIn->HasGlyph( 254 ) );
    EXPECT_FALSE( builtIn->HasGlyph( ' ' ) );
    EXPECT_FALSE( builtIn->HasGlyph( 255 ) );
    EXPECT_EQ( 15, builtIn->GetLineHeight() );
    EXPECT_EQ( 8, builtIn->GetSpaceWidth() );
    EXPECT_EQ( 0, builtIn->GetCharSpacing() );
    EXPECT_EQ( nullptr, builtIn->GetFormatter() );
    EXPECT_EQ( "nothing", builtIn->GetFileName() );
    EXPECT_EQ( 8 * 5, builtIn->GetTextWidth( "Ab c\x80" ) ) << "code 128 has a cell but no ink";
    auto canvas = Canvas( 8, 15 );
    EXPECT_EQ( 8, builtIn->WriteChar( canvas.get(), 'A', 0, 0 ) );
    EXPECT_EQ( ( Rows{ "........", "........", "........", "...##...", "..#..#..", ".#....#.", ".#....#.", ".#....#.",
                       ".######.", ".#....#.", ".#....#.", ".#....#.", "........", "........", "........" } ),
               test::Picture( *canvas ) );
    const std::string reference = std::string( TARN_SOURCE_DIR ) + "/engine/tests/data/fonts/systemfont_sample.png";
    SDL_Surface* expected = IMG_Load( reference.c_str() );
    ASSERT_NE( nullptr, expected ) << reference;
    std::unique_ptr<CSurface> sample = Gfx::NewBuffer( expected->w, expected->h, CColor( 255, 0, 255 ) );
    builtIn->WriteText( sample.get(), "Hello, Tarn! Ag{0.23}" );
    EXPECT_EQ( "", test::CompareSurfaces( expected, gfx_cast<CSurfaceSDL>( sample.get() )->GetRawImage(), false ) );
    SDL_FreeSurface( expected );
}

TEST_F( FontTest, OgfGlyphsComeFromTheGridInCharOrderAndColourDigitsScaleTheChannelsInEighths )
{
    // The char order "A;B " contains the separator; widths 64 and 32 give whole and half cells.
    const std::string image = WriteGlyphImage();
    const std::string file = WriteOgf( "OGF;2;2;4;3;4;888;A;B ;64326432;" + image );
    test::CLogCapture log;
    auto ogf = COgfFontLoader().Load( file );
    EXPECT_EQ( ( types::rect{ 0, 0, 4, 3 } ), ogf->GetCharPosition( 'A' ) );
    EXPECT_EQ( ( types::rect{ 4, 0, 2, 3 } ), ogf->GetCharPosition( ';' ) );
    EXPECT_EQ( ( types::rect{ 0, 3, 4, 3 } ), ogf->GetCharPosition( 'B' ) );
    EXPECT_EQ( ( types::rect{ 4, 3, 2, 3 } ), ogf->GetCharPosition( ' ' ) );
    EXPECT_EQ( 3, ogf->GetLineHeight() );
    EXPECT_EQ( 2, ogf->GetSpaceWidth() ) << "the width of the space's glyph";
    EXPECT_EQ( nullptr, ogf->GetFormatter() );
    EXPECT_EQ( file, ogf->GetFileName() );
    EXPECT_TRUE( log.Lines().empty() );
    auto canvas = Canvas( 16, 3 );
    ogf->WriteText( canvas.get(), "A;B A", 0, 0 );
    EXPECT_EQ( ( Rows{ ".rrrggbbbb...rrr", "rrrrggbbbb..rrrr", "rrrrggbbbb..rrrr" } ), test::Picture( *canvas ) )
        << "colour-keyed pixels stay transparent";
    // An image of another size is scaled to the grid.
    ogf = COgfFontLoader().Load( WriteOgf( "OGF;2;2;4;3;4;888;A;B ;64326432;" + WriteGlyphImage( 2 ) ) );
    auto scaled = Canvas( 16, 3 );
    ogf->WriteText( scaled.get(), "A;B A", 0, 0 );
    EXPECT_EQ( test::Picture( *canvas ), test::Picture( *scaled ) );
    // Blue halved; other users of the image file see it unchanged.
    ogf = COgfFontLoader().Load( WriteOgf( "OGF;2;2;4;3;4;884;A;B ;64326432;" + image ) );
    EXPECT_TRUE( log.Contains( "Red: 1Green: 1Blue: 0.5" ) );
    EXPECT_EQ( CColor( 0, 0, 127 ), ogf->GetImage()->GetPixel( 0, 3 ) );
    EXPECT_EQ( CColor( 255, 0, 0 ), ogf->GetImage()->GetPixel( 1, 1 ) );
    EXPECT_EQ( 0, ogf->GetImage()->GetPixel( 0, 0 ).a ) << "the colour key stays transparent";
    EXPECT_EQ( CColor( 0, 0, 255 ), Gfx::LoadImage( image, MAGENTA )->GetPixel( 0, 3 ) );
}

TEST_F( FontTest, OgfBrokenFilesLogWhyAndGiveAnEmptyFont )
{
    test::CLogCapture log;
    ExpectEmptyFont( dir + "/missing.ogf" );
    EXPECT_TRUE( log.Contains( "Could not open ogf file: " + dir + "/missing.ogf for loading" ) );
    const std::string image = WriteGlyphImage();
    // The char order is rebuilt from the following fields until it is long enough: "AB;6464" has 7 characters.
    const std::pair<std::string, std::string> cases[] = {
        { "", " for loading" },
        { "BMF;2;2;4;3;4;888;AB;64326432;x.bmp", " is probably not a ogf file" },
        { "OGF;2;2;4;3;3;888;AB;6464;x.bmp", "Error, the char count (3) and numbers of charachters (7) don't match" },
        { "OGF;2;2;4;3;2;888;AB;646;x.bmp",
          " Error, the number of character width's ( 3) doesn't match the number of characters (2) times two" },
        { "OGF;0;2;4;3;2;888;AB;6464;" + image, " Error, the glyph grid of 0 x 2 cells of 4 x 3 pixels is empty" },
    };
    for( const auto& [ line, error ] : cases )
    {
        SCOPED_TRACE( line );
        const std::string file = WriteOgf( line );
        ExpectEmptyFont( file );
        EXPECT_TRUE( log.Contains( ( line.empty() ? "Could not open ogf file: " : "" ) + file + error ) );
    }
    ExpectEmptyFont( WriteOgf( "OGF;2;2;4;3;2;888;AB;6464;" + dir + "/none.bmp" ) );
    EXPECT_TRUE( log.Contains( "Could not load image" + dir + "/none.bmp" ) );
}
