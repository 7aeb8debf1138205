// The "window" task as a start-up script uses it: start parameters, the log
// it writes, and its commands SetName, Resize, SetIcon and Fullscreen.
#include <gtest/gtest.h>

#include <string>

#include <SDL.h>

#include "support/sdltestsupport.h"
#include "support/testsupport.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/gfx/sdl/csdlsurfacecreator.h"
#include "tarn/tasks/capplication.h"
#include "tarn/tasks/capplicationsdl.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"

using namespace tarn;

namespace {

class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        dir = test::MakeTempDir( "window" );
        GetConsole()->Execute( "taskload( sdl )" );
    }
    void TearDown() override
    {
        test::ResetEngine();
        SDL_Quit();
    }

    CApplicationSDL* Start( const std::string& arguments )
    {
        GetConsole()->Execute( "starttask( window, Window, 10" + arguments + " )" );
        return static_cast<CApplicationSDL*>( CTaskFactory::GetSingletonPtr()->FindTask( "Window" ) );
    }

    static std::string Caption()
    {
        char* title = nullptr;
        char* icon = nullptr;
        SDL_WM_GetCaption( &title, &icon );
        return title ? title : "<none>";
    }

    static std::string Size()
    {
        const SDL_Surface* screen = SDL_GetVideoSurface();
        return screen ? std::to_string( screen->w ) + "x" + std::to_string( screen->h ) : "<no screen>";
    }

    std::string WriteIcon( int width, int height )
    {
        const std::string file = dir + "/icon" + std::to_string( width ) + "x" + std::to_string( height ) + ".bmp";
        SDL_Surface* icon = test::MakePatternSurface( width, height, false );
        SDL_SaveBMP( icon, file.c_str() );
        SDL_FreeSurface( icon );
        return file;
    }

    std::string dir;
};

} // namespace

TEST_F( WindowTest, StartingOpensTheWindowAndLogsHowItWasMade )
{
    test::CLogCapture log;
    CApplicationSDL* window = Start( ", 320, 200, 32" );
    ASSERT_NE( nullptr, window );
    EXPECT_EQ( "320x200", Size() );
    EXPECT_EQ( "SDL Window", Caption() );
    EXPECT_EQ( 32, SDL_GetVideoSurface()->format->BitsPerPixel );
    EXPECT_EQ( 32, CSDLSurfaceCreator::GetDepth() );
    EXPECT_TRUE( window->GetVideoFlags() & SDL_RESIZABLE );
    EXPECT_FALSE( window->GetVideoFlags() & SDL_ANYFORMAT ) << "a depth was asked for";
    // The task waits in the paused list.
    const auto& paused = CTaskManager::GetSingletonPtr()->GetPausedTasks();
    EXPECT_NE( paused.end(), std::find( paused.begin(), paused.end(), window ) );

    SDL_version linked = *SDL_Linked_Version();
    const std::string version = std::to_string( linked.major ) + "." + std::to_string( linked.minor ) + "." +
                                std::to_string( linked.patch );
    const std::vector<std::string> expected = {
        "Initializing video [OK]",
        "",
        "Creating new window",
        "Compiled with SDL version: 1.2.15",
        "Running with SDL version: " + version,
        "Using driver: dummy",
        "Using resizable ( SDL_RESIZABLE )",
        "Valid resolutions for current flags",
        "All resolutions available",
        "New window created succesfully",
        "",
    };
    std::vector<std::string> lines = log.Lines();
    lines.resize( std::min( lines.size(), expected.size() ) );
    EXPECT_EQ( expected, lines );
}

TEST_F( WindowTest, ParametersOfTheWrongTypeAreSkipped )
{
    CApplicationSDL* window = Start( ", \"wide\", 200, 32, 0, 0, \"Caption\", 5, 0" );
    EXPECT_EQ( "640x200", Size() );
    EXPECT_EQ( "Caption", Caption() );
    EXPECT_FALSE( window->GetVideoFlags() & SDL_RESIZABLE );
    EXPECT_TRUE( window->GetVideoFlags() & SDL_NOFRAME );
}

