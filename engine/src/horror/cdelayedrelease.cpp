#include "horror/cdelayedrelease.h"

#include <memory>
#include <utility>

namespace horror {

CDelayedRelease::CDelayedRelease( tarn::SpritePtr sprite, tarn::types::ticks delay ) :
    mySprite( std::move( sprite ) ),
    myDelay( delay )
{
    SetInterval( delay );
    Start();
}

void CDelayedRelease::Run()
{
    if( myTimer.GetTime() >= myDelay )
        Kill();
}

void CDelayedRelease::Hold( tarn::SpritePtr sprite, tarn::types::ticks delay )
{
    if( sprite )
        tarn::StartFakeThread( std::make_unique<CDelayedRelease>( std::move( sprite ), delay ) );
}

} // namespace horror
