#ifndef TARN_INPUTDEVICE_CKEYBOARD_H
#define TARN_INPUTDEVICE_CKEYBOARD_H

#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "tarn/inputdevice/ckeyhandler.h"
#include "tarn/inputdevice/inputlisteners.h"
#include "tarn/utils/csingleton.h"

namespace tarn {

// Key states and key bindings. Key events from the input dispatcher are
// queued as they arrive; Update (the "keyboard" task) applies them in order
// and runs the handlers bound to each key. Handlers are shared: a
// combination is bound under each of its keys.
class CKeyboard final : public CSingleton<CKeyboard>
{
public:
    using Handler = std::shared_ptr<CKeyHandler>;

    ~CKeyboard();

    // Queue a key event for the next Update.
    void OnKeyDown( int key );
    void OnKeyUp( int key );

    // All presses queued so far, then all releases, each in arrival order.
    void Update();

    // Each sets the handler's priority and files it in priority order,
    // after handlers of equal priority. False for a key code outside
    // 0 to KEY_COUNT - 1 (nothing is bound then).
    bool AddBinding( int key, Handler handler, int priority );
    bool AddComboBinding( const std::vector<int>& keys, Handler handler, int priority );
    // Sees every key that has bindings of its own.
    void AddGlobalHandler( Handler handler, int priority );

    bool IsKeyDown( int key ) const;

private:
    friend class CSingleton<CKeyboard>;
    CKeyboard();

    // The keyboard's ear at the input dispatcher.
    class CListener final : public CKeyboardListener
    {
    public:
        explicit CListener( CKeyboard* keyboard ) : myKeyboard( keyboard ) {}
        void OnKeyDown( int key ) override { myKeyboard->OnKeyDown( key ); }
        void OnKeyUp( int key ) override { myKeyboard->OnKeyUp( key ); }

    private:
        CKeyboard* myKeyboard;
    };

    void ProcessKey( int key, bool down );
    static void Insert( std::vector<Handler>& handlers, Handler handler, int priority );
    static bool IsValidKey( int key ) { return key >= 0 && key < KEY_COUNT; }

    CListener myListener{ this };
    std::deque<int> myPressed;
    std::deque<int> myReleased;
    KeyStates myKeyStates{};
    std::map<int, std::vector<Handler>> myBindings;
    std::vector<Handler> myGlobalHandlers;
};

// The keyboard, created (and listening) on first use.
CKeyboard* GetKeyboard();

} // namespace tarn

#endif
