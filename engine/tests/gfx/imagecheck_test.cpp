// The check of image files before they are decoded: whole files of the
// engine's formats pass, files that would hang or flood a decoder do not.
#include <gtest/gtest.h>

#include <string>

#include "support/testsupport.h"
#include "tarn/gfx/sdl/imagecheck.h"

using namespace tarn;

namespace {

std::string Data( const std::string& path )
{
    return test::ReadFile( std::string( TARN_SOURCE_DIR ) + "/" + path );
}

std::string Big32( std::uint32_t v )
{
    return std::string{ char( v >> 24 ), char( v >> 16 ), char( v >> 8 ), char( v ) };
}

std::string Little32( std::uint32_t v )
{
    return std::string{ char( v ), char( v >> 8 ), char( v >> 16 ), char( v >> 24 ) };
}

// A PNG of a header chunk claiming width x height, and an IEND chunk.
std::string Png( std::uint32_t width, std::uint32_t height )
{
    const std::string header = Big32( width ) + Big32( height ) + std::string( "\x08\x06\x00\x00\x00", 5 );
    return std::string( "\x89PNG\r\n\x1a\n", 8 ) + Big32( 13 ) + "IHDR" + header + "CRC!" + Big32( 0 ) + "IEND" +
           "CRC!";
}

std::string Little16( std::uint16_t v )
{
    return std::string{ char( v ), char( v >> 8 ) };
}

// A BMP of a 40-byte info header: one plane of the given depth, and the
// given compression; no pixels.
std::string Bmp( std::int32_t width, std::int32_t height, std::uint16_t bits = 24, std::uint32_t compression = 0 )
{
    return "BM" + std::string( 12, '\0' ) + Little32( 40 ) + Little32( width ) + Little32( height ) + Little16( 1 ) +
           Little16( bits ) + Little32( compression ) + std::string( 20, '\0' );
}

std::string Jpeg( std::uint16_t width, std::uint16_t height )
{
    const std::string app = std::string( "\xff\xe0\x00\x04", 4 ) + "ab";
    const std::string frame = std::string( "\xff\xc0\x00\x11\x08", 5 ) + char( height >> 8 ) + char( height ) +
                              char( width >> 8 ) + char( width ) + std::string( 12, '\0' );
    return std::string( "\xff\xd8" ) + app + frame;
}

} // namespace

TEST( ImageCheck, TheGamesOwnImagesPass )
{
    for( const char* path : { "data/gfx/moth.png", "data/levels/level_01.png", "data/gfx/backdrop_cellar.jpg",
                              "data/gfx/window_icon.bmp", "data/fonts/dialog.png" } )
        EXPECT_EQ( sdl::FindImageFault( Data( path ) ), "" ) << path;
    EXPECT_EQ( sdl::FindImageFault( Png( 8192, 2048 ) ), "" );
    EXPECT_EQ( sdl::FindImageFault( Bmp( 16, -16 ) ), "" );
    EXPECT_EQ( sdl::FindImageFault( Jpeg( 800, 600 ) ), "" );
    // TGA is known by the name only.
    const std::string tga = std::string( 12, '\0' ) + std::string( "\x20\x03\x58\x02\x20\x00", 6 );
    EXPECT_EQ( sdl::FindImageFault( tga, "shot.TGA" ), "" );
    EXPECT_NE( sdl::FindImageFault( tga, "shot.bmp" ), "" );
}

TEST( ImageCheck, CutOrBrokenStructureIsRefused )
{
    const std::string png = Data( "data/gfx/moth.png" );
    EXPECT_NE( sdl::FindImageFault( png.substr( 0, png.size() - 20 ) ), "" );
    EXPECT_EQ( sdl::FindImageFault( png.substr( 0, 60 ) ).find( "PNG chunk" ), 0u );
    EXPECT_NE( sdl::FindImageFault( png.substr( 0, 8 ) + Big32( 4 ) + "IDAT" + "abcdCRC!" + Big32( 0 ) + "IEND" +
                                    "CRC!" ),
               "" );
    EXPECT_NE( sdl::FindImageFault( "BM" ), "" );
    EXPECT_NE( sdl::FindImageFault( std::string( "\xff\xd8\xff\xda\x00\x02", 6 ) ), "" );
    EXPECT_NE( sdl::FindImageFault( std::string( "\xff\xd8\x00\x00", 4 ) ), "" );
    EXPECT_EQ( sdl::FindImageFault( "GIF89a" ), "not a PNG, JPEG, BMP or TGA file" );
    EXPECT_EQ( sdl::FindImageFault( "" ), "not a PNG, JPEG, BMP or TGA file" );
}

