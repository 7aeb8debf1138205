// Drawing on SDL surfaces: pixels and their blending at every depth, views,
// blits cut at every edge, the raw-copy path and derived surfaces.
#include <gtest/gtest.h>

#include <limits>

#include "gfx/gfxtestsupport.h"
#include "tarn/gfx/sdl/csurfacesdl.h"
#include "tarn/gfx/sdl/pixelaccess.h"

using namespace tarn;
using test::Rows;

namespace {

using SurfaceTest = test::GfxTest;

// A surface of the given depth (33: 32 bits with an alpha channel), every pixel 'fill' (a raw pixel value).
CSurfaceSDL Make( int width, int height, int bits, Uint32 fill )
{
    SDL_Surface* image =
        bits == 16 ? SDL_CreateRGBSurface( SDL_SWSURFACE, width, height, 16, 0xf800, 0x07e0, 0x001f, 0 )
                   : SDL_CreateRGBSurface( SDL_SWSURFACE, width, height, bits == 33 ? 32 : bits, 0xff0000, 0xff00,
                                           0xff, bits == 33 ? 0xff000000 : 0 );
    SDL_FillRect( image, nullptr, fill );
    return CSurfaceSDL( image );
}

Uint32 Raw( const CSurfaceSDL& surface, int x, int y )
{
    return sdl::ReadPixel( surface.GetRawImage(), x, y );
}

struct Edge
{
    const char* name;
    types::rect from;
    types::rect to;
};

using BlitClipTest = ::testing::TestWithParam<Edge>;

bool Inside( const types::rect& r, int x, int y )
{
    return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h;
}

} // namespace

TEST_F( SurfaceTest, PixelsBlendByAlphaAtEveryDepth )
{
    // What, depth, pixel, colour put, pixel then. Each channel: d + floor( ( s - d ) * alpha / 256 ), per mask.
    const std::tuple<const char*, int, Uint32, CColor, Uint32> cases[] = {
        { "alpha 0 keeps the pixel", 32, 0xc86432, CColor( 0, 255, 100, 0 ), 0xc86432 },
        { "half", 32, 0xc86432, CColor( 0, 255, 100, 128 ), 0x64b14b },
        { "alpha 255 replaces the pixel", 32, 0xc86432, CColor( 1, 2, 3, 255 ), 0x010203 },
        { "top channels darken like the low one", 32, 0xffffff, CColor( 0, 0, 0, 128 ), 0x7f7f7f },
        { "towards opaque: alpha 64 + 95", 33, 0x40ff0000, CColor( 0, 0, 255, 128 ), 0x9f7f007f },
        { "24 bits", 24, 0xc86432, CColor( 0, 255, 100, 128 ), 0x64b14b },
        { "5-6-5 bits, alpha 0", 16, 0xffff, CColor( 0, 0, 0, 0 ), 0xffff },
        { "5-6-5 bits: 31 -> 15, 63 -> 31", 16, 0xffff, CColor( 0, 0, 0, 128 ), ( 15u << 11 ) | ( 31u << 5 ) | 15u },
        { "5-6-5 bits, alpha 255", 16, 0xffff, CColor( 255, 0, 255, 255 ), 0xf81f },
    };
    for( const auto& [ what, bits, fill, put, expected ] : cases )
    {
        CSurfaceSDL surface = Make( 1, 1, bits, fill );
        surface.PutPixel( 0, 0, put );
        EXPECT_EQ( expected, Raw( surface, 0, 0 ) ) << what;
    }
    SDL_Surface* paletted = SDL_CreateRGBSurface( SDL_SWSURFACE, 1, 1, 8, 0, 0, 0, 0 );
    SDL_Color colors[ 3 ] = { { 0, 0, 0, 0 }, { 200, 200, 200, 0 }, { 100, 100, 100, 0 } };
    SDL_SetColors( paletted, colors, 0, 3 );
    SDL_FillRect( paletted, nullptr, 1 );
    CSurfaceSDL indexed( paletted );
    indexed.PutPixel( 0, 0, CColor( 0, 0, 0, 128 ) );
    EXPECT_EQ( 2u, Raw( indexed, 0, 0 ) ) << "200 -> 100: the palette's nearest colour";
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
    const std::vector<CColor> colors = surface.GetPixels( types::rect{ -1, -1, 6, 4 } );
    ASSERT_EQ( 24u, colors.size() );
    for( int y = -1; y < 3; ++y )
        for( int x = -1; x < 5; ++x )
            EXPECT_EQ( surface.GetPixel( x, y ), colors[ ( y + 1 ) * 6 + x + 1 ] ) << x << "," << y;
    surface.PutPixel( 3, 0, CColor( 9, 9, 9 ) );
    surface.PutPixel( 0, 0, CColor( 9, 9, 9 ) );
    EXPECT_EQ( CColor( 9, 9, 9 ), test::PixelOf( surface.GetRawImage(), 2, 1 ) );
    EXPECT_EQ( test::PatternColor( 5, 1 ).r, test::PixelOf( surface.GetRawImage(), 5, 1 ).r );
    // The view image holds just the view, and follows changes.
    EXPECT_EQ( 3, surface.GetViewImage()->w );
    EXPECT_EQ( CColor( 9, 9, 9 ), test::PixelOf( surface.GetViewImage(), 0, 0 ) );
    surface.PutPixel( 1, 0, CColor( 7, 7, 7 ) );
    EXPECT_EQ( CColor( 7, 7, 7 ), test::PixelOf( surface.GetViewImage(), 1, 0 ) );
    // Clearing makes 32-bit areas transparent black, and leaves others.
    CSurfaceSDL deep = Make( 4, 4, 33, 0xffffffff );
    deep.Clear( types::rect{ 2, 2, 10, 10 } );
    EXPECT_EQ( 0u, Raw( deep, 3, 3 ) );
    EXPECT_EQ( 0xffffffffu, Raw( deep, 1, 3 ) );
    CSurfaceSDL shallow = Make( 4, 4, 16, 0xffff );
    shallow.Clear( types::rect{ 0, 0, 4, 4 } );
    EXPECT_EQ( 0xffffu, Raw( shallow, 0, 0 ) );
}

