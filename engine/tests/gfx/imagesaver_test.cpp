// Saving surfaces as TGA and BMP files and reading them back with SDL_image;
// a save that cannot be completed leaves no file behind.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <SDL.h>
#include <SDL_image.h>
#include <sys/resource.h>

#include "support/sdltestsupport.h"
#include "support/testsupport.h"
#include "tarn/gfx/sdl/csurfacesdl.h"

using namespace tarn;

namespace {

class ImageSaverTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        dir = test::MakeTempDir( "imagesaver" );
    }
    void TearDown() override { test::ResetEngine(); }

    std::string RoundTrip( bool alpha, const std::string& name, bool compareAlpha )
    {
        CSurfaceSDL surface( test::MakePatternSurface( 13, 7, alpha ) );
        const std::string file = dir + "/" + name;
        if( !surface.Save( file ) )
            return "save failed";
        SDL_Surface* loaded = IMG_Load( file.c_str() );
        const std::string difference = test::CompareSurfaces( surface.GetRawImage(), loaded, compareAlpha );
        if( loaded && compareAlpha && !loaded->format->Amask )
            return "no alpha channel read back";
        SDL_FreeSurface( loaded );
        return difference;
    }

    test::CVideoMode video;
    std::string dir;
};

} // namespace

TEST_F( ImageSaverTest, TGAFilesReadBackPixelForPixel )
{
    EXPECT_EQ( "", RoundTrip( true, "alpha.tga", true ) );
    EXPECT_EQ( "", RoundTrip( false, "opaque.tga", false ) );

    // 18-byte header: true colour, 13x7, 32 bits, top-left origin with
    // 8 alpha bits.
    const std::string bytes = test::ReadFile( dir + "/alpha.tga" );
    ASSERT_EQ( 18u + 13 * 7 * 4, bytes.size() );
    EXPECT_EQ( std::string( "\0\0\2\0\0\0\0\0\0\0\0\0\x0d\0\x07\0\x20\x28", 18 ), bytes.substr( 0, 18 ) );
    EXPECT_EQ( 18u + 13 * 7 * 3, test::ReadFile( dir + "/opaque.tga" ).size() );
}

TEST_F( ImageSaverTest, PalettedSurfacesSaveTheirPaletteWithTheKeyTransparent )
{
    SDL_Surface* paletted = SDL_CreateRGBSurface( SDL_SWSURFACE, 2, 1, 8, 0, 0, 0, 0 );
    SDL_Color colors[ 2 ] = { { 10, 20, 30, 0 }, { 40, 50, 60, 0 } };
    SDL_SetColors( paletted, colors, 0, 2 );
    SDL_FillRect( paletted, nullptr, 1 );
    SDL_SetColorKey( paletted, SDL_SRCCOLORKEY, 0 );
    CSurfaceSDL surface( paletted );
    ASSERT_TRUE( surface.Save( dir + "/indexed.tga" ) );

    const std::string bytes = test::ReadFile( dir + "/indexed.tga" );
    const int colours = paletted->format->palette->ncolors;
    ASSERT_EQ( 18u + colours * 4 + 2, bytes.size() );
    EXPECT_EQ( std::string( "\0\1\1\0\0", 5 ), bytes.substr( 0, 5 ) );
    EXPECT_EQ( 32, bytes[ 7 ] );
    EXPECT_EQ( 8, bytes[ 16 ] );
    EXPECT_EQ( std::string( "\x1e\x14\x0a\0\x3c\x32\x28\xff", 8 ), bytes.substr( 18, 8 ) );
    EXPECT_EQ( std::string( "\1\1", 2 ), bytes.substr( 18 + colours * 4 ) );
}

TEST_F( ImageSaverTest, BMPFilesKeepTheColours )
{
    EXPECT_EQ( "", RoundTrip( true, "alpha.bmp", false ) );
    EXPECT_EQ( "", RoundTrip( false, "opaque.png", false ) ) << "any other ending is written as BMP";
    EXPECT_EQ( "BM", test::ReadFile( dir + "/opaque.png" ).substr( 0, 2 ) );
}

TEST_F( ImageSaverTest, OnlyTheViewIsSaved )
{
    CSurfaceSDL surface( test::MakePatternSurface( 8, 8, true ) );
    surface.SetViewRect( types::rect{ 2, 3, 4, 2 } );
    ASSERT_TRUE( surface.Save( dir + "/view.tga" ) );
    SDL_Surface* loaded = IMG_Load( ( dir + "/view.tga" ).c_str() );
    ASSERT_NE( nullptr, loaded );
    EXPECT_EQ( "", test::CompareSurfaces( surface.GetViewImage(), loaded, true ) );
    SDL_FreeSurface( loaded );
}

TEST_F( ImageSaverTest, AnUnwritablePathFailsAndLeavesNoFile )
{
    CSurfaceSDL surface( test::MakePatternSurface( 4, 4, false ) );
    test::CLogCapture log;
    const std::string file = dir + "/no/such/dir/out.tga";
    EXPECT_FALSE( surface.Save( file ) );
    EXPECT_FALSE( std::filesystem::exists( file ) );
    ASSERT_EQ( 1u, log.Lines().size() );
    EXPECT_NE( std::string::npos, log.Lines()[ 0 ].find( file ) );
    EXPECT_EQ( 3, log.LinesWithLevels()[ 0 ].second );
}

TEST_F( ImageSaverTest, AWriteCutShortLeavesTheOldFileAndNoPartOfTheNewOne )
{
    const std::string file = dir + "/big.bmp";
    test::WriteFile( file, "old" );
    CSurfaceSDL surface( test::MakePatternSurface( 64, 64, false ) );

    // Let the file system refuse anything past 1000 bytes.
    rlimit saved{};
    getrlimit( RLIMIT_FSIZE, &saved );
    rlimit small = saved;
    small.rlim_cur = 1000;
    auto oldHandler = std::signal( SIGXFSZ, SIG_IGN );
    setrlimit( RLIMIT_FSIZE, &small );
    const bool saved1 = surface.Save( file );
    const bool saved2 = surface.Save( dir + "/big.tga" );
    setrlimit( RLIMIT_FSIZE, &saved );
    std::signal( SIGXFSZ, oldHandler );

    EXPECT_FALSE( saved1 );
    EXPECT_FALSE( saved2 );
    EXPECT_EQ( "old", test::ReadFile( file ) );
    EXPECT_FALSE( std::filesystem::exists( dir + "/big.tga" ) );
    int entries = 0;
    for( const auto& entry : std::filesystem::directory_iterator( dir ) )
    {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ( 1, entries ) << "no temporary file is left";
}
