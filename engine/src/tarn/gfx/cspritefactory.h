#ifndef TARN_GFX_CSPRITEFACTORY_H
#define TARN_GFX_CSPRITEFACTORY_H

#include <memory>
#include <string>

namespace tarn {

class CSprite;

// Makes sprites from image files and sprite description files ("*.xml":
// a root element whose "type" attribute names the kind, and the sprite's
// fields as child elements).
class CSpriteFactory final
{
public:
    CSpriteFactory() = delete;

    // A new sprite, placed in the screen layer (a slider is not placed).
    // Names ending in "xml" (case-sensitive) are description files. A file
    // that does not exist gives an empty sprite. A description of the screen
    // layer itself reads its fields into the screen layer and gives null.
    static std::unique_ptr<CSprite> LoadSprite( const std::string& name );

    // "sprite_base", "sprite_layer", ... ; "" for a number out of range.
    static std::string KindName( int kind );
    // 0 for an unknown name.
    static int KindNumber( const std::string& name );
    // A new sprite of that kind with its defaults; null for the screen layer
    // (there is only the one).
    static std::unique_ptr<CSprite> Create( int kind );
};

} // namespace tarn

#endif
