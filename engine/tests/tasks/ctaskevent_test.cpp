// SDL events reaching the engine through the "event" task, and the cursor
// commands of the "mouse" task.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <SDL.h>

#include "support/sdltestsupport.h"
#include "support/testsupport.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/inputdevice/cmouse.h"
#include "tarn/inputdevice/cursorimages.h"
#include "tarn/tasks/ctaskevent.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/tasks/ctaskmouse.h"

using namespace tarn;

namespace {

// Writes down everything the dispatcher tells it.
class CRecorder final : public CKeyboardListener, public CMouseListener, public CFocusListener, public CResizeListener
{
public:
    void OnKeyDown( int key ) override { Add( "down " + std::to_string( key ) + " " + std::to_string( GetCharacter() ) ); }
    void OnKeyUp( int key ) override { Add( "up " + std::to_string( key ) + " " + std::to_string( GetCharacter() ) ); }
    void OnMouseMove( int x, int y ) override { Add( "move " + std::to_string( x ) + "," + std::to_string( y ) ); }
    void OnMouseMoveRelative( int dx, int dy ) override
    {
        Add( "by " + std::to_string( dx ) + "," + std::to_string( dy ) );
    }
    void OnButtonDown( int button ) override { Add( "press " + std::to_string( button ) ); }
    void OnButtonUp( int button ) override { Add( "release " + std::to_string( button ) ); }
    void OnActivate( bool gained ) override { Add( gained ? "focus" : "no focus" ); }
    void OnResize( int w, int h ) override { Add( "size " + std::to_string( w ) + "x" + std::to_string( h ) ); }

    std::vector<std::string> events;

private:
    void Add( const std::string& event ) { events.push_back( event ); }
};

class EventTaskTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        SDL_EnableUNICODE( 1 );
        CInputDispatcher* dispatcher = CInputDispatcher::GetSingletonPtr();
        dispatcher->AddKeyboardListener( &recorder );
        dispatcher->AddMouseListener( &recorder );
        dispatcher->AddFocusListener( &recorder );
        dispatcher->AddResizeListener( &recorder );
        GetConsole()->Execute( "taskload( sdl )" );
        CTaskFactory::GetSingletonPtr()->StartTask( "event", "Event", 20, nullptr );
        CTaskFactory::GetSingletonPtr()->StartTask( "mouse", "Mouse", 40, nullptr );
        events = static_cast<CTaskEvent*>( CTaskFactory::GetSingletonPtr()->FindTask( "Event" ) );
        mouse = static_cast<CTaskMouse*>( CTaskFactory::GetSingletonPtr()->FindTask( "Mouse" ) );
    }
    void TearDown() override { test::ResetEngine(); }

    static void PushKey( Uint8 type, SDLKey key, Uint16 unicode )
    {
        SDL_Event event{};
        event.type = type;
        event.key.keysym.sym = key;
        event.key.keysym.unicode = unicode;
        SDL_PushEvent( &event );
    }
    static void PushButton( Uint8 type, Uint8 button )
    {
        SDL_Event event{};
        event.type = type;
        event.button.button = button;
        SDL_PushEvent( &event );
    }

    std::string Mouse( const std::string& line ) { return mouse->GetTaskConsole()->Execute( line ); }

    test::CVideoMode video;
    CRecorder recorder;
    CTaskEvent* events = nullptr;
    CTaskMouse* mouse = nullptr;
};

} // namespace

