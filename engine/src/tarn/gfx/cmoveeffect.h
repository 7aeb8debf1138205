#ifndef TARN_GFX_CMOVEEFFECT_H
#define TARN_GFX_CMOVEEFFECT_H

#include <memory>
#include <string>

#include "tarn/gfx/ceffectfunction.h"
#include "tarn/gfx/cspriteeffect.h"

namespace tarn {

// Moves a sprite in a straight line to a point over the duration.
class CMoveEffect : public CSpriteEffect
{
public:
    CMoveEffect( CSprite* sprite, int targetX, int targetY, types::ticks duration );

    void Apply( float progress ) override;

protected:
    CMoveFunction myMove;
};

// Moves a sprite along the line to a point as an expression of t (the
// elapsed fraction) says, e.g. "t*t" to start slowly; values beyond 0..1
// overshoot.
class CExpressionMoveEffect final : public CMoveEffect
{
public:
    CExpressionMoveEffect( CSprite* sprite, int targetX, int targetY, types::ticks duration,
                           const std::string& expression );

    void Apply( float progress ) override;

private:
    std::string myExpression;
    CCalculator<float> myCalculator;
};

// Drives a function (a move, a fade) with the elapsed fraction, optionally
// shaped by an expression of t and held to 0..1. Owns the function.
class CFunctionEffect final : public CSpriteEffect
{
public:
    CFunctionEffect( std::unique_ptr<CEffectFunction> function, types::ticks duration,
                     const std::string& expression, bool clamp );
    ~CFunctionEffect() override;

    bool IsForSprite( const CSprite* sprite ) const override;
    void Apply( float progress ) override;

private:
    std::unique_ptr<CEffectFunction> myFunction;
    std::string myExpression;
    CCalculator<float> myCalculator;
    bool myClamp;
};

} // namespace tarn

#endif
