// Drawing on SDL surfaces: pixels and their blending at every depth,
// views, blits cut at every edge, the raw-copy path and derived surfaces.
#include <gtest/gtest.h>

#include <SDL.h>

#include <limits>
#include <utility>

#include "support/sdltestsupport.h"
#include "support/testsupport.h"
#include "tarn/gfx/cnullsurface.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/sdl/cgfxfactorysdl.h"
#include "tarn/gfx/sdl/csurfacesdl.h"
#include "tarn/gfx/sdl/pixelaccess.h"

using namespace tarn;

namespace {

class SurfaceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        Gfx::SetFactory( &factory );
    }
    void TearDown() override { test::ResetEngine(); }

    // A surface of the given depth, every pixel 'fill' (a raw pixel value).
    static CSurfaceSDL Make( int width, int height, int bits, Uint32 fill )
    {
        SDL_Surface* image = nullptr;
        if( bits == 16 )
            image = SDL_CreateRGBSurface( SDL_SWSURFACE, width, height, 16, 0xf800, 0x07e0, 0x001f, 0 );
        else if( bits == 24 )
            image = SDL_CreateRGBSurface( SDL_SWSURFACE, width, height, 24, 0xff0000, 0x00ff00, 0x0000ff, 0 );
        else if( bits == 33 ) // 32 bits with an alpha channel
            image = SDL_CreateRGBSurface( SDL_SWSURFACE, width, height, 32, 0xff0000, 0xff00, 0xff, 0xff000000 );
        else
            image = SDL_CreateRGBSurface( SDL_SWSURFACE, width, height, bits, 0xff0000, 0xff00, 0xff, 0 );
        SDL_FillRect( image, nullptr, fill );
        return CSurfaceSDL( image );
    }

    static Uint32 Raw( const CSurfaceSDL& surface, int x, int y )
    {
        return sdl::ReadPixel( surface.GetRawImage(), x, y );
    }

    test::CVideoMode video;
    CGfxFactorySDL factory;
};

} // namespace

TEST_F( SurfaceTest, ThirtyTwoBitPixelsBlendByAlpha )
{
    CSurfaceSDL surface = Make( 2, 1, 32, 0x00c86432 ); // 200, 100, 50

    surface.PutPixel( 0, 0, CColor( 0, 255, 100, 0 ) );
    EXPECT_EQ( 0x00c86432u, Raw( surface, 0, 0 ) ) << "alpha 0 keeps the pixel";

    // Each channel: d + floor( ( s - d ) * 128 / 256 ).
    surface.PutPixel( 0, 0, CColor( 0, 255, 100, 128 ) );
    EXPECT_EQ( CColor( 100, 177, 75 ), surface.GetPixel( 0, 0 ) );

    surface.PutPixel( 0, 0, CColor( 1, 2, 3, 255 ) );
    EXPECT_EQ( CColor( 1, 2, 3 ), surface.GetPixel( 0, 0 ) ) << "alpha 255 replaces the pixel";

    // Darkening the top channels halves them like the low one.
    surface.PutPixel( 1, 0, CColor( 255, 255, 255, 255 ) );
    surface.PutPixel( 1, 0, CColor( 0, 0, 0, 128 ) );
    EXPECT_EQ( CColor( 127, 127, 127 ), surface.GetPixel( 1, 0 ) );
}

TEST_F( SurfaceTest, AlphaChannelsBlendTowardsOpaque )
{
    CSurfaceSDL surface = Make( 1, 1, 33, 0x40ff0000 ); // red, alpha 64
    surface.PutPixel( 0, 0, CColor( 0, 0, 255, 128 ) );
    // Red 255 -> 127, blue 0 -> 127, alpha 64 -> 64 + 95 = 159.
    EXPECT_EQ( CColor( 127, 0, 127, 159 ), surface.GetPixel( 0, 0 ) );
}

