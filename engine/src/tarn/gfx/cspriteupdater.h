#ifndef TARN_GFX_CSPRITEUPDATER_H
#define TARN_GFX_CSPRITEUPDATER_H

#include <list>

#include "tarn/utils/csingleton.h"
#include "tarn/utils/types.h"

namespace tarn {

class CAnimatable;
class CSprite;
class CSpriteEffect;

// Advances every running sprite effect and every playing animation on the
// sprite clock, once a frame. Effects register themselves when made and are
// deleted here when they finish (or with their sprite).
class CSpriteUpdater final : public CSingleton<CSpriteUpdater>
{
public:
    // Deletes the effects still running.
    ~CSpriteUpdater();

    // now: milliseconds of the sprite clock.
    void Update( types::ticks now );
    types::ticks GetCurrentTime() const { return myCurrentTime; }

    void AddAnimatedSprite( CAnimatable* sprite );
    void RemoveAnimatedSprite( CAnimatable* sprite );
    bool IsAnimating( const CAnimatable* sprite ) const;

    // Deletes every effect acting on sprite (the sprite is going away).
    void RemoveEffectsOf( const CSprite* sprite );

    // Called by CSpriteEffect's constructor and destructor only.
    void AddEffect( CSpriteEffect* effect );
    void RemoveEffect( CSpriteEffect* effect );

    std::size_t GetEffectCount() const { return myEffects.size(); }

private:
    friend class CSingleton<CSpriteUpdater>;
    CSpriteUpdater() = default;

    void UpdateEffects( types::ticks now );
    void UpdateAnimations( types::ticks now );

    types::ticks myCurrentTime = 0;
    std::list<CSpriteEffect*> myEffects;
    CSpriteEffect* myCurrentEffect = nullptr;
    std::list<CAnimatable*> myAnimated;
    CAnimatable* myCurrentAnimated = nullptr;
};

} // namespace tarn

#endif