TEST_F( EventTaskTest, EveryKindOfEventReachesItsListeners )
{
    PushKey( SDL_KEYDOWN, SDLK_a, 'a' );
    PushKey( SDL_KEYUP, SDLK_a, 233 ); // beyond ASCII: no character
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 10;
    motion.motion.y = 20;
    motion.motion.xrel = -1;
    motion.motion.yrel = 2;
    SDL_PushEvent( &motion );
    PushButton( SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT );
    PushButton( SDL_MOUSEBUTTONUP, SDL_BUTTON_WHEELDOWN );
    PushButton( SDL_MOUSEBUTTONDOWN, 6 );
    SDL_Event active{};
    active.type = SDL_ACTIVEEVENT;
    active.active.state = SDL_APPINPUTFOCUS;
    active.active.gain = 0;
    SDL_PushEvent( &active );
    active.active.state = SDL_APPMOUSEFOCUS; // not the input focus: ignored
    SDL_PushEvent( &active );
    SDL_Event resize{};
    resize.type = SDL_VIDEORESIZE;
    resize.resize.w = 300;
    resize.resize.h = 200;
    SDL_PushEvent( &resize );

    CTaskManager::GetSingletonPtr()->RunOnce();

    const std::vector<std::string> expected = { "down 97 97",  "up 97 0",   "move 10,20", "by -1,2",
                                                "press 4",     "release 16", "press 0",   "no focus",
                                                "size 300x200" };
    EXPECT_EQ( expected, recorder.events );
    EXPECT_EQ( 10, GetMouse()->GetX() );
    EXPECT_EQ( MOUSE_BUTTON_RIGHT, GetMouse()->GetButtons() );
    EXPECT_FALSE( CTaskManager::GetSingletonPtr()->IsQuitRequested() );
}

TEST_F( EventTaskTest, ClosingTheWindowEndsTheMainLoop )
{
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent( &quit );
    CTaskManager::GetSingletonPtr()->RunOnce();
    EXPECT_TRUE( CTaskManager::GetSingletonPtr()->IsQuitRequested() );
    EXPECT_TRUE( CTaskManager::GetSingletonPtr()->GetRunningTasks().empty() );
}

TEST_F( EventTaskTest, CursorsAreBuiltOncePerChangeOfType )
{
    SDL_Cursor* standard = SDL_GetCursor();
    EXPECT_EQ( "", Mouse( "CursorChangeTo( \"cursor_cross\" )" ) );
    SDL_Cursor* cross = SDL_GetCursor();
    EXPECT_NE( standard, cross );
    EXPECT_EQ( CURSOR_CROSS, events->GetCursorType() );

    Mouse( "CursorChangeTo( \"cursor_cross\" )" );
    EXPECT_EQ( cross, SDL_GetCursor() ) << "the same type builds nothing";
    Mouse( "CursorChangeTo( \"cursor_none\" )" );
    EXPECT_EQ( cross, SDL_GetCursor() ) << "no cursor keeps the image";
    EXPECT_EQ( CURSOR_NONE, events->GetCursorType() );
    Mouse( "CursorChangeTo( \"no such cursor\" )" );
    EXPECT_EQ( CURSOR_NONE, events->GetCursorType() );

    Mouse( "CursorChangeTo( \"cursor_text\" )" );
    EXPECT_NE( cross, SDL_GetCursor() );

    EXPECT_EQ( "", Mouse( "CursorHide" ) );
    EXPECT_EQ( SDL_DISABLE, SDL_ShowCursor( SDL_QUERY ) );
    EXPECT_EQ( "", Mouse( "CursorShow()" ) );
    EXPECT_EQ( SDL_ENABLE, SDL_ShowCursor( SDL_QUERY ) );
    EXPECT_EQ( "", Mouse( "CaptureInput( 0 )" ) );
}

TEST_F( EventTaskTest, CursorCommandsAnswerMisuseWithTheirErrorTexts )
{
    EXPECT_EQ( "[ERROR] Needs a parameter to define to what we change our cursor( like arrow, cross, text... )",
               Mouse( "CursorChangeTo" ) );
    EXPECT_EQ( "[ERROR] Could not recognize your cursor type", Mouse( "CursorChangeTo( 3 )" ) );
    EXPECT_EQ( "[ERROR] Could not recognize your cursor type", Mouse( "CursorChangeTo()" ) );
    EXPECT_EQ( "[ERROR] Input need to be of number", Mouse( "CaptureInput" ) );
    EXPECT_EQ( "[ERROR] Input need to be of number", Mouse( "CaptureInput( yes )" ) );
    EXPECT_EQ( CURSOR_NONE, events->GetCursorType() );
}

TEST_F( EventTaskTest, WithoutTheEventTaskCursorCommandsDoNothing )
{
    CTaskManager::GetSingletonPtr()->KillTask( events );
    SDL_Cursor* standard = SDL_GetCursor();
    EXPECT_EQ( "", Mouse( "CursorChangeTo( \"cursor_hand\" )" ) );
    EXPECT_EQ( standard, SDL_GetCursor() );
}