TEST_F( SurfaceTest, SixteenBitPixelsBlendPerMask )
{
    CSurfaceSDL surface = Make( 1, 1, 16, 0xffff );
    surface.PutPixel( 0, 0, CColor( 0, 0, 0, 0 ) );
    EXPECT_EQ( 0xffffu, Raw( surface, 0, 0 ) );
    surface.PutPixel( 0, 0, CColor( 0, 0, 0, 128 ) );
    // red 31 -> 15, green 63 -> 31, blue 31 -> 15 (5-6-5 bits).
    EXPECT_EQ( ( 15u << 11 ) | ( 31u << 5 ) | 15u, Raw( surface, 0, 0 ) );
    surface.PutPixel( 0, 0, CColor( 255, 0, 255, 255 ) );
    EXPECT_EQ( 0xf81fu, Raw( surface, 0, 0 ) );
}

TEST_F( SurfaceTest, TwentyFourAndEightBitPixelsBlendPerChannel )
{
    CSurfaceSDL deep = Make( 1, 1, 24, 0x00c86432 );
    deep.PutPixel( 0, 0, CColor( 0, 255, 100, 128 ) );
    EXPECT_EQ( CColor( 100, 177, 75 ), deep.GetPixel( 0, 0 ) );

    SDL_Surface* paletted = SDL_CreateRGBSurface( SDL_SWSURFACE, 1, 1, 8, 0, 0, 0, 0 );
    SDL_Color colors[ 3 ] = { { 0, 0, 0, 0 }, { 200, 200, 200, 0 }, { 100, 100, 100, 0 } };
    SDL_SetColors( paletted, colors, 0, 3 );
    SDL_FillRect( paletted, nullptr, 1 );
    CSurfaceSDL indexed( paletted );
    indexed.PutPixel( 0, 0, CColor( 0, 0, 0, 128 ) ); // 200 -> 100: index 2
    EXPECT_EQ( 2u, Raw( indexed, 0, 0 ) );
}

TEST_F( SurfaceTest, PixelsAreAddressedWithinTheView )
{
    CSurfaceSDL surface( test::MakePatternSurface( 6, 4, false ) );
    surface.SetViewRect( types::rect{ 2, 1, 3, 2 } );
    EXPECT_TRUE( surface.IsPartialView() );
    EXPECT_EQ( 3, surface.GetWidth() );
    EXPECT_EQ( 6, surface.GetFullWidth() );
    EXPECT_EQ( test::PatternColor( 3, 2 ).r, surface.GetPixel( 1, 1 ).r );
    EXPECT_EQ( CColor( 0, 0, 0, 255 ), surface.GetPixel( 3, 0 ) ) << "outside the view";
    EXPECT_EQ( CColor( 0, 0, 0, 255 ), surface.GetPixel( -1, 0 ) );

    // Reading an area at once gives what reading pixel by pixel gives, also
    // where the area reaches past the view and the image.
    const types::rect area{ -1, -1, 6, 4 };
    const std::vector<CColor> colors = surface.GetPixels( area );
    ASSERT_EQ( 24u, colors.size() );
    for( int y = area.y; y < area.y + area.h; ++y )
    {
        for( int x = area.x; x < area.x + area.w; ++x )
            EXPECT_EQ( surface.GetPixel( x, y ), colors[ ( y - area.y ) * area.w + x - area.x ] ) << x << "," << y;
    }

    surface.PutPixel( 3, 0, CColor( 9, 9, 9 ) );
    surface.PutPixel( 0, 0, CColor( 9, 9, 9 ) );
    EXPECT_EQ( CColor( 9, 9, 9 ), test::PixelOf( surface.GetRawImage(), 2, 1 ) );
    EXPECT_EQ( test::PatternColor( 5, 1 ).r, test::PixelOf( surface.GetRawImage(), 5, 1 ).r );

    // The view image holds just the view, and follows changes.
    SDL_Surface* view = surface.GetViewImage();
    ASSERT_NE( nullptr, view );
    EXPECT_EQ( 3, view->w );
    EXPECT_EQ( CColor( 9, 9, 9 ), test::PixelOf( view, 0, 0 ) );
    surface.PutPixel( 1, 0, CColor( 7, 7, 7 ) );
    EXPECT_EQ( CColor( 7, 7, 7 ), test::PixelOf( surface.GetViewImage(), 1, 0 ) );
}

