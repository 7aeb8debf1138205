// The "debug" task: its commands, the FPS display, the input devices it
// runs, screenshots, and its place in the shipped start-up script.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>

#include "support/sdltestsupport.h"
#include "support/testsupport.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/csprite.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/tasks/capplication.h"
#include "tarn/tasks/cinputrecorder.h"
#include "tarn/tasks/cplaybackmouse.h"
#include "tarn/tasks/ctaskdebug.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/ui/cconsolewindow.h"
#include "tarn/utils/enginetime.h"

using namespace tarn;
using Strings = std::vector<std::string>;
using LevelLines = std::vector<std::pair<std::string, int>>;

namespace {

// A sprite that keeps every text it is given.
class CTextSink final : public CSprite
{
public:
    explicit CTextSink( Strings* texts ) : myTexts( texts ) {}
    void SetText( const std::string& text ) override { myTexts->push_back( text ); }

private:
    Strings* myTexts;
};

// A console window that remembers how it was told to be.
class CFakeConsoleWindow final : public CDebugConsoleWindow
{
public:
    explicit CFakeConsoleWindow( Strings* calls ) : myCalls( calls ) {}
    void SetOpen( bool open ) override { myCalls->push_back( open ? "open" : "close" ); }
    bool TakeToggleRequest() override
    {
        const bool request = toggleRequested;
        toggleRequested = false;
        return request;
    }

    bool toggleRequested = false;

private:
    Strings* myCalls;
};

using test::CWorkingDirectory;

class DebugTaskTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        clock = std::make_unique<test::CManualClock>( 1000 );
        dir = test::MakeTempDir( "debugtask" );
        ASSERT_EQ( GetConsole()->Execute( "starttask( debug, Debug, 80 )" ), "debug started" );
        debug = dynamic_cast<CTaskDebug*>( CTaskFactory::GetSingletonPtr()->FindTask( "Debug" ) );
        ASSERT_NE( debug, nullptr );
    }
    void TearDown() override
    {
        CTaskDebug::SetConsoleWindowMaker( nullptr );
        GetConsole()->Execute( "Debug::BanAsserts( 0 )" );
        test::ResetEngine();
        clock.reset();
    }

    std::string Run( const std::string& line ) { return GetConsole()->Execute( "Debug::" + line ); }

    std::unique_ptr<test::CManualClock> clock;
    CTaskDebug* debug = nullptr;
    std::string dir;
};

} // namespace

TEST_F( DebugTaskTest, TheFpsDisplayShowsThePassesOfEachSecond )
{
    ASSERT_NE( debug->GetFpsSprite(), nullptr ) << "made at start";
    EXPECT_EQ( debug->GetFpsSprite()->GetParent(), CScreenLayer::GetSingletonPtr() );
    Strings texts;
    debug->SetFpsSprite( std::make_unique<CTextSink>( &texts ) );

    // 60 passes in the first second, the last one on the second.
    for( int pass = 0; pass < 58; ++pass )
    {
        debug->Update();
        clock->Advance( 16 );
    }
    clock->Set( 1999 );
    debug->Update();
    EXPECT_TRUE( texts.empty() ) << "999 ms are not yet a second";
    clock->Set( 2000 );
    debug->Update();
    EXPECT_EQ( texts, Strings{ "Fps: 60" } );
    EXPECT_FLOAT_EQ( debug->GetAverageFps(), 60.0f );

    // 30 in the next: the average moves halfway there.
    for( int pass = 0; pass < 29; ++pass )
    {
        clock->Advance( 33 );
        debug->Update();
    }
    clock->Set( 3001 );
    debug->Update();
    EXPECT_EQ( texts, ( Strings{ "Fps: 60", "Fps: 30" } ) );
    EXPECT_FLOAT_EQ( debug->GetAverageFps(), 45.0f );
    EXPECT_EQ( debug->GetMinimumFps(), 30u );
    EXPECT_EQ( debug->GetMaximumFps(), 60u );

    // A long stall counts its one pass.
    clock->Set( 9000 );
    debug->Update();
    EXPECT_EQ( texts.back(), "Fps: 1" );
    EXPECT_EQ( debug->GetMinimumFps(), 1u );
}

