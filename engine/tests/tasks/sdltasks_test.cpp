// The tasks over SDL's dummy video driver: events reaching the engine through
// the "event" task, the cursor commands of the "mouse" task, frames of the
// "gfx" task, and screenshots of what it shows.
#include <SDL_image.h>

#include "support/sdltestsupport.h"
#include "tarn/gfx/cdebugdrawing.h"
#include "tarn/gfx/cdebugoverlay.h"
#include "tarn/gfx/cgfxfactory.h"
#include "tarn/gfx/cmoveeffect.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/csprite.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/cspriteupdater.h"
#include "tarn/gfx/gfx.h"
#include "tarn/inputdevice/cmouse.h"
#include "tarn/inputdevice/cursorimages.h"
#include "tarn/tasks/cgfxtasksdl.h"
#include "tarn/tasks/ctaskdebug.h"
#include "tarn/tasks/ctaskevent.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/tasks/ctaskmouse.h"
#include "tasks/taskstest.h"

using namespace tarn;
using test::Strings;

namespace {

// The event and mouse tasks run; the others start where needed.
class SdlTasksTest : public test::TasksTest
{
protected:
    SdlTasksTest()
    {
        Run( "taskload( sdl )" );
        Run( "starttask( event, Event, 20 )" );
        Run( "starttask( mouse, Mouse, 40 )" );
    }
    static void Push( Uint8 type, const std::function<void( SDL_Event& )>& fill = nullptr )
    {
        SDL_Event event{};
        event.type = type;
        if( fill )
            fill( event );
        SDL_PushEvent( &event );
    }
    void PassAfter( types::ticks ms )
    {
        clock->Advance( ms );
        CTaskManager::GetSingletonPtr()->RunOnce();
    }

    std::unique_ptr<test::CVideoMode> video = std::make_unique<test::CVideoMode>( 80, 60 );
};

} // namespace

TEST_F( SdlTasksTest, EveryKindOfEventReachesItsListeners )
{
    Push( SDL_KEYDOWN, []( SDL_Event& e ) { e.key.keysym = { 0, SDLK_a, KMOD_NONE, 'a' }; } );
    Push( SDL_KEYUP, []( SDL_Event& e ) { e.key.keysym = { 0, SDLK_a, KMOD_NONE, 233 }; } );  // beyond ASCII
    Push( SDL_MOUSEMOTION, []( SDL_Event& e ) { e.motion = { SDL_MOUSEMOTION, 0, 0, 10, 20, -1, 2 }; } );
    Push( SDL_MOUSEBUTTONDOWN, []( SDL_Event& e ) { e.button.button = SDL_BUTTON_RIGHT; } );
    Push( SDL_MOUSEBUTTONUP, []( SDL_Event& e ) { e.button.button = SDL_BUTTON_WHEELDOWN; } );
    Push( SDL_MOUSEBUTTONDOWN, []( SDL_Event& e ) { e.button.button = 6; } );
    Push( SDL_ACTIVEEVENT, []( SDL_Event& e ) { e.active.state = SDL_APPINPUTFOCUS; } );
    Push( SDL_ACTIVEEVENT, []( SDL_Event& e ) { e.active.state = SDL_APPMOUSEFOCUS; } );  // not ours: ignored
    Push( SDL_VIDEORESIZE, []( SDL_Event& e ) { e.resize = { SDL_VIDEORESIZE, 300, 200 }; } );
    CTaskManager::GetSingletonPtr()->RunOnce();
    EXPECT_EQ( input.events, ( Strings{ "1000 down 97,97", "1000 up 97,0", "1000 move 10,20", "1000 press 4",
                                        "1000 release 16", "1000 press 0", "1000 no focus", "1000 size 300,200" } ) );
    EXPECT_EQ( input.relative, Strings{ "-1,2" } );
    EXPECT_EQ( 10, GetMouse()->GetX() );
    EXPECT_EQ( MOUSE_BUTTON_RIGHT, GetMouse()->GetButtons() );
    EXPECT_FALSE( CTaskManager::GetSingletonPtr()->IsQuitRequested() );
    // Closing the window ends the main loop.
    Push( SDL_QUIT );
    CTaskManager::GetSingletonPtr()->RunOnce();
    EXPECT_TRUE( CTaskManager::GetSingletonPtr()->IsQuitRequested() );
    EXPECT_TRUE( CTaskManager::GetSingletonPtr()->GetRunningTasks().empty() );
}