TEST_F( SurfaceTest, ClearMakesThirtyTwoBitAreasTransparentBlack )
{
    CSurfaceSDL deep = Make( 4, 4, 33, 0xffffffff );
    deep.Clear( types::rect{ 2, 2, 10, 10 } );
    EXPECT_EQ( 0u, Raw( deep, 3, 3 ) );
    EXPECT_EQ( 0xffffffffu, Raw( deep, 1, 3 ) );

    CSurfaceSDL shallow = Make( 4, 4, 16, 0xffff );
    shallow.Clear( types::rect{ 0, 0, 4, 4 } );
    EXPECT_EQ( 0xffffu, Raw( shallow, 0, 0 ) );
}

// Blits a 4x4 pattern (source area 'from') at 'to' on an 8x8 black target
// and compares every target pixel with where the pattern pixel belongs.
class BlitClipTest : public SurfaceTest,
                     public ::testing::WithParamInterface<std::pair<types::rect, types::rect>>
{
};

TEST_P( BlitClipTest, PixelsLandWhereTheyBelongWhateverEdgeIsCut )
{
    const types::rect from = GetParam().first;
    const types::rect to = GetParam().second;
    CSurfaceSDL source( test::MakePatternSurface( 4, 4, false ) );
    CSurfaceSDL target = Make( 8, 8, 32, 0 );

    EXPECT_TRUE( source.Blit( &target, from, to ) );

    for( int y = 0; y < 8; ++y )
    {
        for( int x = 0; x < 8; ++x )
        {
            const int sx = x - to.x + from.x;
            const int sy = y - to.y + from.y;
            const bool inside = x >= to.x && y >= to.y && x < to.x + to.w && y < to.y + to.h && sx >= from.x &&
                                sy >= from.y && sx < from.x + from.w && sy < from.y + from.h && sx >= 0 && sy >= 0 &&
                                sx < 4 && sy < 4;
            CColor expected = inside ? test::PatternColor( sx, sy ) : CColor( 0, 0, 0 );
            expected.a = 255;
            ASSERT_EQ( expected, target.GetPixel( x, y ) ) << "at " << x << "," << y;
        }
    }
}

std::string BlitCaseName( const ::testing::TestParamInfo<BlitClipTest::ParamType>& info )
{
    static const char* const names[] = { "Inside",        "Left",          "Top",
                                         "Right",         "Bottom",        "AllAround",
                                         "SourceLeftTop", "SourceRightBottom", "BothAreasSmall",
                                         "Outside" };
    return names[ info.index ];
}

INSTANTIATE_TEST_SUITE_P(
    EveryEdge, BlitClipTest,
    ::testing::Values( std::make_pair( types::rect{ 0, 0, 4, 4 }, types::rect{ 2, 2, 4, 4 } ),   // inside
                       std::make_pair( types::rect{ 0, 0, 4, 4 }, types::rect{ -2, 1, 4, 4 } ),  // left
                       std::make_pair( types::rect{ 0, 0, 4, 4 }, types::rect{ 1, -3, 4, 4 } ),  // top
                       std::make_pair( types::rect{ 0, 0, 4, 4 }, types::rect{ 6, 2, 4, 4 } ),   // right
                       std::make_pair( types::rect{ 0, 0, 4, 4 }, types::rect{ 3, 7, 4, 4 } ),   // bottom
                       std::make_pair( types::rect{ 0, 0, 4, 4 }, types::rect{ -1, -1, 10, 10 } ),
                       std::make_pair( types::rect{ -2, -1, 4, 4 }, types::rect{ 1, 1, 4, 4 } ), // source cut
                       std::make_pair( types::rect{ 2, 3, 4, 4 }, types::rect{ 5, 5, 4, 4 } ),
                       std::make_pair( types::rect{ 1, 1, 2, 2 }, types::rect{ 0, 0, 3, 1 } ),
                       std::make_pair( types::rect{ 0, 0, 4, 4 }, types::rect{ 9, 0, 4, 4 } ) ),
    BlitCaseName );

