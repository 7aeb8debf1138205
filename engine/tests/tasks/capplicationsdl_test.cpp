// The "window" task as a start-up script uses it: start parameters, the log
// it writes, its commands; and the shipped start-up script as a whole.
#include <filesystem>

#include "support/sdltestsupport.h"
#include "tarn/tasks/capplication.h"
#include "tarn/tasks/capplicationsdl.h"
#include "tarn/tasks/ctaskdebug.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/ui/cconsolewindow.h"
#include "tasks/taskstest.h"

using namespace tarn;
using test::Strings;

namespace {

class WindowTest : public test::TasksTest
{
protected:
    WindowTest() { Run( "taskload( sdl )" ); }
    void TearDown() override
    {
        TasksTest::TearDown();
        SDL_Quit();
    }

    CApplicationSDL* Start( const std::string& arguments )
    {
        Run( "starttask( window, Window, 10" + arguments + " )" );
        return Find<CApplicationSDL>( "Window" );
    }
    static std::string Caption()
    {
        char* title = nullptr;
        SDL_WM_GetCaption( &title, nullptr );
        return title ? title : "<none>";
    }
    static std::string Size()
    {
        const SDL_Surface* screen = SDL_GetVideoSurface();
        return screen ? std::to_string( screen->w ) + "x" + std::to_string( screen->h ) : "<no screen>";
    }
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
    EXPECT_TRUE( window->GetVideoFlags() & SDL_RESIZABLE );
    EXPECT_FALSE( window->GetVideoFlags() & SDL_ANYFORMAT ) << "a depth was asked for";
    const SDL_version linked = *SDL_Linked_Version();
    Strings lines = log.Lines();
    lines.resize( std::min<std::size_t>( lines.size(), 11 ) );
    EXPECT_EQ( lines, ( Strings{ "Initializing video [OK]", "", "Creating new window",
                                 "Compiled with SDL version: 1.2.15",
                                 "Running with SDL version: " + std::to_string( linked.major ) + "." +
                                     std::to_string( linked.minor ) + "." + std::to_string( linked.patch ),
                                 "Using driver: dummy", "Using resizable ( SDL_RESIZABLE )",
                                 "Valid resolutions for current flags", "All resolutions available",
                                 "New window created succesfully", "" } ) );
}

// One start after the other: without parameters the defaults apply, one of
// the wrong type is skipped, sizes past the int range are held at its end
// and refused. SDL's timers come with the video unless a start-up script
// leaves them out (the engine uses none); stopping the window shuts its
// part of SDL down.
TEST_F( WindowTest, StartParametersChooseTheWindow )
{
    CTaskFactory::GetSingletonPtr()->RegisterTaskType( "plain", [] { return std::make_unique<CApplicationSDL>(); } );
    Run( "starttask( plain, Plain, 10 )" );
    EXPECT_EQ( "640x480", Size() );
    EXPECT_TRUE( Find<CApplicationSDL>( "Plain" )->GetVideoFlags() & SDL_ANYFORMAT );
    EXPECT_FALSE( Find<CApplicationSDL>( "Plain" )->Init() ) << "the window is open already";
    EXPECT_NE( SDL_WasInit( SDL_INIT_TIMER ), 0u );
    Run( "stoptask( Plain )" );
    EXPECT_FALSE( SDL_WasInit( SDL_INIT_VIDEO ) );
    SDL_Quit();
    Run( "window_sdl_timer = 0" );
    CApplicationSDL* window = Start( ", \"wide\", 200, 32, 0, 0, \"Caption\", 5, 0" );
    EXPECT_EQ( "640x200", Size() );
    EXPECT_EQ( "Caption", Caption() );
    EXPECT_FALSE( window->GetVideoFlags() & SDL_RESIZABLE );
    EXPECT_TRUE( window->GetVideoFlags() & SDL_NOFRAME );
    EXPECT_EQ( SDL_WasInit( SDL_INIT_TIMER ), 0u );
    Run( "stoptask( Window )" );
    SDL_Quit();
    test::CLogCapture log;
    window = Start( ", 800, 600, 0, 1" );
    EXPECT_TRUE( window->IsFullscreen() );
    EXPECT_EQ( 0u, window->GetVideoFlags() & ( SDL_RESIZABLE | SDL_ANYFORMAT ) ) << "neither for a full screen";
    EXPECT_TRUE( SDL_GetVideoSurface()->flags & SDL_FULLSCREEN );
    EXPECT_FALSE( log.Contains( "Error the screen mode is not available" ) );
    Run( "stoptask( Window )" );
    SDL_Quit();
    Start( ", 99999999999, 200, 32" );
    EXPECT_EQ( "640x480", Size() );
    EXPECT_TRUE( log.Contains( "Invalid width or height: 2147483647x200 (each 0 to 8192), the window stays 640x480" ) );
}

TEST_F( WindowTest, CommandsChangeTheOpenWindow )
{
    CApplicationSDL* window = Start( ", 100, 80, 32" );
    Run( "Window::SetName( \"Title\" )" );
    EXPECT_EQ( "Title", Caption() );
    Run( "Window::SetName" );
    EXPECT_EQ( "", Caption() );
    test::CLogCapture log;
    const std::pair<const char*, const char*> resizes[] = {
        { "120", "120x80" },  { "140, 90", "140x90" },          { "wide, 60", "140x60" },
        { "8192, 1", "8192x1" }, { "8193", "8192x1" },         { "99999999999, 60", "8192x1" },
        { "150, -99999999999", "8192x1" }, { "140, 60", "140x60" },
    };
    for( const auto& [ size, expected ] : resizes )
    {
        Run( std::string( "Window::Resize( " ) + size + " )" );
        EXPECT_EQ( expected, Size() ) << size;
    }
    const std::string invalid = "Invalid width or height: ";
    EXPECT_EQ( log.Lines(), ( Strings{ "Resize: wide is not a number, the width stays 140",
                                       invalid + "8193x1 (each 0 to 8192), the window stays 8192x1",
                                       invalid + "2147483647x60 (each 0 to 8192), the window stays 8192x1",
                                       invalid + "150x-2147483648 (each 0 to 8192), the window stays 8192x1" } ) );
    EXPECT_EQ( "[ERROR] You should give atleast two parameters", window->GetTaskConsole()->Execute( "Resize" ) );
    EXPECT_EQ( "", window->GetTaskConsole()->Execute( "Fullscreen" ) );
    EXPECT_TRUE( SDL_GetVideoSurface()->flags & SDL_FULLSCREEN );
    EXPECT_EQ( "140x60", Size() );
    Run( "Window::Fullscreen()" );
    EXPECT_FALSE( SDL_GetVideoSurface()->flags & SDL_FULLSCREEN );
    EXPECT_EQ( "140x60", Size() );
    // Icons up to 32 pixels a side are taken.
    const auto setIcon = [ & ]( int width, int height ) {
        const std::string file = dir + "/icon" + std::to_string( width ) + "x" + std::to_string( height ) + ".bmp";
        SDL_Surface* icon = test::MakePatternSurface( width, height, false );
        SDL_SaveBMP( icon, file.c_str() );
        SDL_FreeSurface( icon );
        Run( "Window::SetIcon( \"" + file + "\" )" );
        return file;
    };
    test::CLogCapture iconLog;
    const std::string wide = setIcon( 33, 16 ), tall = setIcon( 32, 33 );
    setIcon( 32, 32 );
    Run( "Window::SetIcon( \"" + dir + "/missing.bmp\" )" );
    const std::string from = " CApplicationSDL::WindowSetIcon() ";
    EXPECT_EQ( iconLog.LinesWithLevels(), ( test::LevelLines{
                                              { from + "Image's (" + wide + ") width is larger than 32 pixels ", 2 },
                                              { from + "Image's (" + tall + ") height is larger than 32 pixels ", 2 },
                                              { from + "Could not load file: " + dir + "/missing.bmp", 2 } } ) );
    EXPECT_EQ( "[ERROR] You have to give atleast one parameter", window->GetTaskConsole()->Execute( "SetIcon" ) );
    EXPECT_EQ( "[ERROR] You have to give atleast one parameter", window->GetTaskConsole()->Execute( "SetIcon()" ) );
}

// The player's settings, held to their range, take effect as they are
// assigned, while the window task waits paused; at scale 2 the pointer lands on the game pixel shown under it, held
// inside the picture. Full screen goes through its setting.
TEST_F( WindowTest, TheWindowScaleEnlargesThePictureAndThePointerLandsWhereItShows )
{
    Start( ", 40, 30, 32" );
    Run( "starttask( event, Event, 20 )" );
    test::CLogCapture log;
    Run( "window_scale = 9" );
    EXPECT_TRUE( log.Contains( "Setting window_scale: 9 is outside 0 to 4, set to 4" ) );
    Run( "window_scale = 2" );
    EXPECT_EQ( "80x60", Size() );
    input.events.clear();
    for( const auto& [ x, y ] : { std::pair{ 21, 41 }, { 1, 1 }, { 79, 59 }, { 300, 200 } } )
    {
        SDL_Event event{};
        event.motion = { SDL_MOUSEMOTION, 0, 0, static_cast<Uint16>( x ), static_cast<Uint16>( y ), 0, 0 };
        SDL_PushEvent( &event );
    }
    CTaskManager::GetSingletonPtr()->RunOnce();
    EXPECT_EQ( input.events, ( Strings{ "1000 move 10,20", "1000 move 0,0", "1000 move 39,29", "1000 move 39,29" } ) );
    Run( "Window::Fullscreen" );
    EXPECT_EQ( "1", GetConsole()->GetVariable( "fullscreen" ) );
    EXPECT_TRUE( SDL_GetVideoSurface()->flags & SDL_FULLSCREEN );
    Run( "fullscreen = 0" );
    EXPECT_EQ( "80x60", Size() ) << "a window again, at scale 2";
}

// The game's window and tasks; F1 opens the widget console, with the lines
// of its history file, on the way down only; F12 takes one screenshot a press.
TEST_F( WindowTest, TheShippedStartUpScriptOpensTheGameWithItsDeveloperKeys )
{
    clock.reset();
    test::CWorkingDirectory here( dir );
    test::WriteFile( dir + "/history.txt", "answer = 42\n" );
    {
        CApplication application( std::string( TARN_SOURCE_DIR ) + "/autoexec.txt", "", {}, dir + "/history.txt" );
        EXPECT_EQ( "800x600", Size() );
        EXPECT_EQ( "Tallow", Caption() );
        EXPECT_EQ( CTaskManager::GetSingletonPtr()->PassSleep(), 1 );
        EXPECT_EQ( SDL_WasInit( SDL_INIT_TIMER ), 0u );
        for( const char* name : { "Window", "Event", "Keyboard", "Mouse", "Gfx", "Debug", "Game", "Audio" } )
            EXPECT_NE( nullptr, Find<CTask>( name ) ) << name;
        const auto& running = CTaskManager::GetSingletonPtr()->GetRunningTasks();
        EXPECT_NE( std::find( running.begin(), running.end(), Find<CTask>( "Audio" ) ), running.end() );
        auto* debug = Find<CTaskDebug>( "Debug" );
        const auto press = [ & ]( int key ) {
            CInputDispatcher::GetSingletonPtr()->NotifyKeyDown( key, 0 );
            CInputDispatcher::GetSingletonPtr()->NotifyKeyUp( key, 0 );
            application.RunOnce();
        };
        test::CLogCapture log;
        press( SDLK_F1 );
        press( SDLK_F12 );
        auto* window = dynamic_cast<ui::CConsoleWindow*>( debug->GetConsoleWindow() );
        ASSERT_NE( window, nullptr );
        EXPECT_TRUE( window->IsShown() );
        EXPECT_EQ( window->GetHistory(), std::vector<std::string>{ "answer = 42" } );
        EXPECT_TRUE( log.Contains( "Screenshot saved: screenshot_000.bmp" ) );
        EXPECT_FALSE( std::filesystem::exists( "screenshot_001.bmp" ) ) << "one a press";
        press( SDLK_F1 );
        EXPECT_FALSE( window->IsShown() );
        Run( "quit" );
        EXPECT_EQ( 0, application.Run() );
    }
    EXPECT_FALSE( SDL_WasInit( SDL_INIT_VIDEO ) ) << "SDL is shut down at the end";
}