TEST_F( SdlTasksTest, TheMouseTaskChangesHidesAndShowsTheCursor )
{
    auto* events = Find<CTaskEvent>( "Event" );
    CConsole* console = Find<CTaskMouse>( "Mouse" )->GetTaskConsole();
    const auto mouse = [ console ]( const std::string& line ) { return console->Execute( line ); };
    SDL_Cursor* standard = SDL_GetCursor();
    EXPECT_EQ( "", mouse( "CursorChangeTo( \"cursor_cross\" )" ) );
    SDL_Cursor* cross = SDL_GetCursor();
    EXPECT_NE( standard, cross );
    EXPECT_EQ( CURSOR_CROSS, events->GetCursorType() );
    mouse( "CursorChangeTo( \"cursor_none\" )" );
    EXPECT_EQ( CURSOR_NONE, events->GetCursorType() );
    mouse( "CursorChangeTo( \"cursor_text\" )" );
    EXPECT_NE( cross, SDL_GetCursor() );
    EXPECT_EQ( "", mouse( "CursorHide" ) );
    EXPECT_EQ( SDL_DISABLE, SDL_ShowCursor( SDL_QUERY ) );
    EXPECT_EQ( "", mouse( "CursorShow()" ) );
    EXPECT_EQ( SDL_ENABLE, SDL_ShowCursor( SDL_QUERY ) );
    EXPECT_EQ( "", mouse( "CaptureInput( 0 )" ) );
    // Misuse is answered with an error text and changes nothing.
    const std::string unknown = "[ERROR] Could not recognize your cursor type";
    const std::string notNumber = "[ERROR] Input need to be of number";
    const std::string none =
        "[ERROR] Needs a parameter to define to what we change our cursor( like arrow, cross, text... )";
    const std::pair<const char*, std::string> misuses[] = {
        { "CursorChangeTo", none },
        { "CursorChangeTo( 3 )", unknown }, { "CursorChangeTo()", unknown },
        { "CaptureInput", notNumber },      { "CaptureInput( yes )", notNumber } };
    for( const auto& [ line, error ] : misuses )
        EXPECT_EQ( error, mouse( line ) );
    EXPECT_EQ( CURSOR_TEXT, events->GetCursorType() );
    mouse( "CursorChangeTo( \"no such cursor\" )" );
    EXPECT_EQ( CURSOR_NONE, events->GetCursorType() );
    // Without the event task the commands do nothing.
    CTaskManager::GetSingletonPtr()->KillTask( events );
    SDL_Cursor* before = SDL_GetCursor();
    EXPECT_EQ( "", mouse( "CursorChangeTo( \"cursor_hand\" )" ) );
    EXPECT_EQ( before, SDL_GetCursor() );
}

