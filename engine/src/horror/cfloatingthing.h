#ifndef HORROR_CFLOATINGTHING_H
#define HORROR_CFLOATINGTHING_H

#include <string>

#include "tarn/gfx/csprite.h"
#include "tarn/utils/vector2.h"

namespace horror {

// A decoration that drifts one pixel a step (along the larger axis) towards
// a target, and takes a new random target when it gets there.
class CFloatingThing
{
public:
    // Makes the sprite from file; a and b are centres of the start and of the
    // first target. Then one Step.
    void Init( const std::string& file, const tarn::types::vector2& a, const tarn::types::vector2& b );
    void Step();

    // A random point of the middle of the screen (y drawn before x).
    static tarn::types::vector2 RandomSpot();

    const tarn::types::vector2& GetPosition() const { return myPosition; }
    const tarn::types::vector2& GetTarget() const { return myTarget; }
    tarn::CSprite* GetSprite() const { return mySprite.get(); }

private:
    // Top-left corners.
    tarn::types::vector2 myPosition;
    tarn::types::vector2 myTarget;
    tarn::SpritePtr mySprite;
};

} // namespace horror

#endif
