// The nine cursor images: their fixed text form and what SDL gets from them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tarn/inputdevice/cursorimages.h"

using namespace tarn;

TEST( CursorImages, EveryTypeHasAThirtyTwoSquareImageWithItsHotSpot )
{
    const char* names[] = { "cursor_none",          "cursor_arrow",          "cursor_cross",
                            "cursor_text",          "cursor_hand",           "cursor_busy",
                            "cursor_resize_horizontal", "cursor_resize_vertical", "cursor_resize_diagonal1",
                            "cursor_resize_diagonal2" };
    const char* hotSpots[] = { "", "0,0", "16,16", "3,7", "5,0", "0,0", "10,4", "6,9", "6,7", "6,7" };

    EXPECT_EQ( nullptr, GetCursorImage( CURSOR_NONE ) );
    EXPECT_EQ( nullptr, GetCursorImage( 10 ) );
    for( int type = 0; type < CURSOR_TYPE_COUNT; ++type )
        EXPECT_EQ( type, CursorNameToType( names[ type ] ) );
    EXPECT_EQ( CURSOR_NONE, CursorNameToType( "arrow" ) );

    for( int type = CURSOR_ARROW; type < CURSOR_TYPE_COUNT; ++type )
    {
        const char* const* lines = GetCursorImage( type );
        ASSERT_NE( nullptr, lines );
        EXPECT_STREQ( "32 32 3 1", lines[ 0 ] );
        EXPECT_STREQ( "X c #000000", lines[ 1 ] );
        EXPECT_STREQ( ". c #ffffff", lines[ 2 ] );
        EXPECT_STREQ( "  c None", lines[ 3 ] );
        EXPECT_STREQ( hotSpots[ type ], lines[ 36 ] ) << names[ type ];
        CursorBitmap bitmap;
        ASSERT_TRUE( DecodeCursorImage( lines, bitmap ) ) << names[ type ];
        // The hot spot lies on the drawn cursor.
        const int byte = bitmap.hotY * 4 + bitmap.hotX / 8;
        EXPECT_TRUE( bitmap.mask[ byte ] & ( 0x80 >> ( bitmap.hotX % 8 ) ) ) << names[ type ];
    }
}

TEST( CursorImages, BlackSetsDataAndMaskWhiteOnlyTheMask )
{
    const char* lines[ CURSOR_IMAGE_LINES ] = { "32 32 3 1", "X c #000000", ". c #ffffff", "  c None" };
    const std::string empty( 32, ' ' );
    for( int row = 0; row < 32; ++row )
        lines[ 4 + row ] = empty.c_str();
    const std::string first = "X.      " + std::string( 23, ' ' ) + "X";
    lines[ 4 ] = first.c_str();
    lines[ 36 ] = "1,2";

    CursorBitmap bitmap;
    ASSERT_TRUE( DecodeCursorImage( lines, bitmap ) );
    EXPECT_EQ( 0x80, bitmap.data[ 0 ] );
    EXPECT_EQ( 0xc0, bitmap.mask[ 0 ] );
    EXPECT_EQ( 0x01, bitmap.data[ 3 ] );
    EXPECT_EQ( 0x01, bitmap.mask[ 3 ] );
    EXPECT_EQ( 0, bitmap.mask[ 4 ] );
    EXPECT_EQ( 1, bitmap.hotX );
    EXPECT_EQ( 2, bitmap.hotY );

    const std::string bad = "?" + std::string( 31, ' ' );
    lines[ 5 ] = bad.c_str();
    EXPECT_FALSE( DecodeCursorImage( lines, bitmap ) );
}