TEST_F( DebugTaskTest, BanAssertsSetsAndClearsTheProcessWideFlag )
{
    test::CLogCapture log;
    EXPECT_EQ( Run( "BanAsserts( 1 )" ), "" );
    EXPECT_TRUE( CTaskDebug::AreAssertsBanned() );
    Run( "BanAsserts( 0.7 )" );
    EXPECT_FALSE( CTaskDebug::AreAssertsBanned() ) << "truncated to 0";
    Run( "BanAsserts( -2 )" );
    EXPECT_TRUE( CTaskDebug::AreAssertsBanned() );
    Run( "BanAsserts( 0 )" );
    EXPECT_FALSE( CTaskDebug::AreAssertsBanned() );
    EXPECT_TRUE( log.Lines().empty() );

    // A text bans them, with a word about how to use the command.
    Run( "BanAsserts( \"x\" )" );
    EXPECT_TRUE( CTaskDebug::AreAssertsBanned() );
    // Without any argument list only the word; an empty list does nothing.
    Run( "BanAsserts( 0 )" );
    Run( "BanAsserts" );
    EXPECT_FALSE( CTaskDebug::AreAssertsBanned() );
    Run( "BanAsserts()" );
    EXPECT_FALSE( CTaskDebug::AreAssertsBanned() );
    EXPECT_EQ( log.LinesWithLevels(),
               ( LevelLines{ { CTaskDebug::BAN_ASSERTS_ERROR, LOG_ERROR }, { CTaskDebug::BAN_ASSERTS_ERROR, LOG_ERROR } } ) );
}

TEST_F( DebugTaskTest, InputCommandsWithoutAFileNameSaySo )
{
    test::CLogCapture log;
    EXPECT_EQ( Run( "RecordInput" ), "" );
    EXPECT_EQ( Run( "RecordInput( 5 )" ), "" );
    EXPECT_EQ( Run( "PlaybackInput" ), "" );
    EXPECT_EQ( Run( "PlaybackInput()" ), "" );
    EXPECT_EQ( debug->GetInputDevice(), nullptr );
    EXPECT_EQ( log.LinesWithLevels(), ( LevelLines{ { CTaskDebug::RECORD_INPUT_ERROR, LOG_ERROR },
                                                    { CTaskDebug::RECORD_INPUT_ERROR, LOG_ERROR },
                                                    { CTaskDebug::PLAYBACK_INPUT_ERROR, LOG_ERROR },
                                                    { CTaskDebug::PLAYBACK_INPUT_ERROR, LOG_ERROR } } ) );
}

TEST_F( DebugTaskTest, RecordThenPlayBackThroughTheCommands )
{
    const std::string file = dir + "/input.txt";
    Run( "RecordInput( \"" + file + "\" )" );
    ASSERT_NE( dynamic_cast<CInputRecorder*>( debug->GetInputDevice() ), nullptr );
    clock->Set( 5000 );
    CInputDispatcher::GetSingletonPtr()->NotifyMouseMove( 10, 20, 0, 0 );
    debug->Update();  // a recorder has nothing to step

    // Playback replaces the recorder, which stops listening.
    Run( "PlaybackInput( \"" + file + "\" )" );
    auto* player = dynamic_cast<CPlaybackMouse*>( debug->GetInputDevice() );
    ASSERT_NE( player, nullptr );
    ASSERT_EQ( player->GetQueue().size(), 1u );
    debug->Update();  // delivers the motion, which is not recorded again
    const Strings lines = test::SplitLines( test::ReadFile( file ) );
    ASSERT_EQ( lines.size(), 2u );
    EXPECT_EQ( lines[ 1 ], "5000 mm 10 20" );

    // While it plays, the engine clock is the player's; after, ours again.
    clock->Set( 7000 );
    EXPECT_EQ( EngineTime(), 5000u );
    debug->Update();
    EXPECT_EQ( EngineTime(), 7000u ) << "real time after the last event";
    GetConsole()->Execute( "stoptask( Debug )" );
    clock->Set( 7100 );
    EXPECT_EQ( EngineTime(), 7100u );
}

