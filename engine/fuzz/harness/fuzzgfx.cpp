#include "harness/fuzzgfx.h"

#include <cstdlib>
#include <memory>

#include "harness/fuzzsupport.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/csprite.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/sdl/ctexturemanager.h"
#include "tarn/gfx/font/cogffontloader.h"
#include "tarn/gfx/gfx.h"
#include "tarn/utils/ccolor.h"

namespace tarn {
namespace test {

namespace {

const char* const SAMPLE_TEXT = "The quick brown fox, 0123456789;\nAnd a second line: !?\"'()";

// Loading, drawing and copying one image file; aborts when the cache keeps
// anything of it afterwards.
void LoadThroughCache( const std::string& file )
{
    CTextureManager* cache = CTextureManager::GetSingletonPtr();
    {
        std::unique_ptr<CSurface> first = Gfx::LoadImage( file, CColor( 255, 0, 255 ) );
        std::unique_ptr<CSurface> second = Gfx::LoadImage( file, CColor( 255, 0, 255 ) );
        if( first->IsNull() != second->IsNull() )
            std::abort();
        if( first->IsNull() )
            return;
        if( cache->GetReferenceCount( file ) != 2 )
            std::abort();
        std::unique_ptr<CSurface> shared = Gfx::Copy( *first );
        std::unique_ptr<CSurface> own = first->CopyWithAlpha( 128 );
        own->Blit( CScreenLayer::GetScreenSurface() );
        second->Blit( CScreenLayer::GetScreenSurface() );
    }
    if( cache->Has( file ) )
        std::abort();
}

} // namespace

void FuzzOgfInput( const std::string& input )
{
    CFuzzScreen screen;
    const std::string file = WriteFuzzFile( input, "font", ".ogf" );
    std::unique_ptr<CFont> font = COgfFontLoader().Load( file );
    CSurface* target = CScreenLayer::GetScreenSurface();
    font->WriteText( target, SAMPLE_TEXT, 10, 10 );
    for( int kind = 0; kind < 4; ++kind )
    {
        font->SetFormatter( kind );
        font->WriteInRect( target, SAMPLE_TEXT, types::rect{ 20, 20, 200, 100 }, types::point{ 4, 4 } );
    }
    font->GetTextWidth( SAMPLE_TEXT );
}

void FuzzSpriteInput( const std::string& input )
{
    CFuzzScreen screen;
    const std::string file = WriteFuzzFile( input, "sprite", ".xml" );
    std::unique_ptr<CSprite> sprite = CSpriteFactory::LoadSprite( file );
    if( sprite )
        sprite->SetText( SAMPLE_TEXT );
    screen.Frame( 1000 );
    screen.Frame( 60000 );
    if( sprite )
        sprite->Draw( CScreenLayer::GetSingletonPtr() );
}

void FuzzImageInput( const std::string& input )
{
    CFuzzScreen screen;
    LoadThroughCache( WriteFuzzFile( input, "image", ".png" ) );
    LoadThroughCache( WriteFuzzFile( input, "image", ".bmp" ) );
    LoadThroughCache( WriteFuzzFile( input, "image", ".tga" ) );
}

} // namespace test
} // namespace tarn
