#ifndef TARN_INPUTDEVICE_CINPUTDISPATCHER_H
#define TARN_INPUTDEVICE_CINPUTDISPATCHER_H

#include <set>

#include "tarn/inputdevice/inputlisteners.h"
#include "tarn/utils/csingleton.h"

namespace tarn {

// Hands input and window events to the listeners registered for each kind.
// Listeners are not owned. A listener may add or remove listeners (itself
// included) while it is being told; a listener removed during a notification
// is not called after its removal.
class CInputDispatcher final : public CSingleton<CInputDispatcher>
{
public:
    void AddResizeListener( CResizeListener* listener ) { myResizeListeners.insert( listener ); }
    void RemoveResizeListener( CResizeListener* listener ) { myResizeListeners.erase( listener ); }
    void AddFocusListener( CFocusListener* listener ) { myFocusListeners.insert( listener ); }
    void RemoveFocusListener( CFocusListener* listener ) { myFocusListeners.erase( listener ); }
    void AddKeyboardListener( CKeyboardListener* listener ) { myKeyboardListeners.insert( listener ); }
    void RemoveKeyboardListener( CKeyboardListener* listener ) { myKeyboardListeners.erase( listener ); }
    void AddMouseListener( CMouseListener* listener ) { myMouseListeners.insert( listener ); }
    void RemoveMouseListener( CMouseListener* listener ) { myMouseListeners.erase( listener ); }
    void SetCursorImpl( CCursorImpl* impl ) { myCursorImpl = impl; }
    void ClearCursorImpl() { myCursorImpl = nullptr; }

    // Stores the size, then tells every resize listener.
    void NotifyResize( int width, int height );
    void NotifyActivate( bool gained );
    void NotifyKeyDown( int key, char c );
    void NotifyKeyUp( int key, char c );
    void NotifyMouseMove( int x, int y, int dx, int dy );
    void NotifyButtonDown( int mask );
    void NotifyButtonUp( int mask );

    // Forwarded to the cursor implementation; ignored without one.
    void ShowCursor();
    void HideCursor();
    void ChangeCursor( int type );
    void GrabInput( bool grab );

    int GetLastWidth() const { return myLastWidth; }
    int GetLastHeight() const { return myLastHeight; }

private:
    friend class CSingleton<CInputDispatcher>;
    CInputDispatcher() = default;

    template <class Listener, class Call>
    static void Notify( const std::set<Listener*>& listeners, Call call );

    std::set<CResizeListener*> myResizeListeners;
    std::set<CFocusListener*> myFocusListeners;
    std::set<CKeyboardListener*> myKeyboardListeners;
    std::set<CMouseListener*> myMouseListeners;
    int myLastWidth = 0;
    int myLastHeight = 0;
    CCursorImpl* myCursorImpl = nullptr;
};

} // namespace tarn

#endif
