// Writing with a bitmap font: where glyphs land, how far the pen moves,
// measuring text, and copies of a font.
#include <gtest/gtest.h>

#include <limits>

#include "gfx/font/fonttestsupport.h"
#include "tarn/gfx/font/cfontformatter.h"
#include "tarn/gfx/gfx.h"

using namespace tarn;
using Rows = std::vector<std::string>;

namespace {

class FontWriteTest : public test::FontTest
{
protected:
    // Two glyphs in one image: a red "A" 3 x 4 and a green "B" 2 x 2, in a
    // font with lines 5 high, 1 pixel between glyphs and spaces 2 wide.
    static std::unique_ptr<CFont> MakeLetterFont()
    {
        std::unique_ptr<CSurface> image = Gfx::NewBuffer( 5, 4 );
        const Rows letterA = { ".r.", "r.r", "rrr", "r.r" };
        for( int y = 0; y < 4; ++y )
            for( int x = 0; x < 3; ++x )
                if( letterA[ y ][ x ] == 'r' )
                    image->PutPixel( x, y, CColor( 255, 0, 0 ) );
        for( int y = 2; y < 4; ++y )
            for( int x = 3; x < 5; ++x )
                image->PutPixel( x, y, CColor( 0, 255, 0 ) );
        CFont::CharPositions positions{};
        positions[ 'A' ] = types::rect{ 0, 0, 3, 4 };
        positions[ 'B' ] = types::rect{ 3, 2, 2, 2 };
        return std::make_unique<CFont>( std::move( image ), positions, 5, 1, 2, "letters.ogf" );
    }
};

} // namespace

TEST_F( FontWriteTest, GlyphsStandOnTheBottomOfTheLine )
{
    auto font = MakeLetterFont();
    auto canvas = Canvas( 9, 5 );

    const types::point end = font->WriteText( canvas.get(), "AB", 1, 0 );

    EXPECT_EQ( ( Rows{ ".........",
                       "..r......",
                       ".r.r.....",
                       ".rrr.gg..",
                       ".r.r.gg.." } ),
               test::Picture( *canvas ) );
    EXPECT_EQ( ( types::point{ 1 + 4 + 3, 0 } ), end ) << "each glyph advances its width plus the spacing";
}

TEST_F( FontWriteTest, SpacesTabsAndLineFeedsMoveThePen )
{
    auto font = MakeLetterFont();
    auto canvas = Canvas( 20, 10 );

    font->WriteText( canvas.get(), "A B\tA\nB", 0, 0 );

    EXPECT_EQ( ( Rows{ "....................",
                       ".r................r.",
                       "r.r..............r.r",
                       "rrr...gg.........rrr",
                       "r.r...gg.........r.r",
                       "....................",
                       "....................",
                       "....................",
                       "gg..................",
                       "gg.................." } ),
               test::Picture( *canvas ) )
        << "A, a space of 2, B, a tab of four spaces, A, then B one line lower at the start x";
}

TEST_F( FontWriteTest, TheEndPointFollowsTheLastLine )
{
    auto font = MakeLetterFont();
    EXPECT_EQ( ( types::point{ 0, 0 } ), font->WriteText( nullptr, "", 7, 9 ) ) << "empty text";
    EXPECT_EQ( ( types::point{ 7 + 4, 9 + 5 } ), font->WriteText( nullptr, "AA\nA", 7, 9 ) );
    EXPECT_EQ( ( types::point{ 7, 9 + 10 } ), font->WriteText( nullptr, "A\n\n", 7, 9 ) );
    EXPECT_EQ( ( types::point{ 4, 0 } ), font->WriteText( nullptr, "A" ) ) << "at the origin";
    EXPECT_EQ( ( types::point{ 3 + 2 + 4, 1 } ), font->WriteAt( nullptr, " A", types::point{ 3, 1 } ) );
}

TEST_F( FontWriteTest, PensNearTheIntLimitsDrawNothingAndStopAtTheLimit )
{
    const int most = std::numeric_limits<int>::max();
    const int least = std::numeric_limits<int>::min();
    auto font = MakeLetterFont();
    auto canvas = Canvas( 9, 5 );

    EXPECT_EQ( ( types::point{ most, most } ), font->WriteText( canvas.get(), "AB A\tB\nAB", most - 6, most - 2 ) );
    EXPECT_EQ( ( types::point{ least + 7, least + 5 } ),
               font->WriteText( canvas.get(), "AB\nAB", least, least ) );
    EXPECT_EQ( 4, font->WriteChar( canvas.get(), 'A', most - 2, 0 ) ) << "measured although not drawn";
    EXPECT_EQ( 4, font->WriteChar( canvas.get(), 'A', 0, most ) );

    EXPECT_EQ( Rows( 5, "........." ), test::Picture( *canvas ) );
}

