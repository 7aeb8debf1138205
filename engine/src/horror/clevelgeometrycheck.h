#ifndef HORROR_CLEVELGEOMETRYCHECK_H
#define HORROR_CLEVELGEOMETRYCHECK_H

#include <string>
#include <vector>

#include "tarn/utils/rect.h"

namespace tarn {
class CXmlNode;
}

namespace horror {

// What a level file's places and numbers mean on the screen: the player's
// start and the bad guy's path points on closed floor, player events that
// cannot be reached from the start over open floor, a start the level hides
// under its opening dialogue's box, and numbers the game would read as
// something else ("1e308", "nan"). The data checker reports them; nothing
// here logs.
class CLevelGeometryCheck final
{
public:
    struct Fault
    {
        std::string key;
        std::string message;
        // A fault that lets the level play, but not as its author meant.
        bool warning = false;
    };

    CLevelGeometryCheck() = delete;

    // Loads the level file with the game's own loader and checks its places;
    // coveredAtStart is what covers the screen as the level starts (the box
    // of an opening dialogue), where the player's icon cannot be seen.
    static std::vector<Fault> Check( const std::string& file, const tarn::types::rect& coveredAtStart = {} );
    // Number keys under root (a level file's tree) that do not read whole.
    static std::vector<Fault> FindUnusableNumbers( const tarn::CXmlNode& root );
};

} // namespace horror

#endif