// Blits a 4x4 pattern (source area 'from') at 'to' on an 8x8 black target:
// every target pixel must be where the pattern pixel belongs.
TEST_P( BlitClipTest, PixelsLandWhereTheyBelongWhateverEdgeIsCut )
{
    const types::rect from = GetParam().from;
    const types::rect to = GetParam().to;
    CSurfaceSDL source( test::MakePatternSurface( 4, 4, false ) );
    CSurfaceSDL target = Make( 8, 8, 32, 0 );
    EXPECT_TRUE( source.Blit( &target, from, to ) );
    for( int y = 0; y < 8; ++y )
    {
        for( int x = 0; x < 8; ++x )
        {
            const int sx = x - to.x + from.x;
            const int sy = y - to.y + from.y;
            const bool inside = Inside( to, x, y ) && Inside( from, sx, sy ) && Inside( { 0, 0, 4, 4 }, sx, sy );
            CColor expected = inside ? test::PatternColor( sx, sy ) : CColor( 0, 0, 0 );
            expected.a = 255;
            ASSERT_EQ( expected, target.GetPixel( x, y ) ) << "at " << x << "," << y;
        }
    }
}

const Edge EDGES[] = {
    { "Inside", { 0, 0, 4, 4 }, { 2, 2, 4, 4 } },          { "Left", { 0, 0, 4, 4 }, { -2, 1, 4, 4 } },
    { "Top", { 0, 0, 4, 4 }, { 1, -3, 4, 4 } },            { "Right", { 0, 0, 4, 4 }, { 6, 2, 4, 4 } },
    { "Bottom", { 0, 0, 4, 4 }, { 3, 7, 4, 4 } },          { "AllAround", { 0, 0, 4, 4 }, { -1, -1, 10, 10 } },
    { "SourceLeftTop", { -2, -1, 4, 4 }, { 1, 1, 4, 4 } }, { "SourceRightBottom", { 2, 3, 4, 4 }, { 5, 5, 4, 4 } },
    { "BothAreasSmall", { 1, 1, 2, 2 }, { 0, 0, 3, 1 } },  { "Outside", { 0, 0, 4, 4 }, { 9, 0, 4, 4 } },
};
INSTANTIATE_TEST_SUITE_P( EveryEdge, BlitClipTest, ::testing::ValuesIn( EDGES ),
                          []( const auto& info ) { return std::string( info.param.name ); } );

TEST_F( SurfaceTest, BlitsStayInsideBothViewsAlsoAtTheIntLimits )
{
    CSurfaceSDL source( test::MakePatternSurface( 6, 6, false ) );
    source.SetViewRect( types::rect{ 1, 1, 2, 2 } );
    CSurfaceSDL target = Make( 6, 6, 32, 0 );
    target.SetViewRect( types::rect{ 2, 2, 3, 3 } );
    source.Blit( &target, types::rect{ 0, 0, 4, 4 }, types::rect{ 2, -1, 4, 4 } );
    // Only view pixel (2, 0) of the target, image (4, 2), can be reached by source view pixels (0, 1) = image (1, 2).
    for( int y = 0; y < 6; ++y )
        for( int x = 0; x < 6; ++x )
            EXPECT_EQ( x == 4 && y == 2 ? test::PatternColor( 1, 2 ).r : 0,
                       test::PixelOf( target.GetRawImage(), x, y ).r ) << x << "," << y;
    // Far-out areas draw nothing and do not wrap around: the views' offsets are added to them.
    const int most = std::numeric_limits<int>::max();
    const int least = std::numeric_limits<int>::min();
    source.SetViewRect( types::rect{ 1, 1, 4, 4 } );
    CSurfaceSDL empty = Make( 6, 6, 32, 0 );
    empty.SetViewRect( types::rect{ 2, 2, 3, 3 } );
    const std::pair<types::rect, types::rect> cases[] = {
        { { 0, 0, 4, 4 }, { most, most, 4, 4 } },   { { 0, 0, 4, 4 }, { most - 1, 0, most, 4 } },
        { { 0, 0, 4, 4 }, { least, least, 4, 4 } }, { { 0, 0, 4, 4 }, { least + 1, 0, most, 4 } },
        { { least, least, 4, 4 }, { 0, 0, 4, 4 } }, { { most, 0, 4, 4 }, { least, 0, 4, 4 } },
        { { least, 0, most, 4 }, { most, 0, most, 4 } },
    };
    for( const auto& [ from, to ] : cases )
    {
        EXPECT_TRUE( source.Blit( &empty, from, to ) ) << from.x << " -> " << to.x;
        for( int y = 0; y < 6; ++y )
            for( int x = 0; x < 6; ++x )
                ASSERT_EQ( 0u, Raw( empty, x, y ) ) << x << "," << y << " from " << from.x << " -> " << to.x;
    }
    // Areas reaching in from far left still put pixels where they belong:
    // view pixel (0, 0) of the target takes source view pixel (3, 0).
    source.Blit( &empty, types::rect{ least + 10, 0, most, 1 }, types::rect{ least + 7, 0, most, 1 } );
    EXPECT_EQ( test::PatternColor( 4, 1 ).r, test::PixelOf( empty.GetRawImage(), 2, 2 ).r );
}