// A profiling tool sees what every frame drew and presented: with only the
// changed areas presented, a frame in which nothing changed costs nothing;
// the engine's default presents the whole display every frame; the full
// redraw switch draws everything again.
TEST_F( SdlTasksTest, TheGfxTaskDrawsAFrameEvery16MillisecondsAndReportsItsPixels )
{
    std::vector<FrameReport> frames;
    CGfxTaskSDL::SetFrameReportListener( [ & ]( const FrameReport& frame ) { frames.push_back( frame ); } );
    ASSERT_EQ( Run( "starttask( gfx, Gfx, 60 )" ), "gfx started" );
    ASSERT_NE( CScreenLayer::GetScreenSurface(), nullptr );
    EXPECT_EQ( CScreenLayer::GetScreenSurface()->GetWidth(), 80 );
    Run( "gfx_flip_update_rects = 1" );
    CSprite sprite;
    sprite.SetImage( Gfx::GetFactory()->NewBuffer( 10, 10, CColor( 255, 0, 255 ) ) );
    sprite.SetImageRect( types::rect{ 0, 0, 10, 10 } );
    sprite.SetParent( CScreenLayer::GetSingletonPtr() );
    StartEffect( std::make_unique<CMoveEffect>( &sprite, 1000, 0, 1000 ) );
    PassAfter( 15 );
    EXPECT_TRUE( frames.empty() ) << "no frame before 16 ms";
    PassAfter( 1 );
    EXPECT_EQ( sprite.GetX(), 16 );
    PassAfter( 0 );
    PassAfter( 10 );
    EXPECT_EQ( frames.size(), 1u ) << "the next frame waits another 16 ms";
    PassAfter( 6 );
    EXPECT_EQ( sprite.GetX(), 32 );
    EXPECT_EQ( frames.back().time, EngineTime() );
    EXPECT_EQ( frames.back().pixelsPresented, 200 ) << "the old and the new place";
    EXPECT_EQ( frames.back().pixelsDrawn, 200 ) << "the background put back, the sprite drawn";
    // Under a menu the game is held: frames go on, the sprites' clock stops.
    CTaskManager::GetSingletonPtr()->SetHolding( "menu", true );
    PassAfter( 16 );
    EXPECT_EQ( frames.size(), 3u );
    EXPECT_EQ( sprite.GetX(), 32 );
    CTaskManager::GetSingletonPtr()->SetHolding( "menu", false );
    CSpriteUpdater::GetSingletonPtr()->RemoveEffectsOf( &sprite );
    const auto frame = [ & ] {
        PassAfter( 16 );
        return frames.back();
    };
    frame();
    EXPECT_EQ( frame().pixelsPresented, 0 ) << "nothing changed";
    EXPECT_EQ( frames.back().pixelsDrawn, 0 );
    Run( "gfx_flip_update_rects = 0" );
    EXPECT_EQ( frame().pixelsPresented, 80 * 60 ) << "a whole flip presents everything";
    EXPECT_EQ( frames.back().pixelsDrawn, 0 );
    Run( "gfx_redraw_every_frame = 1" );
    EXPECT_EQ( frame().pixelsDrawn, 100 );
    EXPECT_EQ( frame().pixelsDrawn, 100 ) << "every frame";
    EXPECT_EQ( frames.back().pixelsPresented, 80 * 60 );
    CGfxTaskSDL::SetFrameReportListener( nullptr );
    Run( "stoptask( Gfx )" );
    EXPECT_EQ( Gfx::GetFactory(), nullptr );
    EXPECT_EQ( CScreenLayer::GetScreenSurface(), nullptr );
    EXPECT_FALSE( CScreenLayer::HasSingleton() );
}

TEST_F( SdlTasksTest, ScreenshotsSaveWhatTheScreenShowsUnderAFreeName )
{
    Run( "starttask( debug, Debug, 80 )" );  // first: its FPS display stays empty
    Run( "starttask( gfx, Gfx, 60 )" );
    test::CWorkingDirectory here( dir );
    SDL_Surface* pattern = test::MakePatternSurface( 24, 16, false );
    SDL_SaveBMP( pattern, "pattern.bmp" );
    SDL_FreeSurface( pattern );
    std::unique_ptr<CSprite> sprite = CSpriteFactory::LoadSprite( "pattern.bmp" );
    sprite->SetPosition( 10, 6 );
    PassAfter( 100 );
    const auto rgb = []( CColor c ) {
        c.a = 255;
        return c;
    };
    ASSERT_EQ( rgb( test::PixelOf( video->GetDisplay(), 15, 10 ) ), rgb( test::PatternColor( 5, 4 ) ) );
    const auto showsTheDisplay = [ & ]( const char* file ) {
        SDL_Surface* loaded = IMG_Load( file );
        const std::string difference = loaded ? test::CompareSurfaces( video->GetDisplay(), loaded, false ) : "none";
        SDL_FreeSurface( loaded );
        return difference;
    };
    test::WriteFile( "screenshot_001.bmp", "someone else's" );
    test::CLogCapture log;
    Run( "Debug::Screenshot( \"shot.tga\" )" );
    EXPECT_EQ( showsTheDisplay( "shot.tga" ), "" );
    // A sprite moved since the last frame is already erased from the screen
    // surface; the screenshot presents the new frame rather than save a
    // picture with a hole in it.
    sprite->SetPosition( 0, 0 );
    Run( "Debug::Screenshot" );
    EXPECT_EQ( showsTheDisplay( "screenshot_000.bmp" ), "" );
    EXPECT_EQ( rgb( test::PixelOf( video->GetDisplay(), 15, 10 ) ), rgb( test::PatternColor( 15, 10 ) ) );
    EXPECT_EQ( rgb( test::PixelOf( video->GetDisplay(), 30, 20 ) ), CColor( 0, 0, 0 ) ) << "the old place is clear";
    Run( "Debug::Screenshot()" );
    Run( "Debug::Screenshot( \"\" )" );
    Run( "Debug::Screenshot( \"missing/shot.bmp\" )" );
    EXPECT_EQ( log.Lines(), ( Strings{ "Screenshot saved: shot.tga", "Screenshot saved: screenshot_000.bmp",
                                       "Screenshot saved: screenshot_002.bmp", "Screenshot saved: screenshot_003.bmp",
                                       "Could not save missing/shot.bmp: No such file or directory",
                                       "Screenshot could not be saved: missing/shot.bmp" } ) );
    EXPECT_EQ( test::ReadFile( "screenshot_001.bmp" ), "someone else's" );
}

