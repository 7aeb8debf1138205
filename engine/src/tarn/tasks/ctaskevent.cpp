#include "tarn/tasks/ctaskevent.h"

#include "tarn/gfx/cdisplayscale.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/inputdevice/cursorimages.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/clogger.h"

namespace tarn {

namespace {

bool VideoIsUp()
{
    return SDL_WasInit( SDL_INIT_VIDEO ) != 0;
}

// The character of a key event; 0 for none and for anything beyond ASCII.
char CharacterOf( const SDL_KeyboardEvent& key )
{
    const Uint16 unicode = key.keysym.unicode;
    return unicode >= 1 && unicode <= 127 ? static_cast<char>( unicode ) : 0;
}

} // namespace

CTaskEvent::~CTaskEvent()
{
    FreeCursor();
}

bool CTaskEvent::Init()
{
    CInputDispatcher::GetSingletonPtr()->SetCursorImpl( this );
    SDL_EnableUNICODE( 1 );
    return true;
}

void CTaskEvent::Update()
{
    SDL_Event event;
    while( SDL_PollEvent( &event ) )
        Dispatch( event );
}

void CTaskEvent::Exit()
{
    CInputDispatcher::GetSingletonPtr()->ClearCursorImpl();
    FreeCursor();
}

void CTaskEvent::ShowCursor()
{
    if( VideoIsUp() )
        SDL_ShowCursor( SDL_ENABLE );
}

void CTaskEvent::HideCursor()
{
    if( VideoIsUp() )
        SDL_ShowCursor( SDL_DISABLE );
}

void CTaskEvent::ChangeCursor( int type )
{
    if( type == myCursorType )
        return;
    myCursorType = type;
    CursorBitmap bitmap;
    if( !DecodeCursorImage( GetCursorImage( type ), bitmap ) || !VideoIsUp() )
        return;
    SDL_Cursor* cursor =
        SDL_CreateCursor( bitmap.data.data(), bitmap.mask.data(), CURSOR_SIZE, CURSOR_SIZE, bitmap.hotX, bitmap.hotY );
    if( !cursor )
    {
        GetLog().Error() << "CTaskEvent::ChangeCursor() - cannot make cursor " << type << ": " << SDL_GetError()
                         << "\n";
        return;
    }
    SDL_SetCursor( cursor );
    FreeCursor();
    myCursor = cursor;
}

void CTaskEvent::GrabInput( bool grab )
{
    if( VideoIsUp() )
        SDL_WM_GrabInput( grab ? SDL_GRAB_ON : SDL_GRAB_OFF );
}

int CTaskEvent::ButtonMask( int sdlButton )
{
    switch( sdlButton )
    {
    case SDL_BUTTON_LEFT: return MOUSE_BUTTON_LEFT;
    case SDL_BUTTON_MIDDLE: return MOUSE_BUTTON_MIDDLE;
    case SDL_BUTTON_RIGHT: return MOUSE_BUTTON_RIGHT;
    case SDL_BUTTON_WHEELUP: return MOUSE_BUTTON_WHEEL_UP;
    case SDL_BUTTON_WHEELDOWN: return MOUSE_BUTTON_WHEEL_DOWN;
    default: return 0;
    }
}

void CTaskEvent::Dispatch( const SDL_Event& event )
{
    CInputDispatcher* dispatcher = CInputDispatcher::GetSingletonPtr();
    switch( event.type )
    {
    case SDL_ACTIVEEVENT:
        if( event.active.state & SDL_APPINPUTFOCUS )
            dispatcher->NotifyActivate( event.active.gain != 0 );
        break;
    case SDL_KEYDOWN: dispatcher->NotifyKeyDown( event.key.keysym.sym, CharacterOf( event.key ) ); break;
    case SDL_KEYUP: dispatcher->NotifyKeyUp( event.key.keysym.sym, CharacterOf( event.key ) ); break;
    case SDL_MOUSEMOTION: DispatchMotion( event.motion ); break;
    case SDL_MOUSEBUTTONDOWN: dispatcher->NotifyButtonDown( ButtonMask( event.button.button ) ); break;
    case SDL_MOUSEBUTTONUP: dispatcher->NotifyButtonUp( ButtonMask( event.button.button ) ); break;
    case SDL_QUIT: CTaskManager::GetSingletonPtr()->RequestQuit(); break;
    case SDL_VIDEORESIZE:
    {
        // The window's new size, in game pixels at the window's scale.
        const int factor = CDisplayScale::Current().GetFactor();
        dispatcher->NotifyResize( event.resize.w / factor, event.resize.h / factor );
        break;
    }
    default: break;
    }
}

void CTaskEvent::DispatchMotion( const SDL_MouseMotionEvent& motion )
{
    // The game sees the pixel of its picture under the pointer, also when the
    // window shows the picture enlarged.
    const CDisplayScale& scale = CDisplayScale::Current();
    int x = motion.x;
    int y = motion.y;
    int fromX = x - motion.xrel;
    int fromY = y - motion.yrel;
    scale.ToGame( x, y );
    scale.ToGame( fromX, fromY );
    CInputDispatcher::GetSingletonPtr()->NotifyMouseMove( x, y, x - fromX, y - fromY );
}

void CTaskEvent::FreeCursor()
{
    // SDL's cursors die with its video subsystem.
    if( myCursor && VideoIsUp() )
        SDL_FreeCursor( myCursor );
    myCursor = nullptr;
}

} // namespace tarn
