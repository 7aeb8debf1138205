// Image files: checked before decoding (whole files of the engine's formats pass; cut, broken or oversized ones are
// refused and logged), loaded once through the shared cache, and saved as TGA or BMP without leaving half a file.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <SDL_image.h>
#include <sys/resource.h>

#include "gfx/gfxtestsupport.h"
#include "tarn/gfx/imagelimits.h"
#include "tarn/gfx/sdl/csurfacesdl.h"
#include "tarn/gfx/sdl/ctexturemanager.h"
#include "tarn/gfx/sdl/imagecheck.h"

using namespace tarn;
using sdl::FindImageFault;
using test::Rows;

namespace {

const CColor MAGENTA( 255, 0, 255 );

// v as n bytes, the least significant first (last when big).
std::string Bytes( std::uint32_t v, int n = 4, bool big = false )
{
    std::string text;
    for( int i = 0; i < n; ++i )
        text += char( v >> ( 8 * ( big ? n - 1 - i : i ) ) );
    return text;
}

// A PNG of a header chunk claiming width x height, and an IEND chunk.
std::string Png( std::uint32_t width, std::uint32_t height )
{
    return std::string( "\x89PNG\r\n\x1a\n", 8 ) + Bytes( 13, 4, true ) + "IHDR" + Bytes( width, 4, true ) +
           Bytes( height, 4, true ) + std::string( "\x08\x06\0\0\0", 5 ) + "CRC!" + Bytes( 0 ) + "IEND" + "CRC!";
}

// A BMP of a 40-byte info header: one plane of the given depth and the given compression; no pixels.
std::string Bmp( std::int32_t width, std::int32_t height, std::uint16_t bits = 24, std::uint32_t compression = 0 )
{
    return "BM" + std::string( 12, '\0' ) + Bytes( 40 ) + Bytes( width ) + Bytes( height ) + Bytes( 1, 2 ) +
           Bytes( bits, 2 ) + Bytes( compression ) + std::string( 20, '\0' );
}

std::string Jpeg( std::uint16_t width, std::uint16_t height )
{
    return std::string( "\xff\xd8\xff\xe0\x00\x04" "ab\xff\xc0\x00\x11\x08", 13 ) + char( height >> 8 ) +
           char( height ) + char( width >> 8 ) + char( width ) + std::string( 12, '\0' );
}

// A decodable uncompressed 24-bit TGA (no signature: known by its name).
std::string Tga( int width, int height )
{
    return std::string( "\0\0\x02\0\0\0\0\0\0\0\0\0", 12 ) + Bytes( width, 2 ) + Bytes( height, 2 ) +
           std::string( "\x18\0", 2 ) + std::string( static_cast<std::size_t>( width ) * height * 3, '\x40' );
}

std::string Data( const std::string& path )
{
    return test::ReadFile( std::string( TARN_SOURCE_DIR ) + "/" + path );
}

std::string Refusal( const std::string& file, long long width, long long height )
{
    return "Image " + file + " is " + std::to_string( width ) + "x" + std::to_string( height ) +
           " pixels, larger than the 8192 pixels a side and 16777216 pixels in all the engine loads; not loaded";
}

class ImageFileTest : public test::GfxTest
{
protected:
    void SetUp() override
    {
        test::GfxTest::SetUp();
        SDL_Surface* picture = test::MakePatternSurface( 8, 6, false );
        file = dir + "/picture.bmp";
        SDL_SaveBMP( picture, file.c_str() );
        SDL_FreeSurface( picture );
        cache = CTextureManager::GetSingletonPtr();
    }

