// Sprites in the screen layer: depth order, what a change marks, the incremental redraw, which must never leave a stale
// pixel on the screen, and the screen's queue of changed areas to present.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "gfx/gfxtestsupport.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/gfx/cdisplayscale.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/sdl/csurfacesdl.h"

using namespace tarn;

namespace {

class SpriteLayerTest : public test::SceneTest
{
protected:
    ~SpriteLayerTest() override { sprites.clear(); }

    CSprite* Add( int x, int y, int w, int h, const CColor& color, int z = 100 )
    {
        const std::string name = "s" + std::to_string( made++ );
        sprites.push_back( CSpriteFactory::LoadSprite( scene->MakeImage( name, w, h, color ) ) );
        sprites.back()->SetZ( z );
        sprites.back()->SetPosition( x, y );
        return sprites.back().get();
    }

    static std::vector<int> Depths()
    {
        std::vector<int> z;
        for( CSprite* child : CScreenLayer::GetSingletonPtr()->GetChildren() )
            z.push_back( child->GetZ() );
        return z;
    }

    test::CLogCapture log;
    std::vector<std::unique_ptr<CSprite>> sprites;
    int made = 0;
};

} // namespace

TEST_F( SpriteLayerTest, TheFirstFrameDrawsAllThenOnlyChangesAndNothingStaysOfSpritesGone )
{
    CSprite* sprite = Add( 10, 10, 20, 20, CColor( 200, 0, 0 ) );
    CSprite* away = Add( 200, 200, 10, 10, CColor( 0, 200, 0 ) );
    scene->Update();
    EXPECT_TRUE( log.Contains( "drawing all" ) );
    EXPECT_EQ( away->GetDrawState(), CSprite::DRAW_CLEAN ) << "not drawn off the screen, but clean";
    // Moving by 0 pixels marks nothing; moved, the new and the old place are to be presented; changed in place, one.
    sprite->SetPosition( 10, 10 );
    EXPECT_FALSE( sprite->IsChanged() );
    sprite->SetPosition( 30, 12 );
    EXPECT_EQ( sprite->GetDirtyCount(), 2 );
    scene->GetScreen()->Flip();
    scene->Update();
    EXPECT_EQ( scene->GetScreen()->GetDirtyRects().size(), 2u );
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );
    sprite->SetAlpha( 100 );
    EXPECT_EQ( sprite->GetDirtyCount(), 1 );
    Add( 0, 0, 50, 40, CColor( 0, 0, 200 ), 200 );
    scene->Update();
    sprites.erase( sprites.begin() );
    scene->Update();
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );
    // The display lost its pixels (a new video mode, say): a requested full pass draws everything again.
    SDL_FillRect( scene->GetScreen()->GetRawImage(), nullptr, 0 );
    CScreenLayer::GetSingletonPtr()->RequestDrawAll();
    scene->Update();
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );
    EXPECT_EQ( ScreenPixel( 35, 15 ), CColor( 0, 0, 200 ) );
    // A change under a large see-through sprite draws that one again only over the change: a 6 x 6 sprite and the
    // part of the box in front of it are drawn once, and only the sprite's background is put back.
    CSprite* flame = Add( 20, 20, 6, 6, CColor( 200, 120, 0 ) );
    Add( 10, 10, 60, 40, CColor( 0, 90, 0 ), 10 )->SetAlpha( 128 );
    scene->Update();
    scene->GetScreen()->Flip();
    flame->SetAlpha( 150 );
    scene->Update();
    scene->GetScreen()->Flip();
    EXPECT_EQ( scene->GetScreen()->GetPixelsDrawnLastFrame(), 3 * 6 * 6 );
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );
    // Magenta in a picture with an alpha channel is a colour like any other, and comes back when a sprite over it goes.
    std::unique_ptr<CSurface> magenta = Gfx::NewBuffer( 8, 8 );
    SDL_Surface* magentaPixels = gfx_cast<CSurfaceSDL>( magenta.get() )->GetRawImage();
    SDL_FillRect( magentaPixels, nullptr, SDL_MapRGBA( magentaPixels->format, 255, 0, 255, 255 ) );
    Add( 80, 50, 8, 8, CColor( 0, 0, 0 ), 150 )->SetImage( std::move( magenta ) );
    CSprite* over = Add( 82, 52, 6, 6, CColor( 10, 200, 10 ) );
    scene->Update();
    over->SetPosition( 70, 40 );
    scene->Update();
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );
}

