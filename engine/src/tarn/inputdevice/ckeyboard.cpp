#include "tarn/inputdevice/ckeyboard.h"

#include <algorithm>

#include "tarn/inputdevice/cinputdispatcher.h"

namespace tarn {

CKeyboard::CKeyboard()
{
    CInputDispatcher::GetSingletonPtr()->AddKeyboardListener( &myListener );
}

CKeyboard::~CKeyboard()
{
    if( CInputDispatcher::HasSingleton() )
        CInputDispatcher::GetSingletonPtr()->RemoveKeyboardListener( &myListener );
}

void CKeyboard::OnKeyDown( int key )
{
    myPressed.push_back( key );
}

void CKeyboard::OnKeyUp( int key )
{
    myReleased.push_back( key );
}

void CKeyboard::Update()
{
    // Handlers may queue keys themselves; those wait for the next update.
    std::deque<int> pressed;
    std::deque<int> released;
    pressed.swap( myPressed );
    released.swap( myReleased );
    for( int key : pressed )
        ProcessKey( key, true );
    for( int key : released )
        ProcessKey( key, false );
}

bool CKeyboard::AddBinding( int key, Handler handler, int priority )
{
    if( !IsValidKey( key ) || !handler )
        return false;
    Insert( myBindings[ key ], handler, priority );
    return true;
}

bool CKeyboard::AddComboBinding( const std::vector<int>& keys, Handler handler, int priority )
{
    if( !handler || keys.empty() || !std::all_of( keys.begin(), keys.end(), IsValidKey ) )
        return false;
    handler->SetKeyStates( &myKeyStates );
    for( int key : keys )
    {
        std::vector<Handler>& handlers = myBindings[ key ];
        // A key named twice in the combination is bound once.
        if( std::find( handlers.begin(), handlers.end(), handler ) == handlers.end() )
            Insert( handlers, handler, priority );
    }
    return true;
}

void CKeyboard::AddGlobalHandler( Handler handler, int priority )
{
    if( handler )
        Insert( myGlobalHandlers, handler, priority );
}

bool CKeyboard::IsKeyDown( int key ) const
{
    return IsValidKey( key ) && myKeyStates[ key ];
}

void CKeyboard::ProcessKey( int key, bool down )
{
    if( !IsValidKey( key ) )
        return;
    myKeyStates[ key ] = down;
    const auto bound = myBindings.find( key );
    if( bound == myBindings.end() || bound->second.empty() )
        return;

    // Copies: a handler may bind or unbind while the walk goes on.
    const std::vector<Handler> keyHandlers = bound->second;
    const std::vector<Handler> globalHandlers = myGlobalHandlers;
    auto own = keyHandlers.begin();
    auto global = globalHandlers.begin();
    while( own != keyHandlers.end() || global != globalHandlers.end() )
    {
        // The global handler goes first when priorities are equal.
        const bool takeGlobal = global != globalHandlers.end() &&
                                ( own == keyHandlers.end() || ( *global )->GetPriority() <= ( *own )->GetPriority() );
        const Handler& handler = takeGlobal ? *global++ : *own++;
        if( down )
        {
            if( !handler->IsActive() )
                continue;
            handler->OnDown( key );
        }
        else
        {
            handler->OnUp( key );
        }
        if( handler->ConsumesEvent() )
            return;
    }
}

void CKeyboard::Insert( std::vector<Handler>& handlers, Handler handler, int priority )
{
    handler->SetPriority( priority );
    const auto position = std::upper_bound( handlers.begin(), handlers.end(), priority,
                                            []( int p, const Handler& h ) { return p < h->GetPriority(); } );
    handlers.insert( position, std::move( handler ) );
}

CKeyboard* GetKeyboard()
{
    return CKeyboard::GetSingletonPtr();
}

} // namespace tarn
