// The "gfx" task: what it sets up, frame pacing on the sprite clock, and
// what it leaves behind.
#include <gtest/gtest.h>

#include <memory>

#include "support/sdltestsupport.h"
#include "support/testsupport.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/gfx/cmoveeffect.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/csprite.h"
#include "tarn/gfx/cspriteupdater.h"
#include "tarn/gfx/gfx.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"

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
    new CMoveEffect( &sprite, 1000, 0, 1000 );

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
