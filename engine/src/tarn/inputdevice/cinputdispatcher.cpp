#include "tarn/inputdevice/cinputdispatcher.h"

namespace tarn {

template <class Listener, class Call>
void CInputDispatcher::Notify( const std::set<Listener*>& listeners, Call call )
{
    // Walk a copy so that listeners may change the set, and skip any listener
    // that left it in the meantime.
    const std::set<Listener*> snapshot( listeners );
    for( Listener* listener : snapshot )
    {
        if( listeners.count( listener ) )
            call( listener );
    }
}

void CInputDispatcher::NotifyResize( int width, int height )
{
    myLastWidth = width;
    myLastHeight = height;
    Notify( myResizeListeners, [ & ]( CResizeListener* l ) { l->OnResize( width, height ); } );
}

void CInputDispatcher::NotifyActivate( bool gained )
{
    Notify( myFocusListeners, [ & ]( CFocusListener* l ) { l->OnActivate( gained ); } );
}

void CInputDispatcher::NotifyKeyDown( int key, char c )
{
    Notify( myKeyboardListeners, [ & ]( CKeyboardListener* l ) {
        l->SetCharacter( c );
        l->OnKeyDown( key );
    } );
}

void CInputDispatcher::NotifyKeyUp( int key, char c )
{
    Notify( myKeyboardListeners, [ & ]( CKeyboardListener* l ) {
        l->SetCharacter( c );
        l->OnKeyUp( key );
    } );
}

void CInputDispatcher::NotifyMouseMove( int x, int y, int dx, int dy )
{
    Notify( myMouseListeners, [ & ]( CMouseListener* l ) {
        l->OnMouseMove( x, y );
        l->OnMouseMoveRelative( dx, dy );
    } );
}

void CInputDispatcher::NotifyButtonDown( int mask )
{
    Notify( myMouseListeners, [ & ]( CMouseListener* l ) { l->OnButtonDown( mask ); } );
}

void CInputDispatcher::NotifyButtonUp( int mask )
{
    Notify( myMouseListeners, [ & ]( CMouseListener* l ) { l->OnButtonUp( mask ); } );
}

void CInputDispatcher::ShowCursor()
{
    if( myCursorImpl )
        myCursorImpl->ShowCursor();
}

void CInputDispatcher::HideCursor()
{
    if( myCursorImpl )
        myCursorImpl->HideCursor();
}

void CInputDispatcher::ChangeCursor( int type )
{
    if( myCursorImpl )
        myCursorImpl->ChangeCursor( type );
}

void CInputDispatcher::GrabInput( bool grab )
{
    if( myCursorImpl )
        myCursorImpl->GrabInput( grab );
}

} // namespace tarn
