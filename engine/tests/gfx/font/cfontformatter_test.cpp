// Word wrap: which words share a line (the fit-line rule), where each
// formatter kind puts a line, and the cases that end a layout early. The
// bar font draws every letter as "###" followed by one pixel of spacing, and
// a space as two pixels, one text line per picture row.
#include <gtest/gtest.h>

#include <limits>

#include "gfx/font/fonttestsupport.h"
#include "tarn/gfx/font/cfontformatter.h"

using namespace tarn;
using Rows = std::vector<std::string>;

namespace {

class FormatterTest : public test::FontTest
{
protected:
    // Lays text out with formatter kind in a rect at the canvas's top-left.
    Rows Layout( int kind, const std::string& text, int rectWidth, int canvasWidth, int lines = 3 )
    {
        auto font = test::MakeBarFont();
        font->SetFormatter( kind );
        auto canvas = Canvas( canvasWidth, lines );
        end = font->WriteInRect( canvas.get(), text, types::rect{ 0, 0, rectWidth, lines }, types::point{} );
        return test::Picture( *canvas );
    }

    CFontFormatter::Line Fit( const std::string& text, int rectWidth, std::size_t start = 0 )
    {
        auto font = test::MakeBarFont();
        return CFontFormatter::FitLine( *font, text, types::rect{ 0, 0, rectWidth, 10 }, start );
    }

    types::point end;
};

} // namespace

TEST_F( FormatterTest, WordsShareALineWhileTheyFitExactly )
{
    // "ab" is 8 pixels wide (two letters of 3 + 1), "ab ab" 8 + 2 + 8 = 18.
    EXPECT_EQ( ( Rows{ "###.###...###.###.",
                       "..................",
                       ".................." } ),
               Layout( CFont::FORMAT_LEFT, "ab ab", 18, 18 ) );

    EXPECT_EQ( ( Rows{ "###.###...........",
                       "###.###...........",
                       ".................." } ),
               Layout( CFont::FORMAT_LEFT, "ab ab", 17, 18 ) )
        << "one pixel narrower moves the second word down";
}

TEST_F( FormatterTest, FitLineCountsTheSpaceOrLineFeedThatEndsTheLine )
{
    EXPECT_EQ( 5, Fit( "ab ab", 18 ).count );
    EXPECT_EQ( 18, Fit( "ab ab", 18 ).width );

    const CFontFormatter::Line wrapped = Fit( "ab ab", 17 );
    EXPECT_EQ( 3, wrapped.count ) << "\"ab \"";
    EXPECT_EQ( 10, wrapped.width ) << "the space after the last word is measured too";

    EXPECT_EQ( 3, Fit( "ab\nab ab", 100 ).count ) << "\"ab\\n\"";
    EXPECT_EQ( 5, Fit( "ab\nab ab", 100, 3 ).count ) << "from the second line on";
    EXPECT_EQ( 0, Fit( "abcde ab", 10 ).count ) << "a word wider than the rect";
    EXPECT_EQ( 0, Fit( "", 10 ).count );
}

TEST_F( FormatterTest, LineFeedsAlwaysBreakTheLine )
{
    EXPECT_EQ( ( Rows{ "###.###...........",
                       "###...............",
                       ".................." } ),
               Layout( CFont::FORMAT_LEFT, "ab\na", 18, 18 ) );
}

TEST_F( FormatterTest, EmptyLinesAndSpacesBeforeALineFeedKeepTheTextGoing )
{
    EXPECT_EQ( ( Rows{ "###.......",
                       "..........",
                       "###.###..." } ),
               Layout( CFont::FORMAT_LEFT, "a\n\nab", 10, 10 ) );
    EXPECT_EQ( ( Rows{ "###.......",
                       "###.###...",
                       ".........." } ),
               Layout( CFont::FORMAT_LEFT, "a \nab", 10, 10 ) );
}

TEST_F( FormatterTest, TabsCountAsFourSpaces )
{
    // "ab" + 4 spaces of 2 + "ab" is 24 pixels wide.
    EXPECT_EQ( ( Rows{ "###.###.........###.###.",
                       "........................",
                       "........................" } ),
               Layout( CFont::FORMAT_LEFT, "ab\tab", 24, 24 ) );
    EXPECT_EQ( ( Rows{ "###.###.................",
                       "###.###.................",
                       "........................" } ),
               Layout( CFont::FORMAT_LEFT, "ab\tab", 23, 24 ) );
}