TEST( ImageCheck, SizesBeyondTheLimitsAreRefused )
{
    EXPECT_EQ( sdl::FindImageFault( Png( 30000, 30000 ) ), "an image of 30000x30000 pixels is empty or too large" );
    EXPECT_NE( sdl::FindImageFault( Png( 8193, 1 ) ), "" );
    EXPECT_NE( sdl::FindImageFault( Png( 8192, 8192 ) ), "" );
    EXPECT_NE( sdl::FindImageFault( Png( 0, 10 ) ), "" );
    EXPECT_NE( sdl::FindImageFault( Bmp( 100000, 1 ) ), "" );
    EXPECT_NE( sdl::FindImageFault( Bmp( 10, INT32_MIN ) ), "" );
    EXPECT_NE( sdl::FindImageFault( Jpeg( 65535, 65535 ) ), "" );
    EXPECT_NE( sdl::FindImageFault( std::string( 12, '\0' ) + "\xff\xff\xff\xff\x20", "big.tga" ), "" );
    EXPECT_NE( sdl::FindImageFault( std::string( 17, '\0' ), "short.tga" ), "" );
}

// SDL_image reads a BMP's header past the end of a cut file and decodes
// whatever the memory there held: the header must be whole.
TEST( ImageCheck, BmpHeadersMustBeWholeAndOfAKnownDepth )
{
    for( std::uint16_t bits : { 1, 4, 8, 16, 24, 32 } )
        EXPECT_EQ( sdl::FindImageFault( Bmp( 4, 4, bits ) ), "" ) << bits;
    EXPECT_EQ( sdl::FindImageFault( Bmp( 4, 4, 32, 3 ) + std::string( 12, '\xff' ) ), "" ) << "with masks";

    const std::string whole = Bmp( 4, 4 );
    EXPECT_EQ( sdl::FindImageFault( whole.substr( 0, 53 ) ), "BMP file cut short in its header" );
    EXPECT_EQ( sdl::FindImageFault( whole.substr( 0, 28 ) ), "BMP file cut short in its header" );
    EXPECT_EQ( sdl::FindImageFault( Bmp( 4, 4, 32, 3 ) + std::string( 11, '\xff' ) ),
               "BMP file cut short in its colour masks" );
    EXPECT_EQ( sdl::FindImageFault( Bmp( 4, 4, 0 ) ), "BMP file of 0 bits a pixel" );
    EXPECT_EQ( sdl::FindImageFault( Bmp( 4, 4, 2 ) ), "BMP file of 2 bits a pixel" );
    EXPECT_EQ( sdl::FindImageFault( Bmp( 4, 4, 24, 4 ) ), "BMP file of unknown compression 4" );

    // A header longer than the file, and one too short to be an info header.
    std::string longHeader = whole;
    longHeader[ 15 ] = '\x01';
    EXPECT_EQ( sdl::FindImageFault( longHeader ), "BMP file cut short in its header" );
    std::string shortHeader = whole;
    shortHeader[ 14 ] = '\x20';
    EXPECT_EQ( sdl::FindImageFault( shortHeader ), "BMP file with an unknown header of 32 bytes" );

    // The old 12-byte header: depths up to 24 bits.
    const std::string core =
        "BM" + std::string( 12, '\0' ) + Little32( 12 ) + Little16( 4 ) + Little16( 4 ) + Little16( 1 );
    EXPECT_EQ( sdl::FindImageFault( core + Little16( 8 ) ), "" );
    EXPECT_EQ( sdl::FindImageFault( core + Little16( 32 ) ), "BMP file of 32 bits a pixel" );
}
