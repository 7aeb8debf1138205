#ifndef HORROR_CGAMESTATE_H
#define HORROR_CGAMESTATE_H

#include <string>

#include "tarn/utils/types.h"

namespace horror {

// Values of the game that outlive a game object: the loads that scripts ask
// for (done at the next game update, never inside a script) and the end.
class CGameState final
{
public:
    CGameState() = delete;

    // Level file to load at the next game update ("" for none).
    static std::string& PendingLevel();
    // Dialogue file to load at the next game update ("" for none).
    static std::string& PendingDialogue();
    // Engine clock when "EndGame" ran; 0 while the game has not ended.
    static tarn::types::ticks& EndTime();
    // The open dialogue paused the gameplay.
    static bool& DialoguePauseMark();

    // Back to the start-up values (for a fresh start in tests).
    static void Reset();
};

} // namespace horror

#endif
