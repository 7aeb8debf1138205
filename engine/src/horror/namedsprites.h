#ifndef HORROR_NAMEDSPRITES_H
#define HORROR_NAMEDSPRITES_H

#include <map>
#include <string>

#include "tarn/gfx/csprite.h"

namespace horror {

// Sprites that scripts made with "AddSprite", by name; they leave the screen
// when dropped from the map.
using NamedSprites = std::map<std::string, tarn::SpritePtr>;

} // namespace horror

#endif