TEST_F( SurfaceTest, BlitsStayInsideBothViews )
{
    CSurfaceSDL source( test::MakePatternSurface( 6, 6, false ) );
    source.SetViewRect( types::rect{ 1, 1, 2, 2 } );
    CSurfaceSDL target = Make( 6, 6, 32, 0 );
    target.SetViewRect( types::rect{ 2, 2, 3, 3 } );

    source.Blit( &target, types::rect{ 0, 0, 4, 4 }, types::rect{ 2, -1, 4, 4 } );

    SDL_Surface* image = target.GetRawImage();
    // Only view pixel (2, 0) of the target, image (4, 2), can be reached by
    // source view pixels (0, 1) = image (1, 2).
    EXPECT_EQ( test::PatternColor( 1, 2 ).r, test::PixelOf( image, 4, 2 ).r );
    EXPECT_EQ( 0, test::PixelOf( image, 4, 3 ).r );
    EXPECT_EQ( 0, test::PixelOf( image, 5, 2 ).r );
    EXPECT_EQ( 0, test::PixelOf( image, 4, 1 ).r );
}

TEST_F( SurfaceTest, BlitsAtTheIntLimitsDrawNothingAndDoNotWrapAround )
{
    const int most = std::numeric_limits<int>::max();
    const int least = std::numeric_limits<int>::min();
    // Views on both sides: the offsets are added to the far-out coordinates.
    CSurfaceSDL source( test::MakePatternSurface( 6, 6, false ) );
    source.SetViewRect( types::rect{ 1, 1, 4, 4 } );
    CSurfaceSDL target = Make( 6, 6, 32, 0 );
    target.SetViewRect( types::rect{ 2, 2, 3, 3 } );

    const std::pair<types::rect, types::rect> cases[] = {
        { types::rect{ 0, 0, 4, 4 }, types::rect{ most, most, 4, 4 } },
        { types::rect{ 0, 0, 4, 4 }, types::rect{ most - 1, 0, most, 4 } },
        { types::rect{ 0, 0, 4, 4 }, types::rect{ least, least, 4, 4 } },
        { types::rect{ 0, 0, 4, 4 }, types::rect{ least + 1, 0, most, 4 } },
        { types::rect{ least, least, 4, 4 }, types::rect{ 0, 0, 4, 4 } },
        { types::rect{ most, 0, 4, 4 }, types::rect{ least, 0, 4, 4 } },
        { types::rect{ least, 0, most, 4 }, types::rect{ most, 0, most, 4 } },
    };
    for( const auto& [ from, to ] : cases )
    {
        EXPECT_TRUE( source.Blit( &target, from, to ) ) << from.x << " -> " << to.x;
        for( int y = 0; y < 6; ++y )
            for( int x = 0; x < 6; ++x )
                ASSERT_EQ( 0u, Raw( target, x, y ) )
                    << "pixel " << x << "," << y << " from " << from.x << " -> " << to.x;
    }

    // Areas reaching in from far left still put pixels where they belong:
    // view pixel (0, 0) of the target takes source view pixel (3, 0).
    source.Blit( &target, types::rect{ least + 10, 0, most, 1 }, types::rect{ least + 7, 0, most, 1 } );
    EXPECT_EQ( test::PatternColor( 4, 1 ).r, test::PixelOf( target.GetRawImage(), 2, 2 ).r );
}

