#ifndef TARN_INPUTDEVICE_CKEYHANDLER_H
#define TARN_INPUTDEVICE_CKEYHANDLER_H

#include <array>

#include "tarn/inputdevice/keynames.h"

namespace tarn {

// Down (true) or up for every key code.
using KeyStates = std::array<bool, KEY_COUNT>;

// Reacts to keys on behalf of the keyboard (see CKeyboard). Handlers of a
// key run in ascending priority. A handler may change bindings while it
// runs; the walk in progress is not affected.
class CKeyHandler
{
public:
    virtual ~CKeyHandler() = default;

    virtual void Fire( int key ) = 0;
    // An inactive handler is skipped when a key goes down.
    virtual bool IsActive() const { return true; }
    virtual void OnDown( int key ) { Fire( key ); }
    virtual void OnUp( int key ) { Fire( key ); }
    virtual int GetPriority() const { return myPriority; }
    // True stops the handlers after this one from seeing the key.
    virtual bool ConsumesEvent() const { return false; }
    virtual void SetPriority( int priority ) { myPriority = priority; }
    // The keyboard's key states, for handlers that look at several keys;
    // they live as long as the keyboard.
    virtual void SetKeyStates( const KeyStates* states ) { (void)states; }

private:
    int myPriority = 0;
};

} // namespace tarn

#endif
