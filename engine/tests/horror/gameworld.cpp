#include "horror/gameworld.h"

#include <filesystem>
#include <memory>

#include <SDL.h>

#include "tarn/gfx/sdl/csurfacesdl.h"
#include "tarn/tasks/ctask.h"
#include "tarn/tasks/ctaskfactory.h"

using namespace tarn;

namespace horror {
namespace test {

namespace {

std::vector<std::string>& AudioLog()
{
    static std::vector<std::string> lines;
    return lines;
}

// Stands in for the audio task: remembers what it was asked.
class CAudioRecorder final : public CTask
{
public:
    bool HandleCommand( const std::string& command ) override
    {
        AudioLog().push_back( command );
        return true;
    }
};

} // namespace

CGameWorld::CGameWorld( const std::string& name ) :
    myOldDir( std::filesystem::current_path().string() )
{
    tarn::test::ResetEngine();
    myScene = std::make_unique<tarn::test::CSpriteScene>( 800, 600, name );
    std::filesystem::current_path( myScene->GetDir() );
    std::filesystem::create_directories( "data/gfx" );
    std::filesystem::create_directories( "data/levels" );
    MakeSprite( "icon_player", 20, 20 );

    AudioLog().clear();
    CTaskFactory::GetSingletonPtr()->RegisterTaskType( "recorder", [] { return std::make_unique<CAudioRecorder>(); } );
    CTaskFactory::GetSingletonPtr()->StartTask( "recorder", "Audio", 70, nullptr );
}

CGameWorld::~CGameWorld()
{
    tarn::test::ResetEngine();
    myScene.reset();
    std::filesystem::current_path( myOldDir );
}

std::string CGameWorld::MakeMask( const std::string& name, const std::function<bool( int, int )>& open )
{
    SDL_Surface* image = SDL_CreateRGBSurface( SDL_SWSURFACE, 800, 600, 32, 0x00ff0000, 0x0000ff00, 0x000000ff,
                                               0xff000000 );
    SDL_LockSurface( image );
    for( int y = 0; y < 600; ++y )
    {
        auto* row = reinterpret_cast<Uint32*>( static_cast<Uint8*>( image->pixels ) + y * image->pitch );
        for( int x = 0; x < 800; ++x )
            row[ x ] = open( x, y ) ? 0xff606060 : 0x28101010;
    }
    SDL_UnlockSurface( image );
    const std::string path = "data/gfx/" + name + ".tga";
    CSurfaceSDL( image ).Save( path );
    return path;
}

std::string CGameWorld::MakeSprite( const std::string& name, int w, int h )
{
    const std::string image = myScene->MakeImage( name, w, h, CColor( 200, 180, 40 ) );
    const std::string path = "data/gfx/" + name + ".xml";
    Write( path, "<Sprite type=\"sprite_base\">\n<ImageFilename>" + image + "</ImageFilename>\n<ImageRect x=\"0\" y=\"0\" w=\"" +
                     std::to_string( w ) + "\" h=\"" + std::to_string( h ) + "\"/>\n<Z>50</Z>\n</Sprite>\n" );
    return path;
}

void CGameWorld::Write( const std::string& path, const std::string& text )
{
    tarn::test::WriteFile( path, text );
}

const std::vector<std::string>& CGameWorld::AudioLines() const
{
    return AudioLog();
}

} // namespace test
} // namespace horror