TEST_F( SdlTasksTest, DebugOverlaysAreNamedCycledPresentedAndLeftOutOfScreenshotsUnlessAsked )
{
    Run( "starttask( debug, Debug, 80 )" );
    Run( "starttask( gfx, Gfx, 60 )" );
    Run( "gfx_flip_update_rects = 1" );
    test::CWorkingDirectory here( dir );
    // A white box over a black screen.
    struct CBoxOverlay final : CDebugOverlay
    {
        CBoxOverlay() : CDebugOverlay( "box" ) {}
        void Draw( CDebugDrawing& d ) const override
        {
            d.FillBox( types::rect{ 50, 40, 10, 8 }, CColor( 255, 255, 255 ) );
        }
    } box;
    CScreenLayer::GetSingletonPtr()->GetDebugOverlays().Add( &box );
    std::vector<FrameReport> frames;
    CGfxTaskSDL::SetFrameReportListener( [ & ]( const FrameReport& frame ) { frames.push_back( frame ); } );
    PassAfter( 100 );

    test::CLogCapture log;
    for( const char* line : { "Debug::Overlay( \"nope\" )", "Debug::CycleOverlay", "Debug::CycleOverlay",
                              "Debug::CycleOverlay", "Debug::Overlay( 3 )" } )
        Run( line );
    EXPECT_EQ( log.Lines(), ( Strings{ "Overlay - no overlay called nope; known: box dirty, off", "Overlay: box",
                                       "Overlay: dirty", "Overlay: off", CTaskDebug::OVERLAY_ERROR } ) );

    // Each frame presents the box and takes it off the screen after: the
    // frame after it is turned off presents its place once more.
    Run( "Debug::Overlay( \"box\" )" );
    PassAfter( 16 );
    EXPECT_EQ( frames.back().pixelsPresented, 80 );
    EXPECT_EQ( test::PixelOf( video->GetDisplay(), 52, 42 ), CColor( 0, 0, 0 ) );
    Run( "Debug::Overlay( \"off\" )" );
    PassAfter( 16 );
    EXPECT_EQ( frames.back().pixelsPresented, 80 );
    PassAfter( 16 );
    EXPECT_EQ( frames.back().pixelsPresented, 0 );

    const auto shot = [ & ]( const char* name ) {
        Run( std::string( "Debug::Screenshot( \"" ) + name + "\" )" );
        SDL_Surface* loaded = IMG_Load( name );
        const std::string difference = loaded ? test::CompareSurfaces( video->GetDisplay(), loaded, false ) : "none";
        const CColor inBox = loaded ? test::PixelOf( loaded, 52, 42 ) : CColor();
        SDL_FreeSurface( loaded );
        return std::make_pair( difference, inBox );
    };
    Run( "Debug::Overlay( \"box\" )" );
    EXPECT_EQ( shot( "plain.bmp" ).first, "" );
    Run( "debug_overlay_in_screenshots = 1" );
    EXPECT_EQ( shot( "with.bmp" ).second, CColor( 255, 255, 255 ) );
    EXPECT_EQ( test::PixelOf( video->GetDisplay(), 52, 42 ), CColor( 0, 0, 0 ) ) << "taken off after the shot";
    CGfxTaskSDL::SetFrameReportListener( nullptr );
}
