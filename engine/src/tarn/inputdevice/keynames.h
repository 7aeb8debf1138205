#ifndef TARN_INPUTDEVICE_KEYNAMES_H
#define TARN_INPUTDEVICE_KEYNAMES_H

#include <string>

namespace tarn {

// Number of key codes: SDL 1.2 key symbols run from 0 to 322.
constexpr int KEY_COUNT = 323;

// SDL 1.2 key symbols the engine and its tests name; a letter's is its
// lower-case character code.
constexpr int KEY_BACKSPACE = 8;
constexpr int KEY_TAB = 9;
constexpr int KEY_RETURN = 13;
constexpr int KEY_ESCAPE = 27;
constexpr int KEY_SPACE = 32;
constexpr int KEY_S = 115;
constexpr int KEY_KEYPAD_ENTER = 271;
constexpr int KEY_UP = 273;
constexpr int KEY_DOWN = 274;
constexpr int KEY_RIGHT = 275;
constexpr int KEY_LEFT = 276;
constexpr int KEY_PAGE_UP = 280;
constexpr int KEY_PAGE_DOWN = 281;
constexpr int KEY_F1 = 282;
constexpr int KEY_LEFT_CTRL = 306;

// The name scripts use for a key ("space", "a", "left_ctrl", "f1", "[0]"
// for the keypad...); "unknown key" for a code without a name.
std::string KeyToName( int key );

// The key of a name (case-sensitive); 0 for an unknown name.
int NameToKey( const std::string& name );

} // namespace tarn

#endif