    static SDL_Surface* ImageOf( const CSurface& surface ) { return gfx_cast<CSurfaceSDL>( &surface )->GetRawImage(); }
    // Where the saved file, read back, first differs from the surface's view.
    std::string RoundTrip( CSurfaceSDL& surface, const std::string& name, bool compareAlpha )
    {
        if( !surface.Save( dir + "/" + name ) )
            return "save failed";
        SDL_Surface* loaded = IMG_Load( ( dir + "/" + name ).c_str() );
        std::string difference = test::CompareSurfaces( surface.GetViewImage(), loaded, compareAlpha );
        if( loaded && compareAlpha && !loaded->format->Amask )
            difference = "no alpha channel read back";
        SDL_FreeSurface( loaded );
        return difference;
    }

    std::string file;
    CTextureManager* cache = nullptr;
};

} // namespace

TEST_F( ImageFileTest, WholeFilesOfTheEnginesFormatsPassUpToTheSizeLimits )
{
    for( const char* path : { "data/gfx/moth.png", "data/levels/level_01.png", "data/gfx/backdrop_cellar.jpg",
                              "data/gfx/window_icon.bmp", "data/fonts/dialog.png" } )
        EXPECT_EQ( FindImageFault( Data( path ) ), "" ) << path;
    EXPECT_EQ( FindImageFault( Png( 8192, 2048 ) ), "" );
    EXPECT_EQ( FindImageFault( Png( 4096, 4096 ) ), "" );
    EXPECT_EQ( FindImageFault( Bmp( 16, -16 ) ), "" );
    EXPECT_EQ( FindImageFault( Jpeg( 800, 600 ) ), "" );
    // TGA is known by the name only, in any case.
    EXPECT_EQ( FindImageFault( Tga( 2, 2 ), "shot.TGA" ), "" );
    EXPECT_NE( FindImageFault( Tga( 2, 2 ), "shot.bmp" ), "" );
    for( std::uint16_t bits : { 1, 4, 8, 16, 24, 32 } )
        EXPECT_EQ( FindImageFault( Bmp( 4, 4, bits ) ), "" ) << bits;
    EXPECT_EQ( FindImageFault( Bmp( 4, 4, 32, 3 ) + std::string( 12, '\xff' ) ), "" ) << "with masks";
    // One past the side limit in each format: see the loading test.
    EXPECT_EQ( FindImageFault( Png( 1, 8193 ) ), "an image of 1x8193 pixels is empty or too large" );
    EXPECT_NE( FindImageFault( Png( 4097, 4096 ) ), "" );
    EXPECT_NE( FindImageFault( Png( 0, 10 ) ), "" );
    EXPECT_NE( FindImageFault( Bmp( 10, INT32_MIN ) ), "" );
    test::CLogCapture log;
    EXPECT_TRUE( CheckImageSize( "side.png", MAX_IMAGE_SIDE, 2048 ) );
    EXPECT_TRUE( CheckImageSize( "square.png", 4096, 4096 ) );
    EXPECT_FALSE( CheckImageSize( "wide.png", 8193, 1 ) );
    EXPECT_FALSE( CheckImageSize( "tall.png", 1, 8193 ) );
    EXPECT_FALSE( CheckImageSize( "many.png", 4097, 4096 ) );
    EXPECT_FALSE( CheckImageSize( "largest.png", 4294967295LL, 4294967295LL ) );
    EXPECT_EQ( log.Lines(), ( Rows{ Refusal( "wide.png", 8193, 1 ), Refusal( "tall.png", 1, 8193 ),
                                    Refusal( "many.png", 4097, 4096 ),
                                    Refusal( "largest.png", 4294967295LL, 4294967295LL ) } ) );
}

