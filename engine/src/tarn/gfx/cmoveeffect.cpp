#include "tarn/gfx/cmoveeffect.h"

#include <algorithm>


namespace tarn {

CMoveEffect::CMoveEffect( CSprite* sprite, int targetX, int targetY, types::ticks duration ) :
    CSpriteEffect( sprite, duration ),
    myMove( sprite, targetX, targetY )
{
}

void CMoveEffect::Apply( float progress )
{
    myMove.Apply( progress );
}

CExpressionMoveEffect::CExpressionMoveEffect( CSprite* sprite, int targetX, int targetY, types::ticks duration,
                                              const std::string& expression ) :
    CMoveEffect( sprite, targetX, targetY, duration ),
    myExpression( expression )
{
}

void CExpressionMoveEffect::Apply( float progress )
{
    myMove.Apply( Evaluate( myCalculator, myExpression, progress, 0.0f ) );
}

CFunctionEffect::CFunctionEffect( std::unique_ptr<CEffectFunction> function, types::ticks duration,
                                  const std::string& expression, bool clamp ) :
    CSpriteEffect( function ? function->GetSprite() : nullptr, duration ),
    myFunction( std::move( function ) ),
    myExpression( expression ),
    myClamp( clamp )
{
}

CFunctionEffect::~CFunctionEffect() = default;

bool CFunctionEffect::IsForSprite( const CSprite* sprite ) const
{
    return myFunction && myFunction->GetSprite() == sprite;
}

void CFunctionEffect::Apply( float progress )
{
    if( !myFunction )
        return;
    float value = Evaluate( myCalculator, myExpression, progress, progress );
    if( myClamp )
        value = std::clamp( value, 0.0f, 1.0f );
    myFunction->Apply( value );
}

} // namespace tarn
