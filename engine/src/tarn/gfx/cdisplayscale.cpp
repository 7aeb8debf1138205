#include "tarn/gfx/cdisplayscale.h"

#include <algorithm>

namespace tarn {

CDisplayScale CDisplayScale::myCurrent;

CDisplayScale::CDisplayScale( int width, int height, int factor, int displayWidth, int displayHeight ) :
    myWidth( width ),
    myHeight( height ),
    myFactor( std::max( factor, 1 ) ),
    myX( std::max( ( displayWidth - width * myFactor ) / 2, 0 ) ),
    myY( std::max( ( displayHeight - height * myFactor ) / 2, 0 ) ),
    myDisplayWidth( displayWidth ),
    myDisplayHeight( displayHeight )
{
}

int CDisplayScale::FittingFactor( int width, int height, int roomWidth, int roomHeight )
{
    if( width <= 0 || height <= 0 )
        return 1;
    return std::max( std::min( roomWidth / width, roomHeight / height ), 1 );
}

void CDisplayScale::ToGame( int& x, int& y ) const
{
    if( !IsScaled() )
        return;
    // Points on the black border belong to the nearest edge of the picture.
    x = std::clamp( ( x - myX ) / myFactor, 0, std::max( myWidth - 1, 0 ) );
    y = std::clamp( ( y - myY ) / myFactor, 0, std::max( myHeight - 1, 0 ) );
}

types::rect CDisplayScale::ToDisplay( const types::rect& area ) const
{
    return types::rect{ myX + area.x * myFactor, myY + area.y * myFactor, area.w * myFactor, area.h * myFactor };
}

bool CDisplayScale::operator==( const CDisplayScale& other ) const
{
    return myWidth == other.myWidth && myHeight == other.myHeight && myFactor == other.myFactor && myX == other.myX &&
           myY == other.myY && myDisplayWidth == other.myDisplayWidth && myDisplayHeight == other.myDisplayHeight;
}

} // namespace tarn
