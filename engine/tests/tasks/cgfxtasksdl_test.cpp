// The "gfx" task: what it sets up, frame pacing on the sprite clock, and
// what it leaves behind.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/sdltestsupport.h"
#include "support/testsupport.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/gfx/cgfxfactory.h"
#include "tarn/gfx/cmoveeffect.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/csprite.h"
#include "tarn/gfx/cspriteupdater.h"
#include "tarn/gfx/gfx.h"
#include "tarn/tasks/cgfxtasksdl.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/enginetime.h"

using namespace tarn;

namespace {

class GfxTaskTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        clock = std::make_unique<test::CManualClock>( 1000 );
        video = std::make_unique<test::CVideoMode>( 80, 60 );
        GetConsole()->Execute( "taskload( sdl )" );
    }
    void TearDown() override
    {
        test::ResetEngine();
        video.reset();
        clock.reset();
    }

    std::unique_ptr<test::CManualClock> clock;
    std::unique_ptr<test::CVideoMode> video;
};

} // namespace

TEST_F( GfxTaskTest, SetsUpDrawingAndTearsItDown )
{
    EXPECT_EQ( GetConsole()->Execute( "starttask( gfx, Gfx, 60 )" ), "gfx started" );
    EXPECT_NE( Gfx::GetFactory(), nullptr );
    ASSERT_NE( CScreenLayer::GetScreenSurface(), nullptr );
    EXPECT_EQ( CScreenLayer::GetScreenSurface()->GetWidth(), 80 );

    GetConsole()->Execute( "stoptask( Gfx )" );
    EXPECT_EQ( Gfx::GetFactory(), nullptr );
    EXPECT_EQ( CScreenLayer::GetScreenSurface(), nullptr );
    EXPECT_FALSE( CScreenLayer::HasSingleton() );
}

TEST_F( GfxTaskTest, DrawsAtMostOneFrameEvery16Milliseconds )
{
    GetConsole()->Execute( "starttask( gfx, Gfx, 60 )" );
    CSprite sprite;
    StartEffect( std::make_unique<CMoveEffect>( &sprite, 1000, 0, 1000 ) );

    CTaskManager* manager = CTaskManager::GetSingletonPtr();
    clock->Advance( 15 );
    manager->RunOnce();
    EXPECT_EQ( sprite.GetX(), 0 ) << "no frame before 16 ms";

    clock->Advance( 1 );
    manager->RunOnce();
    EXPECT_EQ( sprite.GetX(), 16 );
    manager->RunOnce();
    clock->Advance( 10 );
    manager->RunOnce();
    EXPECT_EQ( sprite.GetX(), 16 ) << "the next frame waits another 16 ms";
    clock->Advance( 6 );
    manager->RunOnce();
    EXPECT_EQ( sprite.GetX(), 32 );
}

// A profiling tool sees what every frame drew and presented: with only the
// changed areas presented, a frame in which nothing changed costs nothing;
// the engine's default presents the whole display every frame; the full
// redraw switch draws everything again.
TEST_F( GfxTaskTest, ReportsThePixelsEachFrameDrewAndPresented )
{
    std::vector<FrameReport> frames;
    CGfxTaskSDL::SetFrameReportListener( [ & ]( const FrameReport& frame ) { frames.push_back( frame ); } );
    GetConsole()->Execute( "starttask( gfx, Gfx, 60 )" );
    GetConsole()->Execute( "gfx_flip_update_rects = 1" );
    CSprite sprite;
    sprite.SetImage( Gfx::GetFactory()->NewBuffer( 10, 10, CColor( 255, 0, 255 ) ) );
    sprite.SetImageRect( types::rect{ 0, 0, 10, 10 } );
    sprite.SetParent( CScreenLayer::GetSingletonPtr() );
    CTaskManager* manager = CTaskManager::GetSingletonPtr();
    auto frame = [ & ] {
        clock->Advance( 16 );
        manager->RunOnce();
        return frames.back();
    };

    frame();
    EXPECT_EQ( frame().pixelsPresented, 0 ) << "nothing changed";
    EXPECT_EQ( frames.back().pixelsDrawn, 0 );
    EXPECT_EQ( frames.back().time, EngineTime() );

    sprite.SetPosition( 20, 0 );
    const FrameReport moved = frame();
    EXPECT_EQ( moved.pixelsPresented, 200 ) << "the old and the new place";
    EXPECT_EQ( moved.pixelsDrawn, 200 ) << "the background put back, the sprite drawn";

    GetConsole()->Execute( "gfx_flip_update_rects = 0" );
    EXPECT_EQ( frame().pixelsPresented, 80 * 60 ) << "a whole flip presents everything";
    EXPECT_EQ( frames.back().pixelsDrawn, 0 );

    GetConsole()->Execute( "gfx_redraw_every_frame = 1" );
    EXPECT_EQ( frame().pixelsDrawn, 100 );
    EXPECT_EQ( frame().pixelsDrawn, 100 ) << "every frame";
    EXPECT_EQ( frames.back().pixelsPresented, 80 * 60 );
    CGfxTaskSDL::SetFrameReportListener( nullptr );
    EXPECT_EQ( frames.size(), 6u );
}
