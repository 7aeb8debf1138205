#ifndef TARN_GFX_CEFFECTFUNCTION_H
#define TARN_GFX_CEFFECTFUNCTION_H

namespace tarn {

class CSprite;

// What a function effect does to its sprite for a value (usually 0 to 1).
class CEffectFunction
{
public:
    explicit CEffectFunction( CSprite* sprite ) : mySprite( sprite ) {}
    virtual ~CEffectFunction() = default;

    virtual void Apply( float value ) = 0;

    CSprite* GetSprite() const { return mySprite; }

private:
    CSprite* mySprite;
};

// Moves the sprite from where it was when the function was made towards a
// target point: start + (target - start) * value.
class CMoveFunction final : public CEffectFunction
{
public:
    CMoveFunction( CSprite* sprite, int targetX, int targetY );

    void Apply( float value ) override;

private:
    int myTargetX;
    int myTargetY;
    int myStartX;
    int myStartY;
};

// Fades the sprite from its alpha when the function was made towards a
// target alpha, changing it only on every step-th call (so a fade redraws
// the sprite half as often with step 2).
class CAlphaFunction final : public CEffectFunction
{
public:
    CAlphaFunction( CSprite* sprite, int targetAlpha, int step );

    void Apply( float value ) override;

private:
    int myTargetAlpha;
    int myStartAlpha;
    int myStep;
    int myCounter = 0;
};

} // namespace tarn

#endif
