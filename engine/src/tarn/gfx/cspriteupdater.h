#ifndef TARN_GFX_CSPRITEUPDATER_H
#define TARN_GFX_CSPRITEUPDATER_H

#include <list>
#include <memory>

#include "tarn/utils/csingleton.h"
#include "tarn/utils/types.h"

namespace tarn {

class CAnimatable;
class CSprite;
class CSpriteEffect;

// Advances every running sprite effect and every playing animation on the
// sprite clock, once a frame. It owns the effects it is given and lets go of
// each when it finishes or its sprite goes; it does not own the animated
// sprites, which leave the list when they are destroyed.
class CSpriteUpdater final : public CSingleton<CSpriteUpdater>
{
public:
    ~CSpriteUpdater();

    // now: milliseconds of the sprite clock.
    void Update( types::ticks now );
    types::ticks GetCurrentTime() const { return myCurrentTime; }

    void AddAnimatedSprite( CAnimatable* sprite );
    void RemoveAnimatedSprite( CAnimatable* sprite );
    bool IsAnimating( const CAnimatable* sprite ) const;

    // Ends every effect acting on sprite (the sprite is going away): none of
    // them applies again; they are let go of at once, or after the walk of
    // effects when an effect's own update destroyed the sprite.
    void RemoveEffectsOf( const CSprite* sprite );

    // Takes the effect over; it applies from the next update on. The pointer
    // returned stays valid while the effect runs.
    CSpriteEffect* AddEffect( std::unique_ptr<CSpriteEffect> effect );

    // Effects that have not ended.
    std::size_t GetEffectCount() const;

private:
    friend class CSingleton<CSpriteUpdater>;
    CSpriteUpdater();

    void UpdateEffects( types::ticks now );
    void UpdateAnimations( types::ticks now );

    struct CRunningEffect
    {
        std::unique_ptr<CSpriteEffect> effect;
        // Its sprite went away: it must not apply again.
        bool ended = false;
    };
    void EraseEnded();

    types::ticks myCurrentTime = 0;
    std::list<CRunningEffect> myEffects;
    bool myWalkingEffects = false;
    std::list<CAnimatable*> myAnimated;
    CAnimatable* myCurrentAnimated = nullptr;
};

// Hands a new effect to the sprite updater (see AddEffect).
CSpriteEffect* StartEffect( std::unique_ptr<CSpriteEffect> effect );

} // namespace tarn

#endif