TEST_F( SurfaceTest, TranslucentPixelsAreCopiedVerbatimButBlendedWhenBlitted )
{
    CSurfaceSDL source = Make( 2, 1, 33, 0x80ff0000 ); // red, alpha 128
    EXPECT_EQ( CColor( 255, 0, 0, 128 ), source.Copy()->GetPixel( 1, 0 ) );
    CSurfaceSDL blended = Make( 2, 1, 33, 0xff0000ff );
    source.Blit( &blended );
    EXPECT_EQ( CColor( 127, 0, 127, 255 ), blended.GetPixel( 0, 0 ) ) << "blended, keeping the target's alpha";
    CSurfaceSDL raw = Make( 2, 1, 33, 0xff0000ff );
    raw.SetOption( CSurface::OPTION_RAW_COPY, 1 );
    EXPECT_TRUE( source.Blit( &raw ) );
    EXPECT_EQ( 0x80ff0000u, Raw( raw, 1, 0 ) );
    CSurfaceSDL shallow = Make( 2, 1, 16, 0 );
    shallow.SetOption( CSurface::OPTION_RAW_COPY, 1 );
    EXPECT_FALSE( source.Blit( &shallow ) ) << "raw copies need 4 bytes a pixel on both sides";
    EXPECT_EQ( 0u, Raw( shallow, 0, 0 ) );
}

TEST_F( SurfaceTest, DerivedSurfacesComeFromTheView )
{
    CSurfaceSDL surface( test::MakePatternSurface( 8, 4, true ) );
    surface.SetViewRect( types::rect{ 4, 0, 4, 2 } );
    auto copy = surface.Copy();
    EXPECT_EQ( 8, copy->GetFullWidth() );
    EXPECT_EQ( surface.GetViewRect(), copy->GetViewRect() );
    EXPECT_EQ( surface.GetPixel( 1, 1 ), copy->GetPixel( 1, 1 ) );
    copy->PutPixel( 1, 1, CColor( 1, 1, 1 ) );
    EXPECT_NE( CColor( 1, 1, 1 ), surface.GetPixel( 1, 1 ) );
    auto faded = surface.CopyWithAlpha( 128 );
    EXPECT_EQ( surface.GetPixel( 2, 1 ).a * 128 / 255, faded->GetPixel( 2, 1 ).a );
    EXPECT_EQ( surface.GetPixel( 2, 1 ).r, faded->GetPixel( 2, 1 ).r );
    EXPECT_GE( surface.Rotate( 90 )->GetHeight(), surface.GetWidth() ) << "the view stands upright";
}

// Gfx makes and loads opaque display-format buffers keyed on magenta.
TEST_F( SurfaceTest, CopiesAndScalingsOfOpaqueSurfacesStayVisibleAndKeepTheKeyTransparent )
{
    std::unique_ptr<CSurface> opaque = Gfx::NewBuffer( 2, 2, CColor( 255, 0, 255 ) );
    for( int y = 0; y < 2; ++y )
        for( int x = 0; x < 2; ++x )
            opaque->PutPixel( x, y, x + y == 0 ? CColor( 255, 0, 255 ) : CColor( 255, 0, 0 ) );
    std::unique_ptr<CSurface> copy = opaque->Copy();
    EXPECT_EQ( ( Rows{ ".r", "rr" } ), test::Picture( *copy ) ) << "only the key colour is see-through";
    CSurfaceSDL copyTarget = Make( 2, 2, 32, 0x000000ff ); // blue
    copy->Blit( &copyTarget );
    EXPECT_EQ( ( Rows{ "br", "rr" } ), test::Picture( copyTarget ) );
    CSurfaceSDL scaledTarget = Make( 4, 4, 32, 0x000000ff );
    opaque->Scale( 4, 4 )->Blit( &scaledTarget );
    EXPECT_EQ( ( Rows{ "bbrr", "bbrr", "rrrr", "rrrr" } ), test::Picture( scaledTarget ) );
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
