// Loading images through the facade: one decoded image per file, shared and
// counted, freed once; what happens without a factory; misuse of the cache.
#include <gtest/gtest.h>

#include <SDL.h>

#include "support/sdltestsupport.h"
#include "support/testsupport.h"
#include "tarn/gfx/cgfxfactory.h"
#include "tarn/gfx/sdl/ctexturemanager.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/sdl/cgfxfactorysdl.h"
#include "tarn/gfx/sdl/csurfacesdl.h"

using namespace tarn;

namespace {

const CColor MAGENTA( 255, 0, 255 );

class ImageCacheTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        dir = test::MakeTempDir( "imagecache" );
        SDL_Surface* picture = test::MakePatternSurface( 8, 6, false );
        file = dir + "/picture.bmp";
        SDL_SaveBMP( picture, file.c_str() );
        SDL_FreeSurface( picture );
        Gfx::SetFactory( &factory );
    }

    void TearDown() override { test::ResetEngine(); }

    test::CVideoMode video;
    CGfxFactorySDL factory;
    std::string dir;
    std::string file;
};

SDL_Surface* ImageOf( const CSurface& surface )
{
    const CSurfaceSDL* sdl = gfx_cast<CSurfaceSDL>( &surface );
    return sdl ? sdl->GetRawImage() : nullptr;
}

} // namespace

TEST_F( ImageCacheTest, EveryLoadOfAFileSharesOneImageFreedOnceByTheLastSurface )
{
    CTextureManager* cache = CTextureManager::GetSingletonPtr();
    auto first = Gfx::LoadImage( file, MAGENTA );
    auto second = Gfx::LoadImage( file, MAGENTA );

    ASSERT_FALSE( first->IsNull() );
    SDL_Surface* image = ImageOf( *first );
    EXPECT_EQ( image, ImageOf( *second ) );
    EXPECT_EQ( 2, cache->GetReferenceCount( file ) );
    EXPECT_EQ( 8, first->GetWidth() );
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

    // The next load decodes the file again.
    auto third = Gfx::LoadImage( file, MAGENTA );
    EXPECT_EQ( 1, cache->GetReferenceCount( file ) );
}

TEST_F( ImageCacheTest, CopiesShareCachedImagesButDuplicateMadeBuffers )
{
    CTextureManager* cache = CTextureManager::GetSingletonPtr();
    auto loaded = Gfx::LoadImage( file, MAGENTA );
    loaded->SetViewRect( types::rect{ 2, 1, 4, 3 } );
    auto copy = Gfx::Copy( *loaded );
    EXPECT_EQ( ImageOf( *loaded ), ImageOf( *copy ) );
    EXPECT_EQ( 2, cache->GetReferenceCount( file ) );
    EXPECT_EQ( ( types::rect{ 2, 1, 4, 3 } ), copy->GetViewRect() );

    // A made buffer is not cached: its copy has pixels of its own, so each
    // surface frees only its own image.
    auto buffer = Gfx::NewBuffer( 4, 4, MAGENTA );
    buffer->PutPixel( 1, 1, CColor( 10, 20, 30 ) );
    auto bufferCopy = Gfx::Copy( *buffer );
    ASSERT_FALSE( bufferCopy->IsNull() );
    EXPECT_NE( ImageOf( *buffer ), ImageOf( *bufferCopy ) );
    EXPECT_EQ( CColor( 10, 20, 30 ), bufferCopy->GetPixel( 1, 1 ) );
    buffer.reset();
    EXPECT_EQ( CColor( 10, 20, 30 ), bufferCopy->GetPixel( 1, 1 ) );
}