// SDL_image reads a BMP's header past the end of a cut file and decodes
// whatever the memory there held: the header must be whole.
TEST_F( ImageFileTest, CutOrBrokenFilesAreRefused )
{
    const std::string png = Data( "data/gfx/moth.png" );
    EXPECT_NE( FindImageFault( png.substr( 0, png.size() - 20 ) ), "" );
    EXPECT_EQ( FindImageFault( png.substr( 0, 60 ) ).find( "PNG chunk" ), 0u );
    EXPECT_NE( FindImageFault( png.substr( 0, 8 ) + Bytes( 4, 4, true ) + "IDATabcdCRC!" + Bytes( 0 ) + "IENDCRC!" ),
               "" );
    EXPECT_NE( FindImageFault( std::string( "\xff\xd8\xff\xda\x00\x02", 6 ) ), "" );
    EXPECT_NE( FindImageFault( std::string( "\xff\xd8\x00\x00", 4 ) ), "" );
    EXPECT_EQ( FindImageFault( "GIF89a" ), "not a PNG, JPEG, BMP or TGA file" );
    EXPECT_EQ( FindImageFault( "" ), "not a PNG, JPEG, BMP or TGA file" );
    EXPECT_EQ( FindImageFault( std::string( 17, '\0' ), "short.tga" ), "TGA file cut short in its header" );
    const std::string bmp = Bmp( 4, 4 );
    std::string longHeader = bmp;
    longHeader[ 15 ] = '\x01';
    std::string shortHeader = bmp;
    shortHeader[ 14 ] = '\x20';
    const std::string core = "BM" + std::string( 12, '\0' ) + Bytes( 12 ) + Bytes( 4, 2 ) + Bytes( 4, 2 ) +
                             Bytes( 1, 2 );
    const std::pair<std::string, std::string> cases[] = {
        { "BM", "BMP file cut short in its header" },
        { bmp.substr( 0, 53 ), "BMP file cut short in its header" },
        { bmp.substr( 0, 28 ), "BMP file cut short in its header" },
        { longHeader, "BMP file cut short in its header" },
        { shortHeader, "BMP file with an unknown header of 32 bytes" },
        { Bmp( 4, 4, 32, 3 ) + std::string( 11, '\xff' ), "BMP file cut short in its colour masks" },
        { Bmp( 4, 4, 0 ), "BMP file of 0 bits a pixel" },
        { Bmp( 4, 4, 2 ), "BMP file of 2 bits a pixel" },
        { Bmp( 4, 4, 24, 4 ), "BMP file of unknown compression 4" },
        // The old 12-byte header: depths up to 24 bits.
        { core + Bytes( 8, 2 ), "" },
        { core + Bytes( 32, 2 ), "BMP file of 32 bits a pixel" },
    };
    for( const auto& [ bytes, fault ] : cases )
        EXPECT_EQ( FindImageFault( bytes ), fault ) << bytes.size() << " bytes";
}

TEST_F( ImageFileTest, HeadersStateTheSizeAndLoadingRefusesPicturesPastTheLimit )
{
    auto size = [ this ]( const std::string& name, const std::string& bytes ) {
        const auto read = ReadImageHeaderSize( Write( name, bytes ) );
        return read ? std::to_string( read->width ) + "x" + std::to_string( read->height ) : "none";
    };
    EXPECT_EQ( "70000x3", size( "a.png", Png( 70000, 3 ) ) );
    EXPECT_EQ( "9000x40", size( "a.bmp", Bmp( 9000, -40 ) ) ) << "rows stored top down give a negative height";
    EXPECT_EQ( "640x480", size( "a.jpg", Jpeg( 640, 480 ) ) );
    EXPECT_EQ( "none", size( "a.tga", Tga( 2, 2 ) ) );
    EXPECT_EQ( "none", size( "cut.png", Png( 1, 1 ).substr( 0, 20 ) ) );
    EXPECT_FALSE( ReadImageHeaderSize( dir + "/missing.png" ) );
    SDL_Surface* widest = test::MakePatternSurface( MAX_IMAGE_SIDE, 1, false );
    const std::string atLimit = dir + "/widest.bmp";
    ASSERT_EQ( SDL_SaveBMP( widest, atLimit.c_str() ), 0 );
    SDL_FreeSurface( widest );
    const std::string png = Write( "wide.png", Png( 8193, 1 ) );
    const std::string bmp = Write( "wide.bmp", Bmp( 8193, 1 ) );
    const std::string jpeg = Write( "wide.jpg", Jpeg( 8193, 1 ) );
    const std::string tga = Write( "wide.tga", Tga( 8193, 1 ) );
    // Only the TGA file could be decoded: a refusal without a decoder error shows the decoder was never tried.
    test::CLogCapture log;
    const auto loaded = Gfx::LoadImage( atLimit, CColor( 255, 0, 255 ) );
    EXPECT_FALSE( loaded->IsNull() );
    EXPECT_EQ( loaded->GetWidth(), MAX_IMAGE_SIDE );
    for( const std::string& file : { png, bmp, jpeg, tga } )
        EXPECT_TRUE( Gfx::LoadImage( file, CColor( 255, 0, 255 ) )->IsNull() ) << file;
    const std::string no = "Could not load image ", why = ": an image of 8193x1 pixels is empty or too large";
    EXPECT_EQ( log.Lines(), ( Rows{ no + png + why, no + bmp + why, no + jpeg + why, no + tga + why } ) );
}

