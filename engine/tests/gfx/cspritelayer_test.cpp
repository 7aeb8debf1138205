// Sprites in the screen layer: depth order, what a change marks, and the
// incremental redraw, which must never leave a stale pixel on the screen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

#include "support/spritescene.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/csprite.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/sdl/cscreensurface.h"

using namespace tarn;

namespace {

class SpriteLayerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        scene = std::make_unique<test::CSpriteScene>( 96, 64, "sprites" );
        log = std::make_unique<test::CLogCapture>();
    }
    void TearDown() override
    {
        sprites.clear();
        log.reset();
        scene.reset();
        test::ResetEngine();
    }

    CSprite* Add( const std::string& name, int x, int y, int w, int h, const CColor& color, int z = 100 )
    {
        sprites.push_back( CSpriteFactory::LoadSprite( scene->MakeImage( name, w, h, color ) ) );
        CSprite* sprite = sprites.back().get();
        sprite->SetZ( z );
        sprite->SetPosition( x, y );
        return sprite;
    }

    std::vector<int> Depths() const
    {
        std::vector<int> z;
        for( CSprite* child : CScreenLayer::GetSingletonPtr()->GetChildren() )
            z.push_back( child->GetZ() );
        return z;
    }

    std::unique_ptr<test::CSpriteScene> scene;
    std::unique_ptr<test::CLogCapture> log;
    std::vector<std::unique_ptr<CSprite>> sprites;
};

} // namespace

TEST_F( SpriteLayerTest, LaterSpriteOfEqualDepthIsInFront )
{
    CSprite* first = Add( "a", 10, 10, 20, 20, CColor( 200, 0, 0 ) );
    CSprite* second = Add( "b", 15, 15, 20, 20, CColor( 0, 200, 0 ) );
    const auto& children = CScreenLayer::GetSingletonPtr()->GetChildren();
    EXPECT_EQ( children.front(), second );
    EXPECT_EQ( children.back(), first );
    scene->Update();
    EXPECT_EQ( test::PixelOf( scene->GetScreen()->GetRawImage(), 20, 20 ), CColor( 0, 200, 0 ) );
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );
}

TEST_F( SpriteLayerTest, FirstFrameDrawsAllThenOnlyChanges )
{
    CSprite* sprite = Add( "a", 10, 10, 20, 20, CColor( 200, 0, 0 ) );
    scene->Update();
    EXPECT_TRUE( log->Contains( "drawing all" ) );
    EXPECT_EQ( sprite->GetDrawState(), CSprite::DRAW_CLEAN );

    // Moving by 0 pixels marks nothing.
    sprite->SetPosition( 10, 10 );
    EXPECT_FALSE( sprite->IsChanged() );

    // Moved: the new and the old place are to be presented; changed in place: one.
    sprite->SetPosition( 30, 12 );
    EXPECT_EQ( sprite->GetDirtyCount(), 2 );
    scene->GetScreen()->Flip();
    scene->Update();
    EXPECT_EQ( scene->GetScreen()->GetDirtyRects().size(), 2u );
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );
    sprite->SetAlpha( 100 );
    EXPECT_EQ( sprite->GetDirtyCount(), 1 );
}

TEST_F( SpriteLayerTest, SpriteOffTheScreenIsNotDrawnButBecomesClean )
{
    CSprite* sprite = Add( "a", 200, 200, 10, 10, CColor( 200, 0, 0 ) );
    scene->Update();
    EXPECT_EQ( sprite->GetDrawState(), CSprite::DRAW_CLEAN );
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );
}

TEST_F( SpriteLayerTest, SpriteMovedOffTheScreenLeavesNothingBehind )
{
    CSprite* sprite = Add( "a", 10, 10, 20, 20, CColor( 200, 0, 0 ) );
    scene->Update();
    sprite->SetPosition( 500, 10 );
    scene->Update();
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );
}

TEST_F( SpriteLayerTest, ShownSpriteReturnsToItsDepth )
{
    Add( "back", 0, 0, 30, 30, CColor( 0, 0, 200 ), 200 );
    CSprite* middle = Add( "middle", 10, 10, 30, 30, CColor( 0, 200, 0 ), 100 );
    Add( "front", 20, 20, 30, 30, CColor( 200, 0, 0 ), 50 );
    scene->Update();

    middle->SetVisible( false );
    EXPECT_EQ( Depths(), ( std::vector<int>{ 50, 200 } ) );
    scene->Update();
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );

    middle->SetVisible( true );
    EXPECT_EQ( Depths(), ( std::vector<int>{ 50, 100, 200 } ) );
    scene->Update();
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );
}

