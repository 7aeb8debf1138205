#ifndef TARN_INPUTDEVICE_KEYNAMES_H
#define TARN_INPUTDEVICE_KEYNAMES_H

#include <string>

namespace tarn {

// Number of key codes: SDL 1.2 key symbols run from 0 to 322.
constexpr int KEY_COUNT = 323;

// The name scripts use for a key ("space", "a", "left_ctrl", "f1", "[0]"
// for the keypad...); "unknown key" for a code without a name.
std::string KeyToName( int key );

// The key of a name (case-sensitive); 0 for an unknown name.
int NameToKey( const std::string& name );

} // namespace tarn

#endif