TEST_F( SpriteLayerTest, DepthChangesAndHiddenSpritesKeepTheOrder )
{
    CSprite* back = Add( 0, 0, 30, 30, CColor( 0, 0, 200 ), 200 );
    CSprite* middle = Add( 10, 10, 30, 30, CColor( 0, 200, 0 ), 100 );
    Add( 20, 20, 30, 30, CColor( 200, 0, 0 ), 50 );
    CSprite* twin = Add( 30, 2, 20, 15, CColor( 200, 200, 0 ), 100 );
    scene->Update();
    EXPECT_EQ( *std::next( CScreenLayer::GetSingletonPtr()->GetChildren().begin() ), twin ) << "later, so in front";
    EXPECT_EQ( ScreenPixel( 35, 12 ), CColor( 200, 200, 0 ) );
    // A shown sprite returns to its depth.
    middle->SetVisible( false );
    EXPECT_EQ( Depths(), ( std::vector<int>{ 50, 100, 200 } ) );
    scene->Update();
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );
    middle->SetVisible( true );
    EXPECT_EQ( Depths(), ( std::vector<int>{ 50, 100, 100, 200 } ) );
    scene->Update();
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );
    // A new depth redraws everything in front of the old one.
    back->SetZ( 70 );
    EXPECT_EQ( Depths(), ( std::vector<int>{ 50, 70, 100, 100 } ) );
    scene->Update();
    EXPECT_EQ( ScreenPixel( 15, 12 ), CColor( 0, 0, 200 ) );
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );
}

