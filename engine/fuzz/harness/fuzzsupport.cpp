#include "harness/fuzzsupport.h"

#include <unistd.h>

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/csurface.h"
#include "tarn/gfx/cspriteupdater.h"
#include "tarn/gfx/sdl/ctexturemanager.h"
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

// Memory-backed /dev/shm when there is one: a fuzzer writes thousands of
// files a second, and on a disk every rewrite of a file waits for the disk.
std::filesystem::path FuzzFileFolder()
{
    std::error_code error;
    if( std::filesystem::is_directory( "/dev/shm", error ) && access( "/dev/shm", W_OK ) == 0 )
        return "/dev/shm";
    return std::filesystem::temp_directory_path();
}

// The surfaces that hold the game's pictures in the image cache; never
// deleted, so that no input and no exit handler frees them.
std::vector<std::unique_ptr<CSurface>>* KeptPictures()
{
    static auto* pictures = new std::vector<std::unique_ptr<CSurface>>();
    return pictures;
}

bool IsPictureFile( const std::filesystem::path& path )
{
    const std::string extension = path.extension().string();
    return extension == ".png" || extension == ".jpg" || extension == ".bmp" || extension == ".tga";
}

} // namespace

std::string WriteFuzzFile( const std::string& input, const std::string& name, const std::string& suffix )
{
    static const std::filesystem::path folder = FuzzFileFolder();
    const std::filesystem::path path = folder / ( "tarn-fuzz-" + std::to_string( getpid() ) + "-" + name + suffix );
    // A new file each time rather than a truncated one: ext4 flushes a file
    // truncated and rewritten to the disk when it is closed.
    std::error_code ignored;
    std::filesystem::remove( path, ignored );
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

void KeepGamePicturesLoaded()
{
    if( !KeptPictures()->empty() )
        return;
    CFuzzScreen screen;
    std::error_code error;
    for( const auto& entry : std::filesystem::recursive_directory_iterator( "data", error ) )
    {
        if( !entry.is_regular_file() || !IsPictureFile( entry.path() ) )
            continue;
        std::unique_ptr<CSurface> picture = Gfx::LoadImage( entry.path().generic_string(), CColor( 255, 0, 255 ) );
        if( !picture->IsNull() )
            KeptPictures()->push_back( std::move( picture ) );
    }
    if( KeptPictures()->empty() )
    {
        std::fprintf( stderr, "fuzz: no pictures under data/ (run from the game's folder)\n" );
        std::abort();
    }
}

void ResetAfterFuzzInput()
{
    DeleteAllFakeThreads();
    CTaskFactory::DeleteSingleton();
    CTaskManager::DeleteSingleton();
    CScreenLayer::DeleteSingleton();
    CSpriteUpdater::DeleteSingleton();
    if( KeptPictures()->empty() )
        CTextureManager::DeleteSingleton();
    CMouse::DeleteSingleton();
    CInputDispatcher::DeleteSingleton();
    SetTimeSource( nullptr );
}

} // namespace test
} // namespace tarn