TEST_F( ImageCacheTest, AFileThatCannotBeLoadedGivesTheNullSurface )
{
    test::CLogCapture log;
    auto missing = Gfx::LoadImage( dir + "/missing.png", MAGENTA );
    EXPECT_TRUE( missing->IsNull() );
    EXPECT_FALSE( CTextureManager::GetSingletonPtr()->Has( dir + "/missing.png" ) );
    ASSERT_FALSE( log.Lines().empty() );
    EXPECT_NE( std::string::npos, log.Lines().back().find( "missing.png" ) );

    // Drawing it does nothing.
    auto buffer = Gfx::NewBuffer( 4, 4 );
    EXPECT_FALSE( missing->Blit( buffer.get() ) );
}

TEST_F( ImageCacheTest, WithoutAFactoryTheFacadeSaysWhyAndHandsOutTheNullSurface )
{
    Gfx::SetFactory( nullptr );
    test::CLogCapture log;
    EXPECT_TRUE( Gfx::NewBuffer( 4, 4, MAGENTA )->IsNull() );
    EXPECT_TRUE( Gfx::NewBuffer( 4, 4 )->IsNull() );
    EXPECT_TRUE( Gfx::LoadImage( file, MAGENTA )->IsNull() );
    Gfx::FreeImage( Gfx::NewBuffer( 1, 1 ) );
    const std::vector<std::string> expected = {
        "Gfx::NewBuffer() - no GFXFactory given, cannot create graphics surface.",
        "Gfx::NewBuffer() - no GFXFactory given, cannot create graphics surface.",
        "Gfx::LoadImage() - no GFXFactory given, cannot create graphics surface.",
        "Gfx::NewBuffer() - no GFXFactory given, cannot create graphics surface.",
        "Gfx::FreeImage() - no GFXFactory given, cannot free graphics surface.",
    };
    EXPECT_EQ( expected, log.Lines() );
}

TEST_F( ImageCacheTest, AFactoryIsSetOnceAgainOrClearedButNeverReplaced )
{
    CGfxFactorySDL other;
    EXPECT_TRUE( Gfx::SetFactory( &factory ) );
    EXPECT_FALSE( Gfx::SetFactory( &other ) );
    EXPECT_EQ( &factory, Gfx::GetFactory() );
    EXPECT_TRUE( Gfx::SetFactory( nullptr ) );
    EXPECT_TRUE( Gfx::SetFactory( &other ) );
    EXPECT_EQ( &other, Gfx::GetFactory() );
}

TEST_F( ImageCacheTest, MisuseOfTheCacheIsLoggedAndChangesNothing )
{
    CTextureManager* cache = CTextureManager::GetSingletonPtr();
    SDL_Surface* kept = test::MakePatternSurface( 2, 2, false );
    SDL_Surface* stranger = test::MakePatternSurface( 2, 2, false );
    test::CLogCapture log;

    EXPECT_EQ( nullptr, cache->GetPointer( "nothing.png" ) );
    cache->AddNew( "kept.png", kept, true );
    cache->AddNew( "kept.png", stranger, false );
    EXPECT_FALSE( cache->AddReference( stranger ) );
    EXPECT_FALSE( cache->AddReference( nullptr ) );

    ASSERT_EQ( 3u, log.Lines().size() );
    EXPECT_EQ( "CTextureManager::GetPointer() - trying to get pointer to a file that doesn't exist: nothing.png",
               log.Lines()[ 0 ] );
    EXPECT_EQ( "CTextureManager::AddNew() - trying to add a new texture, but we already have one of the same name: "
               "kept.png",
               log.Lines()[ 1 ] );
    EXPECT_EQ( 0u, log.Lines()[ 2 ].find(
                       "CTextureManager::AddReference() - trying add a reference to a pointer no longer in the memory: " ) );
    EXPECT_EQ( 1, cache->GetReferenceCount( "kept.png" ) );

    // A kept image survives its last release; an image the cache does not
    // hold is freed by its release.
    cache->Release( kept );
    EXPECT_TRUE( cache->Has( "kept.png" ) );
    EXPECT_EQ( kept, cache->GetPointer( "kept.png" ) );
    cache->Release( stranger );
}
