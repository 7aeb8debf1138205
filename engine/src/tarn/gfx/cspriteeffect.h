#ifndef TARN_GFX_CSPRITEEFFECT_H
#define TARN_GFX_CSPRITEEFFECT_H

#include <string>

#include "tarn/utils/ccalculator.h"
#include "tarn/utils/types.h"

namespace tarn {

class CSprite;

// A change of one sprite over a duration (milliseconds of the sprite clock):
// each update maps the elapsed fraction p (0 to 1) onto the sprite through
// Apply. An effect runs once it is handed to the sprite updater (StartEffect),
// which owns it until it finishes or its sprite goes. An effect with
// duration 0 never applies and never finishes.
class CSpriteEffect
{
public:
    CSpriteEffect( CSprite* sprite, types::ticks duration );
    virtual ~CSpriteEffect();

    CSpriteEffect( const CSpriteEffect& ) = delete;
    CSpriteEffect& operator=( const CSpriteEffect& ) = delete;

    virtual void Update( types::ticks now );
    virtual bool IsForSprite( const CSprite* sprite ) const;
    virtual bool IsFinished() const;
    virtual void SetFinished( bool finished );
    // Paused time does not count towards the duration.
    virtual void Pause();
    virtual void Resume();
    // Speeds the remaining part up by factor (2: twice as fast), keeping the
    // fraction already done.
    virtual void SetTimeScale( float factor );
    // p: elapsed fraction, 0 to 1. Apply may not delete the effect.
    virtual void Apply( float progress ) = 0;

    types::ticks GetDuration() const { return myDuration; }

protected:
    CSprite* GetSprite() const { return mySprite; }
    // The expression evaluated with every letter t replaced by progress (so
    // "tan" and "sqrt" cannot be used); an empty expression gives emptyValue.
    static float Evaluate( CCalculator<float>& calculator, const std::string& expression, float progress,
                           float emptyValue );

private:
    CSprite* mySprite;
    bool myFinished = false;
    types::ticks myStartTime;
    types::ticks myDuration;
    types::ticks myLastUpdateTime;
    bool myPaused = false;
    float myTimeScale = 1.0f;
};

} // namespace tarn

#endif