TEST_F( DebugTaskTest, AScriptMayStartAnotherPlaybackFromAnEvent )
{
    // A listener that, like a level script reacting to a click, starts a
    // second playback while the first is delivering.
    class CScripted final : public CMouseListener
    {
    public:
        void OnMouseMove( int, int ) override {}
        void OnMouseMoveRelative( int, int ) override {}
        void OnButtonDown( int ) override { GetConsole()->Execute( line ); }
        void OnButtonUp( int button ) override { releases.push_back( button ); }
        std::string line;
        std::vector<int> releases;
    } scripted;
    test::WriteFile( dir + "/second.txt", "1\n2000 mu 8\n" );
    test::WriteFile( dir + "/first.txt", "1\n1500 md 1\n1500 mu 1\n" );
    scripted.line = "Debug::PlaybackInput( \"" + dir + "/second.txt\" )";
    CInputDispatcher::GetSingletonPtr()->AddMouseListener( &scripted );

    Run( "PlaybackInput( \"" + dir + "/first.txt\" )" );
    clock->Set( 1600 );  // what the players take for real time
    debug->Update();     // the clock moves to 1500
    debug->Update();     // the press starts the second playback
    EXPECT_TRUE( scripted.releases.empty() ) << "the first playback's release is dropped";
    EXPECT_EQ( EngineTime(), 1600u ) << "the second playback's clock, at real time";
    clock->Set( 2100 );
    debug->Update();
    debug->Update();
    EXPECT_EQ( scripted.releases, std::vector<int>{ 8 } );
    EXPECT_EQ( EngineTime(), 2100u );

    CInputDispatcher::GetSingletonPtr()->RemoveMouseListener( &scripted );
    GetConsole()->Execute( "stoptask( Debug )" );
    clock->Set( 2200 );
    EXPECT_EQ( EngineTime(), 2200u ) << "the clock is the test's again, not a stale player's";
}

TEST_F( DebugTaskTest, ToggleConsoleOpensAndClosesTheWindow )
{
    // Without a window to make, only the flag changes.
    EXPECT_EQ( Run( "ToggleConsole" ), "" );
    EXPECT_TRUE( debug->IsConsoleOpen() );
    Run( "ToggleConsole()" );
    EXPECT_FALSE( debug->IsConsoleOpen() );

    Strings calls;
    int made = 0;
    CFakeConsoleWindow* window = nullptr;
    CTaskDebug::SetConsoleWindowMaker( [ & ] {
        ++made;
        auto made_window = std::make_unique<CFakeConsoleWindow>( &calls );
        window = made_window.get();
        return made_window;
    } );
    Run( "ToggleConsole" );
    Run( "ToggleConsole" );
    Run( "ToggleConsole" );
    EXPECT_EQ( made, 1 ) << "made on first use only";
    EXPECT_EQ( calls, ( Strings{ "open", "close", "open" } ) );

    // The window's own close control is heard at the next update.
    window->toggleRequested = true;
    debug->Update();
    EXPECT_FALSE( debug->IsConsoleOpen() );
    debug->Update();
    EXPECT_EQ( calls, ( Strings{ "open", "close", "open", "close" } ) );
}

TEST_F( DebugTaskTest, ExitLetsGoOfEverything )
{
    Strings calls;
    CTaskDebug::SetConsoleWindowMaker( [ & ] { return std::make_unique<CFakeConsoleWindow>( &calls ); } );
    Run( "ToggleConsole" );
    Run( "RecordInput( \"" + dir + "/input.txt\" )" );
    ASSERT_NE( debug->GetConsoleWindow(), nullptr );
    GetConsole()->Execute( "stoptask( Debug )" );
    EXPECT_EQ( debug->GetFpsSprite(), nullptr );
    EXPECT_EQ( debug->GetInputDevice(), nullptr );
    EXPECT_EQ( debug->GetConsoleWindow(), nullptr );
    EXPECT_TRUE( CScreenLayer::GetSingletonPtr()->IsEmpty() ) << "the FPS display left the screen";
}

