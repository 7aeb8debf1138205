// Pictures larger than the engine loads: refused from the size their file's
// header states, before any decoding, or right after decoding for formats
// whose header is not read; each with the file and its size in the log.
#include <gtest/gtest.h>

#include <SDL.h>

#include <string>
#include <vector>

#include "support/sdltestsupport.h"
#include "support/testsupport.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/imagelimits.h"
#include "tarn/gfx/sdl/cgfxfactorysdl.h"

using namespace tarn;
using Lines = std::vector<std::string>;

namespace {

const CColor MAGENTA( 255, 0, 255 );

std::string BigEndian32( long long value )
{
    std::string bytes;
    for( int shift = 24; shift >= 0; shift -= 8 )
        bytes += static_cast<char>( ( value >> shift ) & 0xff );
    return bytes;
}

std::string LittleEndian( long long value, int count )
{
    std::string bytes;
    for( int i = 0; i < count; ++i )
        bytes += static_cast<char>( ( value >> ( 8 * i ) ) & 0xff );
    return bytes;
}

// Only the headers of pictures: enough to state a size, nothing to decode.
std::string PngHeader( long long width, long long height )
{
    return std::string( "\x89PNG\r\n\x1a\n", 8 ) + BigEndian32( 13 ) + "IHDR" + BigEndian32( width )
           + BigEndian32( height ) + std::string( "\x08\x02\0\0\0", 5 ) + BigEndian32( 0 );
}

std::string BmpHeader( long long width, long long height )
{
    return "BM" + LittleEndian( 0, 4 ) + LittleEndian( 0, 4 ) + LittleEndian( 54, 4 ) + LittleEndian( 40, 4 )
           + LittleEndian( width, 4 ) + LittleEndian( height, 4 ) + LittleEndian( 1, 2 ) + LittleEndian( 24, 2 );
}

// A JFIF marker segment before the frame, as cameras and editors write.
std::string JpegHeader( long long width, long long height )
{
    const std::string app0 = std::string( "\xff\xe0\0\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 18 );
    const std::string frame = std::string( "\xff\xc0\0\x11\x08", 5 ) + static_cast<char>( height >> 8 )
                              + static_cast<char>( height & 0xff ) + static_cast<char>( width >> 8 )
                              + static_cast<char>( width & 0xff ) + "\x03";
    return std::string( "\xff\xd8", 2 ) + app0 + frame;
}

// A real, decodable picture in a format whose header the engine does not
// read: uncompressed 24-bit TGA.
std::string Tga( int width, int height )
{
    return std::string( "\0\0\x02\0\0\0\0\0\0\0\0\0", 12 ) + LittleEndian( width, 2 ) + LittleEndian( height, 2 )
           + std::string( "\x18\0", 2 ) + std::string( static_cast<std::size_t>( width ) * height * 3, '\x40' );
}

std::string Refusal( const std::string& file, long long width, long long height )
{
    return "Image " + file + " is " + std::to_string( width ) + "x" + std::to_string( height )
           + " pixels, larger than the 8192 pixels a side and 16777216 pixels in all the engine loads; not loaded";
}

// What loading a picture through the graphics factory logs when its size,
// read from the file before decoding, is too large.
std::string LoadRefusal( const std::string& file, long long width, long long height )
{
    return "Could not load image " + file + ": an image of " + std::to_string( width ) + "x" +
           std::to_string( height ) + " pixels is empty or too large";
}

class ImageLimitsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        dir = test::MakeTempDir( "image_limits" );
        Gfx::SetFactory( &factory );
    }

    void TearDown() override { test::ResetEngine(); }

    std::string Write( const std::string& name, const std::string& bytes )
    {
        test::WriteFile( dir + "/" + name, bytes );
        return dir + "/" + name;
    }

    test::CVideoMode video;
    CGfxFactorySDL factory;
    std::string dir;
};

} // namespace

