#include "tarn/inputdevice/keynames.h"

#include <map>
#include <utility>

namespace tarn {

namespace {

struct KeyName
{
    int key;
    const char* name;
};

// The 231 named keys; every other code is "unknown key".
const KeyName KEY_NAMES[] = {
    { 8, "backspace" }, { 9, "tab" }, { 12, "clear" }, { 13, "return" },
    { 19, "pause" }, { 27, "escape" }, { 32, "space" }, { 33, "!" },
    { 34, "\"" }, { 35, "#" }, { 36, "$" }, { 38, "&" },
    { 39, "'" }, { 40, "(" }, { 41, ")" }, { 42, "*" },
    { 43, "+" }, { 44, "," }, { 45, "-" }, { 46, "." },
    { 47, "/" }, { 48, "0" }, { 49, "1" }, { 50, "2" },
    { 51, "3" }, { 52, "4" }, { 53, "5" }, { 54, "6" },
    { 55, "7" }, { 56, "8" }, { 57, "9" }, { 58, ":" },
    { 59, ";" }, { 60, "<" }, { 61, "=" }, { 62, ">" },
    { 63, "?" }, { 64, "@" }, { 91, "[" }, { 92, "\\" },
    { 93, "]" }, { 94, "^" }, { 95, "_" }, { 96, "backquote" },
    { 97, "a" }, { 98, "b" }, { 99, "c" }, { 100, "d" },
    { 101, "e" }, { 102, "f" }, { 103, "g" }, { 104, "h" },
    { 105, "i" }, { 106, "j" }, { 107, "k" }, { 108, "l" },
    { 109, "m" }, { 110, "n" }, { 111, "o" }, { 112, "p" },
    { 113, "q" }, { 114, "r" }, { 115, "s" }, { 116, "t" },
    { 117, "u" }, { 118, "v" }, { 119, "w" }, { 120, "x" },
    { 121, "y" }, { 122, "z" }, { 127, "delete" }, { 160, "world_0" },
    { 161, "world_1" }, { 162, "world_2" }, { 163, "world_3" }, { 164, "world_4" },
    { 165, "world_5" }, { 166, "world_6" }, { 167, "world_7" }, { 168, "world_8" },
    { 169, "world_9" }, { 170, "world_10" }, { 171, "world_11" }, { 172, "world_12" },
    { 173, "world_13" }, { 174, "world_14" }, { 175, "world_15" }, { 176, "world_16" },
    { 177, "world_17" }, { 178, "world_18" }, { 179, "world_19" }, { 180, "world_20" },
    { 181, "world_21" }, { 182, "world_22" }, { 183, "world_23" }, { 184, "world_24" },
    { 185, "world_25" }, { 186, "world_26" }, { 187, "world_27" }, { 188, "world_28" },
    { 189, "world_29" }, { 190, "world_30" }, { 191, "world_31" }, { 192, "world_32" },
    { 193, "world_33" }, { 194, "world_34" }, { 195, "world_35" }, { 196, "world_36" },
    { 197, "world_37" }, { 198, "world_38" }, { 199, "world_39" }, { 200, "world_40" },
    { 201, "world_41" }, { 202, "world_42" }, { 203, "world_43" }, { 204, "world_44" },
    { 205, "world_45" }, { 206, "world_46" }, { 207, "world_47" }, { 208, "world_48" },
    { 209, "world_49" }, { 210, "world_50" }, { 211, "world_51" }, { 212, "world_52" },
    { 213, "world_53" }, { 214, "world_54" }, { 215, "world_55" }, { 216, "world_56" },
    { 217, "world_57" }, { 218, "world_58" }, { 219, "world_59" }, { 220, "world_60" },
    { 221, "world_61" }, { 222, "world_62" }, { 223, "world_63" }, { 224, "world_64" },
    { 225, "world_65" }, { 226, "world_66" }, { 227, "world_67" }, { 228, "world_68" },
    { 229, "world_69" }, { 230, "world_70" }, { 231, "world_71" }, { 232, "world_72" },
    { 233, "world_73" }, { 234, "world_74" }, { 235, "world_75" }, { 236, "world_76" },
    { 237, "world_77" }, { 238, "world_78" }, { 239, "world_79" }, { 240, "world_80" },
    { 241, "world_81" }, { 242, "world_82" }, { 243, "world_83" }, { 244, "world_84" },
    { 245, "world_85" }, { 246, "world_86" }, { 247, "world_87" }, { 248, "world_88" },
    { 249, "world_89" }, { 250, "world_90" }, { 251, "world_91" }, { 252, "world_92" },
    { 253, "world_93" }, { 254, "world_94" }, { 255, "world_95" }, { 256, "[0]" },
    { 257, "[1]" }, { 258, "[2]" }, { 259, "[3]" }, { 260, "[4]" },
    { 261, "[5]" }, { 262, "[6]" }, { 263, "[7]" }, { 264, "[8]" },
    { 265, "[9]" }, { 266, "[.]" }, { 267, "[/]" }, { 268, "[*]" },
    { 269, "[-]" }, { 270, "[+]" }, { 271, "enter" }, { 272, "equals" },
    { 273, "up" }, { 274, "down" }, { 275, "right" }, { 276, "left" },
    { 277, "insert" }, { 278, "home" }, { 279, "end" }, { 280, "page_up" },
    { 281, "page_down" }, { 282, "f1" }, { 283, "f2" }, { 284, "f3" },
    { 285, "f4" }, { 286, "f5" }, { 287, "f6" }, { 288, "f7" },
    { 289, "f8" }, { 290, "f9" }, { 291, "f10" }, { 292, "f11" },
    { 293, "f12" }, { 294, "f13" }, { 295, "f14" }, { 296, "f15" },
    { 300, "numlock" }, { 301, "caps_lock" }, { 302, "scroll_lock" }, { 303, "right_shift" },
    { 304, "left_shift" }, { 305, "right_ctrl" }, { 306, "left_ctrl" }, { 307, "right_alt" },
    { 308, "left_alt" }, { 309, "right_meta" }, { 310, "left_meta" }, { 311, "left_super" },
    { 312, "right_super" }, { 313, "alt_gr" }, { 314, "compose" }, { 315, "help" },
    { 316, "print_screen" }, { 317, "sys_req" }, { 318, "break" }, { 319, "menu" },
    { 320, "power" }, { 321, "euro" }, { 322, "undo" },
};

const std::map<std::string, int>& KeysByName()
{
    static const std::map<std::string, int> keys = [] {
        std::map<std::string, int> byName;
        for( const KeyName& entry : KEY_NAMES )
            byName.emplace( entry.name, entry.key );
        return byName;
    }();
    return keys;
}

const std::map<int, std::string>& NamesByKey()
{
    static const std::map<int, std::string> names = [] {
        std::map<int, std::string> byKey;
        for( const KeyName& entry : KEY_NAMES )
            byKey.emplace( entry.key, entry.name );
        return byKey;
    }();
    return names;
}

} // namespace

std::string KeyToName( int key )
{
    const auto found = NamesByKey().find( key );
    return found == NamesByKey().end() ? "unknown key" : found->second;
}

int NameToKey( const std::string& name )
{
    const auto found = KeysByName().find( name );
    return found == KeysByName().end() ? 0 : found->second;
}

} // namespace tarn
