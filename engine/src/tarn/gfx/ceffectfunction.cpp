#include "tarn/gfx/ceffectfunction.h"

#include "tarn/gfx/csprite.h"

namespace tarn {

CMoveFunction::CMoveFunction( CSprite* sprite, int targetX, int targetY ) :
    CEffectFunction( sprite ),
    myTargetX( targetX ),
    myTargetY( targetY ),
    myStartX( sprite ? sprite->GetX() : 0 ),
    myStartY( sprite ? sprite->GetY() : 0 )
{
}

void CMoveFunction::Apply( float value )
{
    if( !GetSprite() )
        return;
    GetSprite()->SetPosition( myStartX + static_cast<int>( ( myTargetX - myStartX ) * value ),
                              myStartY + static_cast<int>( ( myTargetY - myStartY ) * value ) );
}

CAlphaFunction::CAlphaFunction( CSprite* sprite, int targetAlpha, int step ) :
    CEffectFunction( sprite ),
    myTargetAlpha( targetAlpha & 0xff ),
    myStartAlpha( sprite ? sprite->GetAlpha() : 255 ),
    myStep( step )
{
}

void CAlphaFunction::Apply( float value )
{
    ++myCounter;
    if( myCounter < myStep || !GetSprite() )
        return;
    myCounter = 0;
    const int alpha = myStartAlpha + static_cast<int>( ( myTargetAlpha - myStartAlpha ) * value );
    GetSprite()->SetAlpha( alpha & 0xff );
}

} // namespace tarn
