#ifndef TARN_GFX_CANIMATABLE_H
#define TARN_GFX_CANIMATABLE_H

#include "tarn/utils/types.h"

namespace tarn {

// Something the sprite updater advances on the sprite clock while it plays
// (an animated sprite). Times are milliseconds of the sprite clock.
class CAnimatable
{
public:
    virtual ~CAnimatable() = default;

    // When the next frame is due.
    virtual types::ticks GetNextUpdateTime() const = 0;
    // Takes the current time of the sprite clock.
    virtual void UpdateTime( types::ticks now ) = 0;
    // Advances the animation; may stop playing (and leave the updater).
    virtual void UpdateAnimation() = 0;
};

} // namespace tarn

#endif