TEST_F( FormatterTest, AWordWiderThanTheRectEndsTheText )
{
    EXPECT_EQ( ( Rows{ "###.###...",
                       "..........",
                       ".........." } ),
               Layout( CFont::FORMAT_LEFT, "ab abc ab", 10, 10 ) )
        << "\"abc\" is 12 wide: nothing after it is written";
    EXPECT_EQ( ( types::point{ 0, 3 } ), end ) << "the pen still goes down to the rect's bottom";

    EXPECT_EQ( ( Rows{ "..........", "..........", ".........." } ),
               Layout( CFont::FORMAT_LEFT, "abc", 10, 10 ) );

    // However high the rect, the pen reaches its bottom at once.
    auto font = test::MakeBarFont();
    font->SetFormatter( CFont::FORMAT_LEFT );
    const int most = std::numeric_limits<int>::max();
    EXPECT_EQ( ( types::point{ 0, most } ), font->WriteInRect( nullptr, "abc", types::rect{ 0, 0, 10, most }, {} ) );
    EXPECT_EQ( ( types::point{ 0, most } ), font->WriteInRect( nullptr, "abc", types::rect{ 0, 7, 10, most }, {} ) );
}

TEST_F( FormatterTest, LinesStopAtTheRectsHeight )
{
    EXPECT_EQ( ( Rows{ "###.###...", "###.###..." } ), Layout( CFont::FORMAT_LEFT, "ab ab ab", 9, 10, 2 ) );
    EXPECT_EQ( ( types::point{ 0, 2 } ), end );
}

TEST_F( FormatterTest, CentredAndRightAlignedLinesUseTheMeasuredWidth )
{
    // "ab" alone: 8 wide; in a rect of 20 centred at ( 20 - 8 - 1 ) / 2 = 5,
    // right-aligned at 20 - 8 = 12.
    EXPECT_EQ( ".....###.###........", Layout( CFont::FORMAT_CENTER, "ab", 20, 20 )[ 0 ] );
    EXPECT_EQ( "............###.###.", Layout( CFont::FORMAT_RIGHT, "ab", 20, 20 )[ 0 ] );

    // A wrapped line "ab " measures 10 with its space: centred at 4, right
    // at 10; "abc" (12) at 3 and 8.
    EXPECT_EQ( ( Rows{ "....###.###.........",
                       "...###.###.###......",
                       "...................." } ),
               Layout( CFont::FORMAT_CENTER, "ab abc", 20, 20 ) );
    EXPECT_EQ( ( Rows{ "..........###.###...",
                       "........###.###.###.",
                       "...................." } ),
               Layout( CFont::FORMAT_RIGHT, "ab abc", 20, 20 ) );
}

TEST_F( FormatterTest, JustifiedLinesShareTheSparePixelsAmongTheirSpaces )
{
    // "a a a" is 3 * 4 + 2 * 2 = 16 wide; in 21 pixels 5 spare ones widen the
    // two gaps to 2 + 3 and 2 + 2. The last line stays left-aligned.
    EXPECT_EQ( ( Rows{ "###......###.....###.",
                       "###.###..............",
                       "....................." } ),
               Layout( CFont::FORMAT_JUSTIFY, "a a a ab", 21, 21 ) );
    EXPECT_EQ( ( Rows{ "###...###............",
                       "###..................",
                       "....................." } ),
               Layout( CFont::FORMAT_JUSTIFY, "a a\na", 21, 21 ) )
        << "a line ended by a line feed is not widened";
}

TEST_F( FormatterTest, AFontWithoutLinesCannotHangTheLayout )
{
    CFont empty;
    empty.SetFormatter( CFont::FORMAT_LEFT );
    const types::point pen = empty.WriteInRect( nullptr, "ab ab", types::rect{ 3, 4, -1, 10 }, types::point{} );
    EXPECT_EQ( ( types::point{ 3, 4 } ), pen );
}

TEST_F( FormatterTest, RectsAtTheIntLimitsDrawNothingAndHoldThePenAtTheLimit )
{
    const int most = std::numeric_limits<int>::max();
    const int least = std::numeric_limits<int>::min();
    const types::rect rects[] = { { most, most, most, most },
                                  { most - 5, most - 1, 100, 3 },
                                  { least, least, most, most },
                                  { least, 0, most, 3 } };
    for( const int kind : { CFont::FORMAT_LEFT, CFont::FORMAT_CENTER, CFont::FORMAT_RIGHT, CFont::FORMAT_JUSTIFY } )
    {
        for( const types::rect& rect : rects )
        {
            auto font = test::MakeBarFont();
            font->SetFormatter( kind );
            auto canvas = Canvas( 12, 3 );
            const types::point pen = font->WriteInRect( canvas.get(), "ab ab ab\tab", rect, types::point{} );
            EXPECT_EQ( ( Rows{ "............", "............", "............" } ), test::Picture( *canvas ) )
                << "kind " << kind << " at " << rect.x << "," << rect.y;
            EXPECT_EQ( rect.x, pen.x );
            EXPECT_GE( pen.y, rect.y ) << "the pen moves down, held at the limit";
        }
    }
}