TEST_F( SurfaceTest, RawCopyTargetsTakePixelsAlphaIncluded )
{
    SDL_Surface* translucent =
        SDL_CreateRGBSurface( SDL_SWSURFACE, 2, 1, 32, 0xff0000, 0xff00, 0xff, 0xff000000 );
    SDL_FillRect( translucent, nullptr, 0x80ff0000 ); // red, alpha 128
    CSurfaceSDL source( translucent );

    auto blended = Make( 2, 1, 33, 0xff0000ff );
    source.Blit( &blended );
    EXPECT_EQ( 255, blended.GetPixel( 0, 0 ).a ) << "an ordinary blit blends and keeps the target's alpha";
    EXPECT_NE( 0x80ff0000u, Raw( blended, 0, 0 ) );

    auto raw = Make( 2, 1, 33, 0xff0000ff );
    raw.SetOption( CSurface::OPTION_RAW_COPY, 1 );
    EXPECT_TRUE( source.Blit( &raw ) );
    EXPECT_EQ( 0x80ff0000u, Raw( raw, 1, 0 ) );

    auto shallow = Make( 2, 1, 16, 0 );
    shallow.SetOption( CSurface::OPTION_RAW_COPY, 1 );
    EXPECT_FALSE( source.Blit( &shallow ) ) << "raw copies need 4 bytes a pixel on both sides";
    EXPECT_EQ( 0u, Raw( shallow, 0, 0 ) );
}

TEST_F( SurfaceTest, DerivedSurfacesComeFromTheView )
{
    CSurfaceSDL surface( test::MakePatternSurface( 8, 4, true ) );
    surface.SetViewRect( types::rect{ 4, 0, 4, 2 } );

    auto copy = surface.Copy();
    ASSERT_FALSE( copy->IsNull() );
    EXPECT_EQ( 8, copy->GetFullWidth() );
    EXPECT_EQ( surface.GetViewRect(), copy->GetViewRect() );
    EXPECT_EQ( surface.GetPixel( 1, 1 ), copy->GetPixel( 1, 1 ) );
    copy->PutPixel( 1, 1, CColor( 1, 1, 1 ) );
    EXPECT_NE( CColor( 1, 1, 1 ), surface.GetPixel( 1, 1 ) );

    auto faded = surface.CopyWithAlpha( 128 );
    EXPECT_EQ( 4, faded->GetWidth() );
    const CColor original = surface.GetPixel( 2, 1 );
    EXPECT_EQ( original.a * 128 / 255, faded->GetPixel( 2, 1 ).a );
    EXPECT_EQ( original.r, faded->GetPixel( 2, 1 ).r );

    auto scaled = surface.Scale( 8, 6 );
    EXPECT_EQ( 8, scaled->GetWidth() );
    EXPECT_EQ( 6, scaled->GetHeight() );

    auto turned = surface.Rotate( 90 );
    ASSERT_FALSE( turned->IsNull() );
    EXPECT_GE( turned->GetHeight(), surface.GetWidth() ) << "the view stands upright";
}

TEST_F( SurfaceTest, SurfacesCastOnlyToTheirOwnKind )
{
    CSurfaceSDL sdl;
    CNullSurface none;
    EXPECT_EQ( &sdl, gfx_cast<CSurfaceSDL>( static_cast<CSurface*>( &sdl ) ) );
    EXPECT_EQ( nullptr, gfx_cast<CSurfaceSDL>( static_cast<CSurface*>( &none ) ) );
    EXPECT_EQ( 1, sdl.GetType() );
    EXPECT_TRUE( sdl.IsEmpty() );
    EXPECT_TRUE( none.IsNull() );
}

TEST_F( SurfaceTest, ColoursScaleWithinTheViewAndKeepTheirAlpha )
{
    CSurfaceSDL surface = Make( 3, 1, 33, 0x80c86432 ); // 200, 100, 50, alpha 128
    surface.SetViewRect( types::rect{ 1, 0, 2, 1 } );

    surface.ScaleColors( 1.0, 0.5, 9.0 / 8.0 );

    EXPECT_EQ( CColor( 200, 50, 56, 128 ), surface.GetPixel( 0, 0 ) ) << "50 * 9 / 8 = 56.25, truncated";
    surface.SetViewRect( types::rect{ 0, 0, 3, 1 } );
    EXPECT_EQ( CColor( 200, 100, 50, 128 ), surface.GetPixel( 0, 0 ) ) << "outside the view";

    CSurfaceSDL bright = Make( 1, 1, 32, 0x00f0f0f0 );
    bright.ScaleColors( 9.0 / 8.0, 0.0, -1.0 );
    EXPECT_EQ( CColor( 255, 0, 0 ), bright.GetPixel( 0, 0 ) ) << "results stay within 0 to 255";
}