TEST_F( DebugTaskTest, ScreenshotWithoutAScreenSaysSo )
{
    test::CLogCapture log;
    EXPECT_EQ( Run( "Screenshot( \"" + dir + "/shot.tga\" )" ), "" );
    EXPECT_FALSE( std::filesystem::exists( dir + "/shot.tga" ) );
    EXPECT_EQ( log.LinesWithLevels(), ( LevelLines{ { "Screenshot - there is no screen to save", LOG_ERROR } } ) );
    Run( "Screenshot( 12 )" );
    EXPECT_EQ( log.Lines().back(), CTaskDebug::SCREENSHOT_ERROR );
}

namespace {

bool SameColour( const CColor& a, const CColor& b )
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

// The debug task over the real graphics task on the dummy video driver.
class ScreenshotTest : public DebugTaskTest
{
protected:
    void SetUp() override
    {
        DebugTaskTest::SetUp();
        video = std::make_unique<test::CVideoMode>( 40, 30 );
        GetConsole()->Execute( "taskload( sdl )" );
        ASSERT_EQ( GetConsole()->Execute( "starttask( gfx, Gfx, 60 )" ), "gfx started" );

        // A picture on the screen, presented by one frame of the gfx task.
        SDL_Surface* pattern = test::MakePatternSurface( 24, 16, false );
        const std::string image = dir + "/pattern.bmp";
        SDL_SaveBMP( pattern, image.c_str() );
        SDL_FreeSurface( pattern );
        sprite = CSpriteFactory::LoadSprite( image );
        sprite->SetPosition( 10, 6 );
        clock->Advance( 100 );
        CTaskFactory::GetSingletonPtr()->FindTask( "Gfx" )->Update();
    }
    void TearDown() override
    {
        sprite.reset();
        DebugTaskTest::TearDown();
        video.reset();
    }

    // Where the file differs from the display ("" when it shows it).
    std::string CompareWithDisplay( const std::string& file )
    {
        SDL_Surface* loaded = IMG_Load( file.c_str() );
        if( !loaded )
            return "could not load " + file;
        const std::string difference = test::CompareSurfaces( video->GetDisplay(), loaded, false );
        SDL_FreeSurface( loaded );
        return difference;
    }

    std::unique_ptr<test::CVideoMode> video;
    std::unique_ptr<CSprite> sprite;
};

} // namespace

TEST_F( ScreenshotTest, SavesWhatTheScreenShows )
{
    ASSERT_TRUE( SameColour( test::PixelOf( video->GetDisplay(), 15, 10 ), test::PatternColor( 5, 4 ) ) )
        << "the sprite is on show";

    test::CLogCapture log;
    const std::string tga = dir + "/shot.tga";
    EXPECT_EQ( Run( "Screenshot( \"" + tga + "\" )" ), "" );
    EXPECT_EQ( CompareWithDisplay( tga ), "" );

    // A sprite that moved since the last frame is already erased from the
    // screen surface; the screenshot presents the new frame rather than
    // save a picture with a hole in it.
    sprite->SetPosition( 0, 0 );
    const std::string bmp = dir + "/shot.bmp";
    Run( "Screenshot( \"" + bmp + "\" )" );
    EXPECT_EQ( CompareWithDisplay( bmp ), "" );
    SDL_Surface* loaded = IMG_Load( bmp.c_str() );
    ASSERT_NE( loaded, nullptr );
    EXPECT_TRUE( SameColour( test::PixelOf( loaded, 15, 10 ), test::PatternColor( 15, 10 ) ) );
    EXPECT_TRUE( SameColour( test::PixelOf( loaded, 30, 20 ), CColor( 0, 0, 0 ) ) ) << "the old place is clear";
    EXPECT_EQ( loaded->w, 40 );
    EXPECT_EQ( loaded->h, 30 );
    SDL_FreeSurface( loaded );

    EXPECT_EQ( log.Lines(), ( Strings{ "Screenshot saved: " + tga, "Screenshot saved: " + bmp } ) );
}

