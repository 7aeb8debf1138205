#include "horror/cfloatingthing.h"

#include <algorithm>
#include <cmath>

#include "tarn/gfx/cspritefactory.h"
#include "tarn/utils/random.h"

using namespace tarn;

namespace horror {

types::vector2 CFloatingThing::RandomSpot()
{
    const int y = RandomRange( 75, 525 );
    const int x = RandomRange( 100, 700 );
    return types::vector2{ static_cast<float>( x ), static_cast<float>( y ) };
}

void CFloatingThing::Init( const std::string& file, const types::vector2& a, const types::vector2& b )
{
    mySprite = CSpriteFactory::LoadSprite( file );
    if( !mySprite )
        return;
    const float halfW = static_cast<float>( mySprite->GetRect().w / 2 );
    const float halfH = static_cast<float>( mySprite->GetRect().h / 2 );
    myPosition = types::vector2{ a.x - halfW, a.y - halfH };
    myTarget = types::vector2{ b.x - halfW, b.y - halfH };
    Step();
}

void CFloatingThing::Step()
{
    if( !mySprite )
        return;
    const types::vector2 d{ myTarget.x - myPosition.x, myTarget.y - myPosition.y };
    const float m = std::max( std::fabs( d.x ), std::fabs( d.y ) );
    // Standing on the target: no direction to move in.
    if( m > 0 )
    {
        myPosition.x += d.x / m;
        myPosition.y += d.y / m;
    }
    mySprite->SetPosition( static_cast<int>( myPosition.x ), static_cast<int>( myPosition.y ) );
    if( m < 2 )
        myTarget = RandomSpot();
}

} // namespace horror