TEST_F( ImageLimitsTest, ReadsTheSizeFromPngBmpAndJpegHeaders )
{
    const auto png = ReadImageHeaderSize( Write( "a.png", PngHeader( 70000, 3 ) ) );
    ASSERT_TRUE( png );
    EXPECT_EQ( png->width, 70000 );
    EXPECT_EQ( png->height, 3 );

    // Rows stored top down give a negative height.
    const auto bmp = ReadImageHeaderSize( Write( "a.bmp", BmpHeader( 9000, -40 ) ) );
    ASSERT_TRUE( bmp );
    EXPECT_EQ( bmp->width, 9000 );
    EXPECT_EQ( bmp->height, 40 );

    const auto jpeg = ReadImageHeaderSize( Write( "a.jpg", JpegHeader( 640, 480 ) ) );
    ASSERT_TRUE( jpeg );
    EXPECT_EQ( jpeg->width, 640 );
    EXPECT_EQ( jpeg->height, 480 );

    EXPECT_FALSE( ReadImageHeaderSize( Write( "a.tga", Tga( 2, 2 ) ) ) );
    EXPECT_FALSE( ReadImageHeaderSize( Write( "cut.png", PngHeader( 1, 1 ).substr( 0, 20 ) ) ) );
    EXPECT_FALSE( ReadImageHeaderSize( dir + "/missing.png" ) );
}

TEST_F( ImageLimitsTest, AllowsUpTo8192PixelsASideAnd16MegapixelsInAll )
{
    test::CLogCapture log;
    EXPECT_TRUE( CheckImageSize( "side.png", MAX_IMAGE_SIDE, 2048 ) );
    EXPECT_TRUE( CheckImageSize( "square.png", 4096, 4096 ) );
    EXPECT_TRUE( log.Lines().empty() );

    EXPECT_FALSE( CheckImageSize( "wide.png", MAX_IMAGE_SIDE + 1, 1 ) );
    EXPECT_FALSE( CheckImageSize( "tall.png", 1, MAX_IMAGE_SIDE + 1 ) );
    EXPECT_FALSE( CheckImageSize( "many.png", 4097, 4096 ) );
    EXPECT_FALSE( CheckImageSize( "huge.png", 100000, 100000 ) );
    EXPECT_FALSE( CheckImageSize( "largest.png", 4294967295LL, 4294967295LL ) );
    EXPECT_EQ( log.Lines(), ( Lines{ Refusal( "wide.png", 8193, 1 ), Refusal( "tall.png", 1, 8193 ),
                                     Refusal( "many.png", 4097, 4096 ), Refusal( "huge.png", 100000, 100000 ),
                                     Refusal( "largest.png", 4294967295LL, 4294967295LL ) } ) );
}

// The header-only files would fail to decode: a refusal without a decoder
// error shows the decoder was never tried.
TEST_F( ImageLimitsTest, LoadingRefusesOversizedPicturesBeforeDecodingThem )
{
    test::CLogCapture log;
    const std::string png = Write( "wide.png", PngHeader( MAX_IMAGE_SIDE + 1, 1 ) );
    const std::string bmp = Write( "huge.bmp", BmpHeader( 100000, 100000 ) );
    const std::string jpeg = Write( "huge.jpg", JpegHeader( 40000, 40000 ) );
    EXPECT_TRUE( Gfx::LoadImage( png, MAGENTA )->IsNull() );
    EXPECT_TRUE( Gfx::LoadImage( bmp, MAGENTA )->IsNull() );
    EXPECT_TRUE( Gfx::LoadImage( jpeg, MAGENTA )->IsNull() );
    EXPECT_EQ( log.Lines(), ( Lines{ LoadRefusal( png, 8193, 1 ), LoadRefusal( bmp, 100000, 100000 ),
                                     LoadRefusal( jpeg, 40000, 40000 ) } ) );
}

TEST_F( ImageLimitsTest, LoadsPicturesAtTheLimitAndRefusesLargerOnes )
{
    SDL_Surface* widest = test::MakePatternSurface( MAX_IMAGE_SIDE, 1, false );
    const std::string atLimit = dir + "/widest.bmp";
    ASSERT_EQ( SDL_SaveBMP( widest, atLimit.c_str() ), 0 );
    SDL_FreeSurface( widest );
    const std::string tooWide = Write( "wide.tga", Tga( MAX_IMAGE_SIDE + 1, 1 ) );

    test::CLogCapture log;
    const auto loaded = Gfx::LoadImage( atLimit, MAGENTA );
    EXPECT_FALSE( loaded->IsNull() );
    EXPECT_EQ( loaded->GetWidth(), MAX_IMAGE_SIDE );
    EXPECT_TRUE( Gfx::LoadImage( tooWide, MAGENTA )->IsNull() );
    EXPECT_EQ( log.Lines(), ( Lines{ LoadRefusal( tooWide, 8193, 1 ) } ) );
}