TEST_F( ScreenshotTest, WithoutANameTheNextFreeNumberIsTaken )
{
    CWorkingDirectory here( dir );
    test::WriteFile( "screenshot_001.bmp", "someone else's" );
    test::CLogCapture log;
    Run( "Screenshot" );
    Run( "Screenshot()" );
    Run( "Screenshot( \"\" )" );
    EXPECT_EQ( log.Lines(), ( Strings{ "Screenshot saved: screenshot_000.bmp", "Screenshot saved: screenshot_002.bmp",
                                       "Screenshot saved: screenshot_003.bmp" } ) );
    EXPECT_EQ( CompareWithDisplay( "screenshot_003.bmp" ), "" );
    EXPECT_EQ( test::ReadFile( "screenshot_001.bmp" ), "someone else's" );
}

TEST_F( ScreenshotTest, AFileThatCannotBeWrittenIsReported )
{
    test::CLogCapture log;
    const std::string bad = dir + "/missing/shot.bmp";
    Run( "Screenshot( \"" + bad + "\" )" );
    const Strings lines = log.Lines();
    ASSERT_FALSE( lines.empty() );
    EXPECT_EQ( lines.back(), "Screenshot could not be saved: " + bad );
    EXPECT_FALSE( log.Contains( "Screenshot saved: " + bad ) );
}

TEST( DebugStartupScript, F1TogglesTheConsoleAndF12TakesAScreenshot )
{
    test::ResetEngine();
    const std::string dir = test::MakeTempDir( "debugscript" );
    {
        CWorkingDirectory here( dir );
        CApplication application( std::string( TARN_SOURCE_DIR ) + "/autoexec.txt" );
        auto* debug = dynamic_cast<CTaskDebug*>( CTaskFactory::GetSingletonPtr()->FindTask( "Debug" ) );
        ASSERT_NE( debug, nullptr );
        EXPECT_FALSE( debug->IsConsoleOpen() );

        test::CLogCapture log;
        for( SDLKey key : { SDLK_F1, SDLK_F12 } )
        {
            SDL_Event event{};
            event.type = SDL_KEYDOWN;
            event.key.keysym.sym = key;
            SDL_PushEvent( &event );
            event.type = SDL_KEYUP;
            SDL_PushEvent( &event );
        }
        for( int pass = 0; pass < 3; ++pass )
            application.RunOnce();
        EXPECT_TRUE( debug->IsConsoleOpen() ) << "opened on the way down, not closed on the way up";
        auto* window = dynamic_cast<ui::CConsoleWindow*>( debug->GetConsoleWindow() );
        ASSERT_NE( window, nullptr ) << "the program's console is the widget console";
        EXPECT_TRUE( window->IsShown() );
        EXPECT_TRUE( log.Contains( "Screenshot saved: screenshot_000.bmp" ) );
        EXPECT_FALSE( std::filesystem::exists( "screenshot_001.bmp" ) ) << "one screenshot a press";
        SDL_Surface* shot = IMG_Load( "screenshot_000.bmp" );
        ASSERT_NE( shot, nullptr );
        EXPECT_EQ( shot->w, 800 );
        EXPECT_EQ( shot->h, 600 );
        SDL_FreeSurface( shot );

        // F1 again hides it.
        SDL_Event f1{};
        f1.type = SDL_KEYDOWN;
        f1.key.keysym.sym = SDLK_F1;
        SDL_PushEvent( &f1 );
        f1.type = SDL_KEYUP;
        SDL_PushEvent( &f1 );
        for( int pass = 0; pass < 3; ++pass )
            application.RunOnce();
        EXPECT_FALSE( window->IsShown() );

        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent( &quit );
        EXPECT_EQ( application.Run(), 0 );
    }
    test::ResetEngine();
}