// Plain, faded, see-through (an alpha channel of their own) and text sprites, overlapping, half off the screen, changed
// at random: covering sprites are drawn again only where something under them changed, which must look exactly as
// drawing everything again.
TEST_F( SpriteLayerTest, RandomChangesNeverLeaveAStalePixel )
{
    std::mt19937 random( 12345 );
    auto pick = [ &random ]( int low, int high ) { return std::uniform_int_distribution<int>( low, high )( random ); };
    auto addRandom = [ & ] {
        const int kind = pick( 0, 5 );
        if( kind == 5 )
        {
            auto text = std::make_unique<CTextSprite>();
            text->SetFont( test::MakeFont( { "#..g.", "##ggg" }, { { 'a', { 0, 0, 2, 2 } }, { 'b', { 2, 0, 3, 2 } } },
                                           3, 2, "shapes" ) );
            text->SetText( "ab ba b" );
            text->Resize( pick( 8, 30 ), pick( 4, 12 ) );
            text->SetParent( CScreenLayer::GetSingletonPtr() );
            sprites.push_back( std::move( text ) );
        }
        else
        {
            Add( 0, 0, pick( 6, 30 ), pick( 6, 30 ), CColor( pick( 0, 254 ), pick( 0, 255 ), pick( 0, 254 ) ) );
            if( kind == 4 )
                sprites.back()->SetImage( sprites.back()->GetSurface()->CopyWithAlpha( pick( 60, 200 ) ) );
        }
        sprites.back()->SetZ( pick( 0, 4 ) * 25 );
        sprites.back()->SetPosition( pick( -15, 85 ), pick( -15, 55 ) );
    };
    for( int i = 0; i < 30; ++i )
        addRandom();
    for( int step = 0; step < 1500; ++step )
    {
        CSprite* sprite = sprites[ pick( 0, static_cast<int>( sprites.size() ) - 1 ) ].get();
        switch( pick( 0, 11 ) )
        {
        case 0:
        case 1: sprite->SetPosition( sprite->GetX() + pick( -12, 12 ), sprite->GetY() + pick( -12, 12 ) ); break;
        case 2: sprite->SetZ( pick( 0, 4 ) * 25 ); break;
        case 3: sprite->SetAlpha( pick( 0, 1 ) ? 255 : pick( 40, 220 ) ); break;
        case 4: sprite->SetVisible( sprite->GetParent() == nullptr ); break;
        case 5: sprite->SetImageRect( types::rect{ pick( 0, 4 ), pick( 0, 4 ), pick( 4, 20 ), pick( 4, 20 ) } ); break;
        case 6: sprite->Resize( pick( 4, 40 ), pick( 4, 40 ) ); break;
        case 7:
            sprite->SetScrollRect( types::rect{ pick( 0, 60 ), pick( 0, 40 ), pick( 10, 60 ), pick( 10, 40 ) } );
            break;
        case 8:
            if( sprites.size() > 20 )
                sprites.erase( sprites.begin() + pick( 0, static_cast<int>( sprites.size() ) - 1 ) );
            break;
        case 9:
            if( sprites.size() < 50 )
                addRandom();
            break;
        case 10: sprite->SetText( pick( 0, 1 ) ? "ba" : "a b ab ba" ); break;
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

// A fade looks as it always did, a blit of the faded copy, at every alpha, whole and as a frame of a sheet: exactly for
// a picture with see-through pixels of its own alpha (one faded copy per alpha) and for one whose alpha channel is
// opaque everywhere (blended by SDL at the alpha as it draws); an opaque picture with a transparent colour SDL blends
// with another routine, which rounds some channels 1 lower.
TEST_F( SpriteLayerTest, FadedSpritesLookAsTheirFadedCopiesAtEveryAlpha )
{
    SDL_Surface* display = scene->GetScreen()->GetRawImage();
    SDL_Surface* pattern = test::MakePatternSurface( 96, 64, false );
    SDL_BlitSurface( pattern, nullptr, display, nullptr );
    SDL_FreeSurface( pattern );
    CSurfaceSDL background( SDL_ConvertSurface( display, display->format, SDL_SWSURFACE ) );
    const std::string path = scene->MakeImage( "picture", 30, 20, CColor( 250, 20, 120 ) );
    const auto load = [ &path ] { return Gfx::LoadImage( path, CSprite::KeyColor() ); };
    std::unique_ptr<CSurface> solid = Gfx::NewBuffer( 30, 20 );
    SDL_Surface* solidPixels = gfx_cast<CSurfaceSDL>( solid.get() )->GetRawImage();
    SDL_FillRect( solidPixels, nullptr, SDL_MapRGBA( solidPixels->format, 90, 60, 200, 255 ) );
    struct Faded
    {
        std::unique_ptr<CSurface> image;
        int x, y;
        bool rounded;
        CSprite* sprite = nullptr;
    };
    Faded faded[] = { { load(), 5, 5, true },
                      { load()->CopyWithAlpha( 170 ), 40, 30, false },
                      { solid->Copy(), 60, 2, false } };
    for( Faded& picture : faded )
    {
        sprites.push_back( CSpriteFactory::LoadSprite( path ) );
        picture.sprite = sprites.back().get();
        if( &picture != &faded[ 0 ] )
            picture.sprite->SetImage( picture.image->Copy() );
        picture.sprite->SetPosition( picture.x, picture.y );
    }
    CScreenLayer::GetSingletonPtr()->RequestDrawAll( false );
    for( int alpha = 0; alpha < 256; ++alpha )
    {
        const types::rect view = alpha % 2 ? types::rect{ 2, 3, 10, 8 } : types::rect{ 0, 0, 30, 20 };
        CSurfaceSDL expected( SDL_ConvertSurface( background.GetRawImage(), display->format, SDL_SWSURFACE ) );
        for( Faded& picture : faded )
        {
            picture.sprite->SetAlpha( alpha );
            picture.sprite->SetImageRect( view );
            picture.image->SetViewRect( view );
            picture.image->CopyWithAlpha( alpha )->Blit( &expected, types::rect{ 0, 0, 30, 20 },
                                                          picture.sprite->GetRect() );
        }
        scene->Update();
        for( int y = 0; y < display->h; ++y )
        {
            for( int x = 0; x < display->w; ++x )
            {
                const CColor want = expected.GetPixel( x, y );
                const CColor got = test::PixelOf( display, x, y );
                const int off = std::max( { std::abs( want.r - got.r ), std::abs( want.g - got.g ),
                                            std::abs( want.b - got.b ) } );
                bool rounded = false;
                for( const Faded& picture : faded )
                    rounded = rounded || ( picture.rounded && types::Intersects( picture.sprite->GetRect(),
                                                                                 types::rect{ x, y, 1, 1 } ) );
                ASSERT_LE( off, rounded ? 1 : 0 ) << x << ", " << y << " at alpha " << alpha;
            }
        }
    }
}

TEST_F( SpriteLayerTest, TheScreenQueuesAreasCutToItUntilAFullScreenAreaTheLimitOrTheFlip )
{
    CScreenSurface& screen = *scene->GetScreen();
    screen.AddDirtyRect( types::rect{ 10, 10, 5, 5 } );
    screen.AddDirtyRect( types::rect{ 90, -5, 20, 10 } );
    screen.AddDirtyRect( types::rect{ 200, 0, 5, 5 } ); // off the screen
    EXPECT_EQ( ( std::vector<types::rect>{ { 10, 10, 5, 5 }, { 90, 0, 6, 5 } } ), screen.GetDirtyRects() );
    EXPECT_FALSE( screen.IsRedrawAll() );
    screen.AddDirtyRect( types::rect{ -10, -10, 200, 200 } );
    EXPECT_TRUE( screen.IsRedrawAll() );
    screen.AddDirtyRect( types::rect{ 1, 1, 2, 2 } );
    EXPECT_TRUE( screen.GetDirtyRects().empty() );
    screen.Flip();
    EXPECT_FALSE( screen.IsRedrawAll() );
    EXPECT_EQ( "75", GetConsole()->GetVariable( "gfx_flip_rects_size" ) );
    EXPECT_EQ( "0", GetConsole()->GetVariable( "gfx_flip_debug_rects" ) );
    GetConsole()->Execute( "gfx_flip_rects_size = 3" );
    for( int i = 0; i < 3; ++i )
        screen.AddDirtyRect( types::rect{ i, 0, 1, 1 } );
    EXPECT_EQ( 3u, screen.GetDirtyRects().size() );
    EXPECT_FALSE( screen.IsRedrawAll() );
    screen.AddDirtyRect( types::rect{ 0, 1, 1, 1 } );
    EXPECT_TRUE( screen.IsRedrawAll() ) << "one past the limit";
    screen.Flip();
    GetConsole()->Execute( "gfx_flip_rects_size = 0" ); // no limit
    for( int i = 0; i < 100; ++i )
        screen.AddDirtyRect( types::rect{ i % 50, i / 50, 1, 1 } );
    EXPECT_EQ( 100u, screen.GetDirtyRects().size() );
    screen.Flip();
    GetConsole()->Execute( "gfx_flip_debug_rects = 1" );
    screen.AddDirtyRect( types::rect{ 1, 2, 3, 4 } );
    screen.Flip();
    EXPECT_TRUE( log.Contains( "flip: 1, 2, 3, 4" ) );
}

TEST_F( SpriteLayerTest, TheScreenNeverFreesTheDisplay )
{
    {
        CScreenSurface screen( SDL_GetVideoSurface() );
        screen.SetDisplay( SDL_SetVideoMode( 50, 40, 32, SDL_SWSURFACE ) );
        EXPECT_EQ( 50, screen.GetWidth() );
        EXPECT_TRUE( screen.IsRedrawAll() );
    }
    ASSERT_NE( nullptr, SDL_GetVideoSurface() );
    EXPECT_EQ( 50, SDL_GetVideoSurface()->w );
}

// Shown enlarged, the screen is a picture of the game's size (what the sprites
// and the screenshots see); a flip enlarges only the changed areas into the
// display, each game pixel a 2 x 2 square, and leaves the rest of it alone.
TEST_F( SpriteLayerTest, AScaledScreenEnlargesOnlyTheChangedAreasIntoTheDisplay )
{
    SDL_Surface* display = SDL_SetVideoMode( 50, 40, 32, SDL_SWSURFACE );
    CScreenSurface screen( display );
    screen.SetDisplay( display, CDisplayScale( 20, 15, 2, 50, 40 ) );  // centred: at 5, 5
    EXPECT_EQ( 20, screen.GetWidth() );
    screen.Flip();
    const Uint32 untouched = SDL_MapRGB( display->format, 1, 2, 3 );
    SDL_FillRect( display, nullptr, untouched );
    SDL_Surface* pattern = test::MakePatternSurface( 20, 15, false );
    SDL_BlitSurface( pattern, nullptr, screen.GetRawImage(), nullptr );
    SDL_FreeSurface( pattern );
    screen.AddDirtyRect( types::rect{ 3, 4, 5, 6 } );
    screen.Flip();
    for( int y = 0; y < 40; ++y )
    {
        for( int x = 0; x < 50; ++x )
        {
            const bool changed = x >= 11 && x < 21 && y >= 13 && y < 25;
            CColor expected = changed ? test::PatternColor( ( x - 5 ) / 2, ( y - 5 ) / 2 ) : CColor( 1, 2, 3 );
            expected.a = 255;
            ASSERT_EQ( expected, test::PixelOf( display, x, y ) ) << x << ", " << y;
        }
    }
}