TEST_F( ImageFileTest, EveryLoadOfAFileSharesOneImageFreedOnceByTheLastSurface )
{
    auto first = Gfx::LoadImage( file, MAGENTA );
    auto second = Gfx::LoadImage( file, MAGENTA );
    ASSERT_FALSE( first->IsNull() );
    SDL_Surface* image = ImageOf( *first );
    EXPECT_EQ( image, ImageOf( *second ) );
    EXPECT_EQ( 2, cache->GetReferenceCount( file ) );
    EXPECT_EQ( file, second->GetFileName() );
    EXPECT_EQ( test::PatternColor( 3, 2 ).g, first->GetPixel( 3, 2 ).g );
    // Hold one SDL reference of our own so that the frees can be counted.
    ++image->refcount;
    Gfx::FreeImage( std::move( first ) );
    EXPECT_EQ( 2, image->refcount );
    EXPECT_EQ( 1, cache->GetReferenceCount( file ) );
    second.reset();
    EXPECT_EQ( 1, image->refcount );
    EXPECT_FALSE( cache->Has( file ) );
    SDL_FreeSurface( image );
    auto third = Gfx::LoadImage( file, MAGENTA );
    EXPECT_EQ( 1, cache->GetReferenceCount( file ) ) << "the next load decodes the file again";
    // Copies of a loaded image share it, view and all; a made buffer is not
    // cached: its copy has pixels of its own, so each frees only its own.
    third->SetViewRect( types::rect{ 2, 1, 4, 3 } );
    auto copy = Gfx::Copy( *third );
    EXPECT_EQ( ImageOf( *third ), ImageOf( *copy ) );
    EXPECT_EQ( 2, cache->GetReferenceCount( file ) );
    EXPECT_EQ( ( types::rect{ 2, 1, 4, 3 } ), copy->GetViewRect() );
    auto buffer = Gfx::NewBuffer( 4, 4, MAGENTA );
    buffer->PutPixel( 1, 1, CColor( 10, 20, 30 ) );
    auto bufferCopy = Gfx::Copy( *buffer );
    EXPECT_NE( ImageOf( *buffer ), ImageOf( *bufferCopy ) );
    buffer.reset();
    EXPECT_EQ( CColor( 10, 20, 30 ), bufferCopy->GetPixel( 1, 1 ) );
}

