#include "support/fuzzsupport.h"

#include <unistd.h>

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/cspriteupdater.h"
#include "tarn/gfx/ctexturemanager.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/sdl/cgfxfactorysdl.h"
#include "tarn/gfx/sdl/cscreensurface.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/inputdevice/cmouse.h"
#include "tarn/tasks/cfakethread.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/enginetime.h"

namespace tarn {
namespace test {

namespace {

// Removes the files of WriteFuzzFile when the process ends.
struct CFuzzFiles
{
    ~CFuzzFiles()
    {
        std::error_code ignored;
        for( const std::string& path : paths )
            std::filesystem::remove( path, ignored );
    }
    std::set<std::string> paths;
};

CFuzzFiles& FuzzFiles()
{
    static CFuzzFiles files;
    return files;
}

SDL_Surface* Display()
{
    if( SDL_Surface* display = SDL_GetVideoSurface() )
        return display;
    setenv( "SDL_VIDEODRIVER", "dummy", 1 );
    setenv( "SDL_AUDIODRIVER", "dummy", 1 );
    if( SDL_InitSubSystem( SDL_INIT_VIDEO ) != 0 )
    {
        std::fprintf( stderr, "fuzz: cannot start SDL video: %s\n", SDL_GetError() );
        std::abort();
    }
    SDL_Surface* display = SDL_SetVideoMode( 800, 600, 32, SDL_SWSURFACE );
    if( !display )
    {
        std::fprintf( stderr, "fuzz: no 800x600x32 video mode: %s\n", SDL_GetError() );
        std::abort();
    }
    return display;
}

} // namespace

std::string WriteFuzzFile( const std::string& input, const std::string& name, const std::string& suffix )
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ( "tarn-fuzz-" + std::to_string( getpid() ) + "-" + name + suffix );
    std::ofstream file( path, std::ios::binary | std::ios::trunc );
    file << input;
    FuzzFiles().paths.insert( path.string() );
    return path.string();
}

void SilenceLogForFuzzing()
{
    GetLog().SetLogFile( "" );
}

CFuzzScreen::CFuzzScreen() :
    myFactory( std::make_unique<CGfxFactorySDL>() ),
    myScreen( std::make_unique<CScreenSurface>( Display() ) )
{
    Gfx::SetFactory( myFactory.get() );
    CScreenLayer::SetScreenSurface( myScreen.get() );
}

CFuzzScreen::~CFuzzScreen()
{
    ResetAfterFuzzInput();
    CScreenLayer::SetScreenSurface( nullptr );
    Gfx::SetFactory( nullptr );
}

void CFuzzScreen::Frame( unsigned now )
{
    CSpriteUpdater::GetSingletonPtr()->Update( now );
    CScreenLayer::GetSingletonPtr()->Update();
}

class CFuzzClock::CSource final : public CTimeSource
{
public:
    types::ticks GetTicks() override { return now; }
    types::ticks now = 0;
};

CFuzzClock::CFuzzClock( unsigned start ) :
    mySource( std::make_shared<CSource>() )
{
    mySource->now = start;
    SetTimeSource( mySource );
}

CFuzzClock::~CFuzzClock()
{
    SetTimeSource( nullptr );
}

void CFuzzClock::Advance( unsigned ms )
{
    mySource->now += ms;
}

unsigned CFuzzClock::Now() const
{
    return mySource->now;
}

void ResetAfterFuzzInput()
{
    DeleteAllFakeThreads();
    CTaskFactory::DeleteSingleton();
    CTaskManager::DeleteSingleton();
    CScreenLayer::DeleteSingleton();
    CSpriteUpdater::DeleteSingleton();
    CTextureManager::DeleteSingleton();
    CMouse::DeleteSingleton();
    CInputDispatcher::DeleteSingleton();
    SetTimeSource( nullptr );
}

} // namespace test
} // namespace tarn
