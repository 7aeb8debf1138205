#ifndef HORROR_GAMEEFFECTS_H
#define HORROR_GAMEEFFECTS_H

#include <string>

#include "horror/namedsprites.h"
#include "tarn/gfx/csprite.h"
#include "tarn/utils/types.h"

namespace horror {

class CBackgroundLayer;

// The slides and fades of the game's screens: sprite effects whose progress
// is an expression of the elapsed fraction t, held to 0..1. The effects act
// on the sprite without owning it and end with it. Nothing for null.

// Moves the sprite from where it stands to (x, y).
void SlideSprite( tarn::CSprite* sprite, int x, int y, tarn::types::ticks duration, const std::string& progress );
// Changes the sprite's alpha from its current value to alpha.
void FadeSprite( tarn::CSprite* sprite, int alpha, tarn::types::ticks duration, const std::string& progress );

// A screen of its own for the title or the questions: the sprites scripts
// made by name go, and the background layer shows layerFile.
void ClearTheStage( NamedSprites& named, CBackgroundLayer& background, const std::string& layerFile );

// A new sprite from an image or sprite description file, in the screen
// layer; null when nothing could be made.
tarn::SpritePtr LoadGameSprite( const std::string& file );

} // namespace horror

#endif