TEST_F( SpriteLayerTest, DepthChangeRedrawsEverythingInFrontOfTheOldDepth )
{
    CSprite* a = Add( "a", 0, 0, 30, 30, CColor( 0, 0, 200 ), 100 );
    CSprite* b = Add( "b", 10, 10, 30, 30, CColor( 0, 200, 0 ), 70 );
    scene->Update();

    a->SetZ( 50 );
    EXPECT_EQ( Depths(), ( std::vector<int>{ 50, 70 } ) );
    EXPECT_EQ( a->GetDrawState(), CSprite::DRAW_DIRTY );
    EXPECT_EQ( b->GetDrawState(), CSprite::DRAW_DIRTY );
    EXPECT_GE( CScreenLayer::GetSingletonPtr()->GetRedrawDepth(), 100 );
    scene->Update();
    EXPECT_EQ( test::PixelOf( scene->GetScreen()->GetRawImage(), 20, 20 ), CColor( 0, 0, 200 ) );
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );
}

TEST_F( SpriteLayerTest, DeletedSpriteLeavesTheScreen )
{
    Add( "back", 0, 0, 40, 40, CColor( 0, 0, 200 ), 200 );
    Add( "front", 20, 20, 30, 30, CColor( 200, 0, 0 ), 50 );
    scene->Update();
    sprites.pop_back();
    scene->Update();
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );
}

TEST_F( SpriteLayerTest, RequestedFullPassRedrawsOverANewDisplay )
{
    Add( "a", 5, 5, 30, 30, CColor( 0, 0, 200 ) );
    scene->Update();
    // The display lost its pixels (a new video mode, say).
    SDL_FillRect( scene->GetScreen()->GetRawImage(), nullptr, 0 );
    CScreenLayer::GetSingletonPtr()->RequestDrawAll();
    scene->Update();
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );
}

TEST_F( SpriteLayerTest, RandomChangesNeverLeaveAStalePixel )
{
    std::mt19937 random( 12345 );
    auto pick = [ &random ]( int low, int high ) { return std::uniform_int_distribution<int>( low, high )( random ); };
    int made = 0;
    auto addRandom = [ & ] {
        const std::string name = "s" + std::to_string( made++ );
        Add( name, pick( -15, 85 ), pick( -15, 55 ), pick( 6, 30 ), pick( 6, 30 ),
             CColor( pick( 0, 254 ), pick( 0, 255 ), pick( 0, 254 ) ), pick( 0, 4 ) * 25 );
    };
    for( int i = 0; i < 30; ++i )
        addRandom();

    for( int step = 0; step < 1200; ++step )
    {
        CSprite* sprite = sprites[ pick( 0, static_cast<int>( sprites.size() ) - 1 ) ].get();
        switch( pick( 0, 10 ) )
        {
        case 0:
        case 1: sprite->SetPosition( sprite->GetX() + pick( -12, 12 ), sprite->GetY() + pick( -12, 12 ) ); break;
        case 2: sprite->SetZ( pick( 0, 4 ) * 25 ); break;
        case 3: sprite->SetAlpha( pick( 0, 1 ) ? 255 : pick( 40, 220 ) ); break;
        case 4: sprite->SetVisible( sprite->GetParent() == nullptr ); break;
        case 5: sprite->SetImageRect( types::rect{ pick( 0, 4 ), pick( 0, 4 ), pick( 4, 20 ), pick( 4, 20 ) } ); break;
        case 6: sprite->Resize( pick( 4, 40 ), pick( 4, 40 ) ); break;
        case 7: sprite->SetScrollRect( types::rect{ pick( 0, 60 ), pick( 0, 40 ), pick( 10, 60 ), pick( 10, 40 ) } ); break;
        case 8:
            if( sprites.size() > 20 )
                sprites.erase( sprites.begin() + pick( 0, static_cast<int>( sprites.size() ) - 1 ) );
            break;
        case 9:
            if( sprites.size() < 50 )
                addRandom();
            break;
        default: sprite->SetPosition( pick( -20, 100 ), pick( -20, 70 ) ); break;
        }
        if( pick( 0, 2 ) == 0 )
            continue; // several changes in one frame
        scene->Update();
        ASSERT_EQ( scene->CompareWithFreshDrawing(), "" ) << "after step " << step;
        // Presenting only the queued areas shows exactly what a full flip shows.
        ASSERT_EQ( scene->PresentQueuedAreas(), "" ) << "after step " << step;
    }
}
