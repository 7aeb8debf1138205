#include "support/spritescene.h"

#include <SDL.h>

#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/csprite.h"
#include "tarn/gfx/cspriteupdater.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/sdl/cgfxfactorysdl.h"
#include "tarn/gfx/sdl/cscreensurface.h"

namespace tarn {
namespace test {

namespace {

// A sprite standing for a whole target surface, as the screen layer's own.
class CTargetSprite final : public CSprite
{
public:
    explicit CTargetSprite( CSurface* surface ) : mySurface( surface )
    {
        SetRect( types::rect{ 0, 0, surface->GetWidth(), surface->GetHeight() } );
    }
    CSurface* GetSurface() const override { return mySurface; }

private:
    CSurface* mySurface;
};

} // namespace

CSpriteScene::CSpriteScene( int width, int height, const std::string& name ) :
    myVideo( width, height ),
    myFactory( std::make_unique<CGfxFactorySDL>() ),
    myScreen( std::make_unique<CScreenSurface>( myVideo.GetDisplay() ) ),
    myDir( MakeTempDir( name ) )
{
    Gfx::SetFactory( myFactory.get() );
    CScreenLayer::SetScreenSurface( myScreen.get() );
    SDL_FillRect( myVideo.GetDisplay(), nullptr, 0 );
}

CSpriteScene::~CSpriteScene()
{
    if( myPresented )
        SDL_FreeSurface( myPresented );
    CScreenLayer::DeleteSingleton();
    CSpriteUpdater::DeleteSingleton();
    CScreenLayer::SetScreenSurface( nullptr );
    Gfx::SetFactory( nullptr );
}

std::string CSpriteScene::MakeImage( const std::string& name, int width, int height, const CColor& color )
{
    SDL_Surface* image = SDL_CreateRGBSurface( SDL_SWSURFACE, width, height, 32, 0x00ff0000, 0x0000ff00,
                                               0x000000ff, 0 );
    SDL_FillRect( image, nullptr, SDL_MapRGB( image->format, 255, 0, 255 ) );
    SDL_Rect inner{ 1, 1, static_cast<Uint16>( width - 2 ), static_cast<Uint16>( height - 2 ) };
    SDL_FillRect( image, &inner, SDL_MapRGB( image->format, color.r, color.g, color.b ) );
    SDL_Rect across{ 1, static_cast<Sint16>( height / 2 ), static_cast<Uint16>( width - 2 ), 1 };
    SDL_FillRect( image, &across, SDL_MapRGB( image->format, color.r / 2, color.g / 2, color.b / 2 ) );
    const std::string path = myDir + "/" + name + ".bmp";
    SDL_SaveBMP( image, path.c_str() );
    SDL_FreeSurface( image );
    return path;
}

std::string CSpriteScene::MakeSheet( const std::string& name, int cell, const std::vector<CColor>& colours )
{
    const int count = static_cast<int>( colours.size() );
    SDL_Surface* image = SDL_CreateRGBSurface( SDL_SWSURFACE, count * cell, cell, 32, 0x00ff0000, 0x0000ff00,
                                               0x000000ff, 0 );
    for( int i = 0; i < count; ++i )
    {
        SDL_Rect area{ static_cast<Sint16>( i * cell ), 0, static_cast<Uint16>( cell ), static_cast<Uint16>( cell ) };
        SDL_FillRect( image, &area, SDL_MapRGB( image->format, colours[ i ].r, colours[ i ].g, colours[ i ].b ) );
    }
    const std::string path = myDir + "/" + name + ".bmp";
    SDL_SaveBMP( image, path.c_str() );
    SDL_FreeSurface( image );
    return path;
}

void CSpriteScene::Update()
{
    CScreenLayer::GetSingletonPtr()->Update();
}

std::string CSpriteScene::PresentQueuedAreas()
{
    SDL_Surface* display = myVideo.GetDisplay();
    if( !myPresented )
    {
        myPresented = SDL_CreateRGBSurface( SDL_SWSURFACE, display->w, display->h, 32, display->format->Rmask,
                                            display->format->Gmask, display->format->Bmask, 0 );
    }
    if( myScreen->IsRedrawAll() )
    {
        SDL_BlitSurface( display, nullptr, myPresented, nullptr );
    }
    else
    {
        for( const types::rect& area : myScreen->GetDirtyRects() )
        {
            SDL_Rect from{ static_cast<Sint16>( area.x ), static_cast<Sint16>( area.y ), static_cast<Uint16>( area.w ),
                           static_cast<Uint16>( area.h ) };
            SDL_Rect to = from;
            SDL_BlitSurface( display, &from, myPresented, &to );
        }
    }
    myScreen->Flip();
    return CompareSurfaces( display, myPresented, false );
}

std::string CSpriteScene::CompareWithFreshDrawing() const
{
    SDL_Surface* display = myVideo.GetDisplay();
    std::unique_ptr<CSurface> fresh = Gfx::NewBuffer( display->w, display->h, CColor( 1, 2, 3 ) );
    fresh->Clear( types::rect{ 0, 0, display->w, display->h } );
    auto* freshSDL = static_cast<CSurfaceSDL*>( fresh.get() );
    SDL_FillRect( freshSDL->GetRawImage(), nullptr, 0 );

    CTargetSprite target( fresh.get() );
    const auto& children = CScreenLayer::GetSingletonPtr()->GetChildren();
    for( auto child = children.rbegin(); child != children.rend(); ++child )
        ( *child )->Draw( &target );
    return CompareSurfaces( freshSDL->GetRawImage(), display, false );
}

} // namespace test
} // namespace tarn