TEST_F( WindowTest, AFullScreenStartAsksNeitherResizableNorAnyFormat )
{
    test::CLogCapture log;
    CApplicationSDL* window = Start( ", 800, 600, 0, 1" );
    EXPECT_TRUE( window->IsFullscreen() );
    EXPECT_EQ( 0u, window->GetVideoFlags() & ( SDL_RESIZABLE | SDL_ANYFORMAT ) );
    EXPECT_TRUE( SDL_GetVideoSurface()->flags & SDL_FULLSCREEN );
    EXPECT_FALSE( log.Contains( "Error the screen mode is not available" ) );
}

TEST_F( WindowTest, WithoutParametersTheDefaultsApply )
{
    CTaskFactory::GetSingletonPtr()->RegisterTaskType( "plainwindow",
                                                        [] { return std::make_unique<CApplicationSDL>(); } );
    CTaskFactory::GetSingletonPtr()->StartTask( "plainwindow", "Plain", 10, nullptr );
    auto* window = static_cast<CApplicationSDL*>( CTaskFactory::GetSingletonPtr()->FindTask( "Plain" ) );
    EXPECT_EQ( "640x480", Size() );
    EXPECT_TRUE( window->GetVideoFlags() & SDL_ANYFORMAT );
    EXPECT_FALSE( window->Init() ) << "the window is open already";
}

TEST_F( WindowTest, SetNameChangesOrClearsTheTitle )
{
    Start( ", 100, 100, 32" );
    GetConsole()->Execute( "Window::SetName( \"Title\" )" );
    EXPECT_EQ( "Title", Caption() );
    GetConsole()->Execute( "Window::SetName" );
    EXPECT_EQ( "", Caption() );
}

TEST_F( WindowTest, ResizeKeepsWhatItIsNotGiven )
{
    CApplicationSDL* window = Start( ", 100, 80, 32" );
    GetConsole()->Execute( "Window::Resize( 120 )" );
    EXPECT_EQ( "120x80", Size() );
    GetConsole()->Execute( "Window::Resize( 140, 90 )" );
    EXPECT_EQ( "140x90", Size() );
    GetConsole()->Execute( "Window::Resize( wide, 60 )" );
    EXPECT_EQ( "140x60", Size() );
    EXPECT_EQ( "[ERROR] You should give atleast two parameters", window->GetTaskConsole()->Execute( "Resize" ) );
    EXPECT_EQ( "140x60", Size() );

    // Sizes past the int range are held at its end, and refused.
    test::CLogCapture log;
    for( const char* size : { "99999999999, 60", "8193", "150, -99999999999" } )
        GetConsole()->Execute( std::string( "Window::Resize( " ) + size + " )" );
    EXPECT_EQ( "140x60", Size() );
    EXPECT_EQ( log.Lines(),
               ( std::vector<std::string>{
                   "Invalid width or height: 2147483647x60 (each 0 to 8192), the window stays 140x60",
                   "Invalid width or height: 8193x60 (each 0 to 8192), the window stays 140x60",
                   "Invalid width or height: 150x-2147483648 (each 0 to 8192), the window stays 140x60" } ) );
    GetConsole()->Execute( "Window::Resize( 8192, 1 )" );
    EXPECT_EQ( "8192x1", Size() );
}

TEST_F( WindowTest, StartSizesPastTheLimitOpenTheDefaultWindow )
{
    test::CLogCapture log;
    Start( ", 99999999999, 200, 32" );
    EXPECT_EQ( "640x480", Size() );
    EXPECT_TRUE( log.Contains( "Invalid width or height: 2147483647x200 (each 0 to 8192), the window stays 640x480" ) );
}

TEST_F( WindowTest, FullscreenTwiceReturnsToTheSameWindow )
{
    CApplicationSDL* window = Start( ", 160, 120, 32" );
    EXPECT_EQ( "", window->GetTaskConsole()->Execute( "Fullscreen" ) );
    EXPECT_TRUE( SDL_GetVideoSurface()->flags & SDL_FULLSCREEN );
    EXPECT_EQ( "160x120", Size() );
    GetConsole()->Execute( "Window::Fullscreen()" );
    EXPECT_FALSE( SDL_GetVideoSurface()->flags & SDL_FULLSCREEN );
    EXPECT_EQ( "160x120", Size() );
}

