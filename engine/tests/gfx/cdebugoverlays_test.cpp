// Debug overlays over a finished frame: what each one paints, that taking it
// off gives back the frame pixel for pixel, and that what it covered is
// presented again so the window loses it too. Commands and screenshots:
// tasks/sdltasks_test.cpp; the game's overlays: horror/chorrorgameplay_test.cpp.
#include <gtest/gtest.h>

#include <functional>

#include "gfx/gfxtestsupport.h"
#include "tarn/gfx/cdebugoverlay.h"
#include "tarn/gfx/cdebugoverlays.h"
#include "tarn/gfx/cspritefactory.h"

using namespace tarn;

namespace {

// An overlay that draws what the test says.
class CTestOverlay final : public CDebugOverlay
{
public:
    CTestOverlay( const std::string& name, std::function<void( CDebugDrawing& )> draw ) :
        CDebugOverlay( name ), myDraw( std::move( draw ) )
    {
    }
    void Draw( CDebugDrawing& drawing ) const override { myDraw( drawing ); }

private:
    std::function<void( CDebugDrawing& )> myDraw;
};

class DebugOverlaysTest : public test::SceneTest
{
protected:
    std::vector<CColor> Pixels() const { return scene->GetScreen()->GetPixels( types::rect{ 0, 0, 96, 64 } ); }
    // The rectangle round the pixels that differ, and how many do.
    static std::pair<types::rect, int> Changed( const std::vector<CColor>& before, const std::vector<CColor>& after )
    {
        int left = 96, top = 64, right = -1, bottom = -1, count = 0;
        for( int i = 0; i < 96 * 64; ++i )
        {
            if( before[ i ] == after[ i ] )
                continue;
            ++count;
            left = std::min( left, i % 96 );
            right = std::max( right, i % 96 );
            top = std::min( top, i / 96 );
            bottom = std::max( bottom, i / 96 );
        }
        return { types::rect{ left, top, right - left + 1, bottom - top + 1 }, count };
    }

    CDebugOverlays& overlays = CScreenLayer::GetSingletonPtr()->GetDebugOverlays();
};

} // namespace

TEST_F( DebugOverlaysTest, EachOverlayPaintsOnlyItsShapesAndLeavesTheFrameExactlyAsItWas )
{
    CTestOverlay inside( "inside", []( CDebugDrawing& d ) {
        d.Line( 2, 60, 40, 50, CColor( 0, 255, 0 ) );
        d.Circle( 70, 20, 9, CColor( 255, 255, 0 ) );
        d.Box( types::rect{ 50, 40, 10, 8 }, CColor( 255, 255, 255 ) );
        d.FillBox( types::rect{ 12, 8, 6, 6 }, CColor( 0, 0, 255, 128 ) );
        d.Text( 62, 50, "42", CColor( 255, 255, 255 ) );
    } );
    // Reaching past every edge: cut to the screen, nothing written outside.
    CTestOverlay edges( "edges", []( CDebugDrawing& d ) {
        d.Line( -50, -50, 100, 30, CColor( 0, 255, 0 ) );
        d.Circle( 90, 60, 20, CColor( 255, 255, 0 ) );
        d.Text( -4, -4, "overlay text far past the right edge", CColor( 255, 255, 255 ) );
        d.FillBox( types::rect{ 80, -10, 100, 30 }, CColor( 255, 0, 0, 60 ) );
        d.Circle( 40000, 40000, 5, CColor( 255, 0, 0 ) );
    } );
    ASSERT_TRUE( overlays.Add( &inside ) );
    ASSERT_TRUE( overlays.Add( &edges ) );
    std::unique_ptr<CSprite> sprite =
        CSpriteFactory::LoadSprite( scene->MakeImage( "s", 24, 16, CColor( 200, 0, 0 ) ) );
    sprite->SetPosition( 10, 6 );
    scene->Update();
    scene->PresentQueuedAreas();

    // The overlay, where its pixels may lie, and the sprite's move in the
    // frame ("dirty" outlines what the frame redrew).
    const std::tuple<const char*, types::rect, types::point> cases[] = {
        { "inside", { 2, 8, 78, 53 }, { 10, 6 } },
        { "edges", { 0, 0, 96, 64 }, { 10, 6 } },
        { "dirty", { 10, 6, 34, 24 }, { 20, 14 } },
    };
    for( const auto& [ name, region, move ] : cases )
    {
        SCOPED_TRACE( name );
        sprite->SetPosition( move.x, move.y );
        scene->Update();
        overlays.SetRedrawnAreas( scene->GetScreen()->GetDirtyRects() );
        const std::vector<CColor> frame = Pixels();
        ASSERT_TRUE( overlays.TurnOn( name ) );
        overlays.Paint( *scene->GetScreen() );
        const auto [ changed, count ] = Changed( frame, Pixels() );
        EXPECT_GT( count, 20 );
        EXPECT_EQ( types::Intersection( changed, region ), changed ) << changed.x << "," << changed.y << " "
                                                                     << changed.w << "x" << changed.h;
        EXPECT_EQ( scene->PresentQueuedAreas(), "" ) << "the window gets all of it";
        overlays.Restore( *scene->GetScreen() );
        EXPECT_EQ( Pixels(), frame ) << "the sprites' saved backgrounds never see an overlay";
        EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );

        overlays.TurnAllOff();
        scene->Update();
        overlays.Paint( *scene->GetScreen() );
        EXPECT_EQ( Pixels(), frame );
        EXPECT_EQ( scene->PresentQueuedAreas(), "" ) << "what it covered is presented again";
        overlays.Paint( *scene->GetScreen() );
        EXPECT_TRUE( scene->GetScreen()->GetDirtyRects().empty() ) << "then nothing more is";
    }
}
