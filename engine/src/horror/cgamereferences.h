#ifndef HORROR_CGAMEREFERENCES_H
#define HORROR_CGAMEREFERENCES_H

#include <map>
#include <memory>
#include <string>

#include "tarn/gfx/csprite.h"

namespace horror {

class CBackgroundLayer;
class CDialogue;
class CHorrorGameplay;

// Sprites that scripts made with "AddSprite", by name.
using NamedSprites = std::map<std::string, tarn::SpritePtr>;

// The parts of the running game that commands, the title and the question
// screen reach (one game runs at a time). Each is null while there is no
// game; whoever uses one checks.
class CGameReferences final
{
public:
    CGameReferences() = delete;

    static inline CHorrorGameplay* gameplay = nullptr;
    static inline std::unique_ptr<CDialogue>* dialogue = nullptr;
    static inline NamedSprites* namedSprites = nullptr;
    static inline CBackgroundLayer* backgroundLayer = nullptr;

    // Drops every named sprite (they leave the screen).
    static void ClearNamedSprites()
    {
        if( namedSprites )
            namedSprites->clear();
    }
};

} // namespace horror

#endif