TEST_F( ImageFileTest, FailuresAndMisuseAreLoggedAndGiveTheNullSurfaceOrChangeNothing )
{
    test::CLogCapture log;
    auto missing = Gfx::LoadImage( dir + "/missing.png", MAGENTA );
    EXPECT_TRUE( missing->IsNull() );
    ASSERT_EQ( 1u, log.Lines().size() );
    EXPECT_NE( std::string::npos, log.Lines()[ 0 ].find( "missing.png" ) );
    EXPECT_FALSE( missing->Blit( Gfx::NewBuffer( 4, 4 ).get() ) ) << "drawing it does nothing";
    Gfx::SetFactory( nullptr );
    EXPECT_TRUE( Gfx::NewBuffer( 4, 4, MAGENTA )->IsNull() );
    EXPECT_TRUE( Gfx::LoadImage( file, MAGENTA )->IsNull() );
    Gfx::FreeImage( Gfx::NewBuffer( 1, 1 ) );
    const std::string none = "() - no GFXFactory given, cannot ";
    EXPECT_EQ( ( test::Rows{ log.Lines()[ 0 ], "Gfx::NewBuffer" + none + "create graphics surface.",
                             "Gfx::LoadImage" + none + "create graphics surface.",
                             "Gfx::NewBuffer" + none + "create graphics surface.",
                             "Gfx::FreeImage" + none + "free graphics surface." } ),
               log.Lines() );
    // A factory is set once, again, or cleared, but never replaced.
    CGfxFactorySDL other;
    EXPECT_TRUE( Gfx::SetFactory( &factory ) );
    EXPECT_TRUE( Gfx::SetFactory( &factory ) );
    EXPECT_FALSE( Gfx::SetFactory( &other ) );
    EXPECT_TRUE( Gfx::SetFactory( nullptr ) );
    EXPECT_TRUE( Gfx::SetFactory( &other ) );
    EXPECT_EQ( &other, Gfx::GetFactory() );
    // Misuse of the cache.
    SDL_Surface* kept = test::MakePatternSurface( 2, 2, false );
    SDL_Surface* stranger = test::MakePatternSurface( 2, 2, false );
    test::CLogCapture misuse;
    EXPECT_EQ( nullptr, cache->GetPointer( "nothing.png" ) );
    cache->AddNew( "kept.png", kept, true );
    cache->AddNew( "kept.png", stranger, false );
    EXPECT_FALSE( cache->AddReference( stranger ) );
    EXPECT_FALSE( cache->AddReference( nullptr ) );
    ASSERT_EQ( 3u, misuse.Lines().size() );
    EXPECT_EQ( "CTextureManager::GetPointer() - trying to get pointer to a file that doesn't exist: nothing.png",
               misuse.Lines()[ 0 ] );
    EXPECT_EQ( "CTextureManager::AddNew() - trying to add a new texture, but we already have one of the same name: "
               "kept.png",
               misuse.Lines()[ 1 ] );
    EXPECT_EQ( 0u, misuse.Lines()[ 2 ].find( "CTextureManager::AddReference() - trying add a reference to a pointer no "
                                          "longer in the memory: " ) );
    EXPECT_EQ( 1, cache->GetReferenceCount( "kept.png" ) );
    // A kept image survives its last release; an image the cache does not hold is freed by its release.
    cache->Release( kept );
    EXPECT_TRUE( cache->Has( "kept.png" ) );
    EXPECT_EQ( kept, cache->GetPointer( "kept.png" ) );
    cache->Release( stranger );
}

