#ifndef HORROR_CDELAYEDRELEASE_H
#define HORROR_CDELAYEDRELEASE_H

#include "tarn/gfx/csprite.h"
#include "tarn/tasks/cfakethread.h"
#include "tarn/utils/types.h"

namespace horror {

// Keeps a sprite alive for a while after its owner let go, so that it can
// finish fading or sliding out. A fake thread: the task manager's runner owns
// it and lets go of it once the delay has passed, which drops the sprite.
class CDelayedRelease final : public tarn::CFakeThread
{
public:
    CDelayedRelease( tarn::SpritePtr sprite, tarn::types::ticks delay );

    void Run() override;

    // Hands sprite to a new keep-alive holder (nothing for an empty handle).
    static void Hold( tarn::SpritePtr sprite, tarn::types::ticks delay );

private:
    tarn::SpritePtr mySprite;
    tarn::types::ticks myDelay;
};

} // namespace horror

#endif