// An opaque display-format buffer (as Gfx makes and loads them) keyed on
// magenta: red everywhere but a magenta top-left pixel.
static std::unique_ptr<CSurface> KeyedRedBuffer()
{
    std::unique_ptr<CSurface> buffer = Gfx::NewBuffer( 2, 2, CColor( 255, 0, 255 ) );
    for( int y = 0; y < 2; ++y )
    {
        for( int x = 0; x < 2; ++x )
            buffer->PutPixel( x, y, CColor( 255, 0, 0 ) );
    }
    buffer->PutPixel( 0, 0, CColor( 255, 0, 255 ) );
    return buffer;
}

TEST_F( SurfaceTest, CopiesOfOpaqueSurfacesStayVisibleAndKeepTheKeyTransparent )
{
    std::unique_ptr<CSurface> opaque = KeyedRedBuffer();

    std::unique_ptr<CSurface> copy = opaque->Copy();
    ASSERT_FALSE( copy->IsNull() );
    EXPECT_EQ( CColor( 255, 0, 0, 255 ), copy->GetPixel( 1, 0 ) ) << "opaque pixels are opaque in the copy";
    EXPECT_EQ( CColor( 255, 0, 0, 255 ), copy->GetPixel( 1, 1 ) );
    EXPECT_EQ( 0, copy->GetPixel( 0, 0 ).a ) << "the key colour is see-through in the copy";

    CSurfaceSDL target = Make( 2, 2, 32, 0x000000ff ); // blue
    copy->Blit( &target );
    EXPECT_EQ( CColor( 0, 0, 255 ), target.GetPixel( 0, 0 ) );
    EXPECT_EQ( CColor( 255, 0, 0 ), target.GetPixel( 1, 0 ) );
    EXPECT_EQ( CColor( 255, 0, 0 ), target.GetPixel( 0, 1 ) );
}

TEST_F( SurfaceTest, CopiesOfAlphaSurfacesKeepEveryPixelVerbatim )
{
    SDL_Surface* translucent = SDL_CreateRGBSurface( SDL_SWSURFACE, 2, 1, 32, 0xff0000, 0xff00, 0xff, 0xff000000 );
    SDL_FillRect( translucent, nullptr, 0x80ff0000 ); // red, alpha 128
    CSurfaceSDL source( translucent );

    std::unique_ptr<CSurface> copy = source.Copy();
    EXPECT_EQ( CColor( 255, 0, 0, 128 ), copy->GetPixel( 0, 0 ) );
    EXPECT_EQ( CColor( 255, 0, 0, 128 ), copy->GetPixel( 1, 0 ) );
}

TEST_F( SurfaceTest, ScalingAKeyedOpaqueImageKeepsTheKeyTransparent )
{
    std::unique_ptr<CSurface> opaque = KeyedRedBuffer();

    std::unique_ptr<CSurface> scaled = opaque->Scale( 4, 4 );
    ASSERT_EQ( 4, scaled->GetWidth() );
    ASSERT_EQ( 4, scaled->GetHeight() );

    CSurfaceSDL target = Make( 4, 4, 32, 0x000000ff ); // blue
    scaled->Blit( &target );
    for( int y = 0; y < 4; ++y )
    {
        for( int x = 0; x < 4; ++x )
        {
            const CColor expected = x < 2 && y < 2 ? CColor( 0, 0, 255 ) : CColor( 255, 0, 0 );
            EXPECT_EQ( expected, target.GetPixel( x, y ) ) << "at " << x << "," << y;
        }
    }
}