TEST_F( ImageFileTest, SavedFilesReadBackPixelForPixelAndPalettedOnesKeepTheirPalette )
{
    CSurfaceSDL alpha( test::MakePatternSurface( 13, 7, true ) );
    CSurfaceSDL opaque( test::MakePatternSurface( 13, 7, false ) );
    EXPECT_EQ( "", RoundTrip( alpha, "alpha.tga", true ) );
    EXPECT_EQ( "", RoundTrip( opaque, "opaque.tga", false ) );
    EXPECT_EQ( "", RoundTrip( alpha, "alpha.bmp", false ) );
    EXPECT_EQ( "", RoundTrip( opaque, "opaque.png", false ) ) << "any other ending is written as BMP";
    EXPECT_EQ( "BM", test::ReadFile( dir + "/opaque.png" ).substr( 0, 2 ) );
    // 18-byte header: true colour, 13x7, 32 bits, top-left origin with 8 alpha bits.
    const std::string bytes = test::ReadFile( dir + "/alpha.tga" );
    ASSERT_EQ( 18u + 13 * 7 * 4, bytes.size() );
    EXPECT_EQ( std::string( "\0\0\2\0\0\0\0\0\0\0\0\0\x0d\0\x07\0\x20\x28", 18 ), bytes.substr( 0, 18 ) );
    EXPECT_EQ( 18u + 13 * 7 * 3, test::ReadFile( dir + "/opaque.tga" ).size() );
    // Only the view is saved.
    alpha.SetViewRect( types::rect{ 2, 3, 4, 2 } );
    EXPECT_EQ( "", RoundTrip( alpha, "view.tga", true ) );
    // A paletted surface saves its palette with the colour key transparent.
    SDL_Surface* paletted = SDL_CreateRGBSurface( SDL_SWSURFACE, 2, 1, 8, 0, 0, 0, 0 );
    SDL_Color colors[ 2 ] = { { 10, 20, 30, 0 }, { 40, 50, 60, 0 } };
    SDL_SetColors( paletted, colors, 0, 2 );
    SDL_FillRect( paletted, nullptr, 1 );
    SDL_SetColorKey( paletted, SDL_SRCCOLORKEY, 0 );
    CSurfaceSDL surface( paletted );
    ASSERT_TRUE( surface.Save( dir + "/indexed.tga" ) );
    const std::string indexed = test::ReadFile( dir + "/indexed.tga" );
    const int colours = paletted->format->palette->ncolors;
    ASSERT_EQ( 18u + colours * 4 + 2, indexed.size() );
    EXPECT_EQ( std::string( "\0\1\1\0\0", 5 ), indexed.substr( 0, 5 ) );
    EXPECT_EQ( 32, indexed[ 7 ] );
    EXPECT_EQ( 8, indexed[ 16 ] );
    EXPECT_EQ( std::string( "\x1e\x14\x0a\0\x3c\x32\x28\xff", 8 ), indexed.substr( 18, 8 ) );
    EXPECT_EQ( std::string( "\1\1", 2 ), indexed.substr( 18 + colours * 4 ) );
}

TEST_F( ImageFileTest, ASaveThatFailsLeavesTheOldFileAndNoPartOfTheNewOne )
{
    CSurfaceSDL surface( test::MakePatternSurface( 64, 64, false ) );
    test::CLogCapture log;
    const std::string nowhere = dir + "/no/such/dir/out.tga";
    EXPECT_FALSE( surface.Save( nowhere ) );
    EXPECT_FALSE( std::filesystem::exists( nowhere ) );
    ASSERT_EQ( 1u, log.Lines().size() );
    EXPECT_NE( std::string::npos, log.Lines()[ 0 ].find( nowhere ) );
    EXPECT_EQ( 3, log.LinesWithLevels()[ 0 ].second );
    // Let the file system refuse anything past 1000 bytes.
    const std::string file = Write( "big.bmp", "old" );
    rlimit saved{};
    getrlimit( RLIMIT_FSIZE, &saved );
    rlimit small = saved;
    small.rlim_cur = 1000;
    auto oldHandler = std::signal( SIGXFSZ, SIG_IGN );
    setrlimit( RLIMIT_FSIZE, &small );
    const bool savedBmp = surface.Save( file );
    const bool savedTga = surface.Save( dir + "/big.tga" );
    setrlimit( RLIMIT_FSIZE, &saved );
    std::signal( SIGXFSZ, oldHandler );
    EXPECT_FALSE( savedBmp );
    EXPECT_FALSE( savedTga );
    EXPECT_EQ( "old", test::ReadFile( file ) );
    const auto entries = std::distance( std::filesystem::directory_iterator( dir ), {} );
    EXPECT_EQ( 2, entries ) << "picture.bmp and big.bmp, no temporary file";
}