TEST_F( WindowTest, IconsUpToThirtyTwoPixelsAreAccepted )
{
    CApplicationSDL* window = Start( ", 100, 100, 32" );
    test::CLogCapture log;
    const std::string wide = WriteIcon( 33, 16 );
    const std::string tall = WriteIcon( 32, 33 );
    GetConsole()->Execute( "Window::SetIcon( \"" + wide + "\" )" );
    GetConsole()->Execute( "Window::SetIcon( \"" + tall + "\" )" );
    GetConsole()->Execute( "Window::SetIcon( \"" + WriteIcon( 32, 32 ) + "\" )" );
    GetConsole()->Execute( "Window::SetIcon( \"" + dir + "/missing.bmp\" )" );

    const std::vector<std::pair<std::string, int>> expected = {
        { " CApplicationSDL::WindowSetIcon() Image's (" + wide + ") width is larger than 32 pixels ", 2 },
        { " CApplicationSDL::WindowSetIcon() Image's (" + tall + ") height is larger than 32 pixels ", 2 },
        { " CApplicationSDL::WindowSetIcon() Could not load file: " + dir + "/missing.bmp", 2 },
    };
    EXPECT_EQ( expected, log.LinesWithLevels() );
    EXPECT_EQ( "[ERROR] You have to give atleast one parameter", window->GetTaskConsole()->Execute( "SetIcon" ) );
    EXPECT_EQ( "[ERROR] You have to give atleast one parameter", window->GetTaskConsole()->Execute( "SetIcon()" ) );
}

TEST_F( WindowTest, StoppingTheWindowShutsSDLDown )
{
    Start( ", 100, 100, 32" );
    EXPECT_TRUE( SDL_WasInit( SDL_INIT_VIDEO ) );
    GetConsole()->Execute( "stoptask( Window )" );
    EXPECT_FALSE( SDL_WasInit( SDL_INIT_VIDEO ) );
}

TEST( StartupScript, OpensTheGameWindowAndRunsTheInputTasks )
{
    test::ResetEngine();
    {
        CApplication application( std::string( TARN_SOURCE_DIR ) + "/autoexec.txt" );
        EXPECT_EQ( "800x600", std::to_string( SDL_GetVideoSurface()->w ) + "x" +
                                  std::to_string( SDL_GetVideoSurface()->h ) );
        char* title = nullptr;
        char* icon = nullptr;
        SDL_WM_GetCaption( &title, &icon );
        EXPECT_STREQ( "Tallow", title );
        for( const char* name : { "Window", "Event", "Keyboard", "Mouse", "Gfx", "Debug", "Game", "Audio" } )
            EXPECT_NE( nullptr, CTaskFactory::GetSingletonPtr()->FindTask( name ) ) << name;

        // The window's close button ends the main loop.
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent( &quit );
        EXPECT_EQ( 0, application.Run() );
    }
    EXPECT_FALSE( SDL_WasInit( SDL_INIT_VIDEO ) ) << "SDL is shut down at the end";
    test::ResetEngine();
}

// SDL's timer subsystem comes with the video unless a start-up script
// leaves it out (the engine itself uses no SDL timer).
TEST_F( WindowTest, StartsSDLsTimersUnlessTheScriptSaysNot )
{
    ASSERT_NE( Start( ", 64, 48, 32" ), nullptr );
    EXPECT_NE( SDL_WasInit( SDL_INIT_TIMER ), 0u );
    GetConsole()->Execute( "stoptask( Window )" );
    SDL_Quit();

    GetConsole()->Execute( "window_sdl_timer = 0" );
    ASSERT_NE( Start( ", 64, 48, 32" ), nullptr );
    EXPECT_EQ( Size(), "64x48" );
    EXPECT_EQ( SDL_WasInit( SDL_INIT_TIMER ), 0u );
    const Uint32 before = SDL_GetTicks();
    SDL_Delay( 20 );
    EXPECT_GE( SDL_GetTicks() - before, 20u ) << "ticks and delays need no timer subsystem";
}
