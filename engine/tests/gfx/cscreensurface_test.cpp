// The screen's queue of changed areas: what is queued, and when it gives way
// to redrawing everything.
#include <gtest/gtest.h>

#include "support/sdltestsupport.h"
#include "support/testsupport.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/gfx/sdl/cscreensurface.h"

using namespace tarn;

namespace {

class ScreenSurfaceTest : public ::testing::Test
{
protected:
    void SetUp() override { test::ResetEngine(); }
    void TearDown() override { test::ResetEngine(); }

    test::CVideoMode video{ 100, 80 };
};

} // namespace

TEST_F( ScreenSurfaceTest, AreasAreQueuedCutToTheScreenUntilTheFlip )
{
    CScreenSurface screen( video.GetDisplay() );
    EXPECT_EQ( 100, screen.GetWidth() );
    screen.AddDirtyRect( types::rect{ 10, 10, 5, 5 } );
    screen.AddDirtyRect( types::rect{ 90, -5, 20, 10 } );
    screen.AddDirtyRect( types::rect{ 200, 0, 5, 5 } ); // off the screen
    const std::vector<types::rect> expected = { { 10, 10, 5, 5 }, { 90, 0, 10, 5 } };
    EXPECT_EQ( expected, screen.GetDirtyRects() );
    EXPECT_FALSE( screen.IsRedrawAll() );

    screen.Flip();
    EXPECT_TRUE( screen.GetDirtyRects().empty() );
}

TEST_F( ScreenSurfaceTest, AFullScreenAreaMeansRedrawEverything )
{
    CScreenSurface screen( video.GetDisplay() );
    screen.AddDirtyRect( types::rect{ 1, 1, 2, 2 } );
    screen.AddDirtyRect( types::rect{ -10, -10, 200, 200 } );
    EXPECT_TRUE( screen.IsRedrawAll() );
    screen.AddDirtyRect( types::rect{ 1, 1, 2, 2 } );
    EXPECT_TRUE( screen.GetDirtyRects().empty() );

    screen.Flip();
    EXPECT_FALSE( screen.IsRedrawAll() );
    screen.AddDirtyRect( types::rect{ 0, 0, 100, 80 } );
    EXPECT_TRUE( screen.IsRedrawAll() );
}

TEST_F( ScreenSurfaceTest, TheQueueLimitComesFromTheConsole )
{
    CScreenSurface screen( video.GetDisplay() );
    EXPECT_EQ( "75", GetConsole()->GetVariable( "gfx_flip_rects_size" ) );
    EXPECT_EQ( "0", GetConsole()->GetVariable( "gfx_flip_debug_rects" ) );

    for( int i = 0; i < 75; ++i )
        screen.AddDirtyRect( types::rect{ i, 0, 1, 1 } );
    EXPECT_EQ( 75u, screen.GetDirtyRects().size() );
    EXPECT_FALSE( screen.IsRedrawAll() );
    screen.AddDirtyRect( types::rect{ 0, 1, 1, 1 } );
    EXPECT_TRUE( screen.IsRedrawAll() );
    screen.Flip();

    GetConsole()->Execute( "gfx_flip_rects_size = 2" );
    for( int i = 0; i < 3; ++i )
        screen.AddDirtyRect( types::rect{ i, 0, 1, 1 } );
    EXPECT_TRUE( screen.IsRedrawAll() );
    screen.Flip();

    GetConsole()->Execute( "gfx_flip_rects_size = 0" ); // no limit
    for( int i = 0; i < 200; ++i )
        screen.AddDirtyRect( types::rect{ i % 100, i / 100, 1, 1 } );
    EXPECT_EQ( 200u, screen.GetDirtyRects().size() );
    EXPECT_FALSE( screen.IsRedrawAll() );
}

TEST_F( ScreenSurfaceTest, DebugFlipsLogWhatTheyPresent )
{
    CScreenSurface screen( video.GetDisplay() );
    GetConsole()->Execute( "gfx_flip_debug_rects = 1" );
    test::CLogCapture log;
    screen.AddDirtyRect( types::rect{ 1, 2, 3, 4 } );
    screen.Flip();
    EXPECT_TRUE( log.Contains( "flip: 1, 2, 3, 4" ) );
}

TEST_F( ScreenSurfaceTest, TheScreenNeverFreesTheDisplay )
{
    {
        CScreenSurface screen( video.GetDisplay() );
        screen.SetDisplay( SDL_SetVideoMode( 50, 40, 32, SDL_SWSURFACE ) );
        EXPECT_EQ( 50, screen.GetWidth() );
        EXPECT_TRUE( screen.IsRedrawAll() );
    }
    ASSERT_NE( nullptr, SDL_GetVideoSurface() );
    EXPECT_EQ( 50, SDL_GetVideoSurface()->w );
}