TEST_F( FontWriteTest, CharactersWithoutGlyphAdvanceNothing )
{
    auto font = MakeLetterFont();
    auto canvas = Canvas( 9, 5 );

    EXPECT_EQ( 0, font->WriteChar( canvas.get(), 'Z', 0, 0 ) );
    EXPECT_EQ( 0, font->WriteChar( canvas.get(), 0xff, 0, 0 ) );
    EXPECT_EQ( ( types::point{ 4, 0 } ), font->WriteText( canvas.get(), "ZAZ", 0, 0 ) );
    EXPECT_EQ( 4, font->WriteChar( nullptr, 'A', 0, 0 ) ) << "without a target the glyph is only measured";
}

TEST_F( FontWriteTest, TextWidthCountsGlyphsSpacingAndSpaces )
{
    auto font = MakeLetterFont();
    EXPECT_EQ( 0, font->GetTextWidth( "" ) );
    EXPECT_EQ( 4 + 3, font->GetTextWidth( "AB" ) );
    EXPECT_EQ( 4 + 2 + 2 + 3, font->GetTextWidth( "A  B" ) );
    EXPECT_EQ( 4 + 4, font->GetTextWidth( "A\tZ\nA" ) ) << "tabs, line feeds and unknown characters count 0";
}

TEST_F( FontWriteTest, AnEmptyFontDrawsAndMeasuresNothing )
{
    CFont font;
    auto canvas = Canvas( 4, 4 );
    EXPECT_EQ( ( types::point{ 2, 3 } ), font.WriteText( canvas.get(), "A B", 2, 3 ) );
    EXPECT_EQ( 0, font.GetTextWidth( "A B" ) );
    EXPECT_EQ( ( Rows{ "....", "....", "....", "...." } ), test::Picture( *canvas ) );
    EXPECT_EQ( nullptr, font.GetFormatter() );
}

TEST_F( FontWriteTest, WriteInRectUsesTheStartOnlyWithoutFormatter )
{
    auto font = test::MakeBarFont();
    auto canvas = Canvas( 9, 3 );
    const types::rect rect{ 1, 0, 8, 3 };

    font->WriteInRect( canvas.get(), "ab", rect, types::point{ 0, 2 } );
    font->SetFormatter( CFont::FORMAT_LEFT );
    const types::point end = font->WriteInRect( canvas.get(), "ab", rect, types::point{ 0, 2 } );

    EXPECT_EQ( ( Rows{ ".###.###.",
                       ".........",
                       "###.###.." } ),
               test::Picture( *canvas ) );
    EXPECT_EQ( ( types::point{ 1, 1 } ), end ) << "the pen below the last line";
}

TEST_F( FontWriteTest, FormattersAreChosenByKind )
{
    auto font = MakeLetterFont();
    for( int kind = 0; kind <= 3; ++kind )
    {
        font->SetFormatter( kind );
        ASSERT_NE( nullptr, font->GetFormatter() );
        EXPECT_EQ( kind, font->GetFormatter()->GetKind() );
    }

    test::CLogCapture log;
    font->SetFormatter( 4 );
    EXPECT_EQ( nullptr, font->GetFormatter() );
    EXPECT_TRUE(
        log.Contains( "CFont::SetFormatter() - unknown formatter kind 4, font letters.ogf left without formatter" ) );
}

TEST_F( FontWriteTest, ACloneDrawsTheSameAndKeepsItsOwnFormatter )
{
    auto font = MakeLetterFont();
    font->SetFormatter( CFont::FORMAT_RIGHT );

    auto clone = font->Clone();
    EXPECT_EQ( "letters.ogf", clone->GetFileName() );
    EXPECT_EQ( 5, clone->GetLineHeight() );
    EXPECT_EQ( 1, clone->GetCharSpacing() );
    EXPECT_EQ( 2, clone->GetSpaceWidth() );
    EXPECT_EQ( font->GetCharPosition( 'B' ), clone->GetCharPosition( 'B' ) );
    ASSERT_NE( nullptr, clone->GetFormatter() );
    EXPECT_EQ( CFont::FORMAT_RIGHT, clone->GetFormatter()->GetKind() );
    EXPECT_NE( font->GetFormatter(), clone->GetFormatter() );
    EXPECT_NE( font->GetImage(), clone->GetImage() );

    auto original = Canvas( 9, 5 );
    auto copied = Canvas( 9, 5 );
    font->WriteText( original.get(), "AB A", 0, 0 );
    font.reset();
    clone->WriteText( copied.get(), "AB A", 0, 0 );
    EXPECT_EQ( test::Picture( *original ), test::Picture( *copied ) ) << "the clone outlives the original";
}
