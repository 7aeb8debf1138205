#ifndef TARN_GFX_CDISPLAYSCALE_H
#define TARN_GFX_CDISPLAYSCALE_H

#include "tarn/utils/rect.h"

namespace tarn {

// Where the game picture sits in the display: each of its pixels shown as a
// square of factor x factor display pixels, its top-left corner at x, y. The
// window sets it with every video mode; the screen presents by it and the
// events map the pointer back by it. The identity (the game picture is the
// display) is the default and costs nothing.
class CDisplayScale final
{
public:
    CDisplayScale() = default;
    // The picture enlarged by factor and centred in a display of the given size.
    CDisplayScale( int width, int height, int factor, int displayWidth, int displayHeight );

    // The largest whole factor at which the picture fits in room (at least 1).
    static int FittingFactor( int width, int height, int roomWidth, int roomHeight );

    // False when the display is the game picture itself.
    bool IsScaled() const { return myFactor != 1 || myX != 0 || myY != 0; }
    // The display was made for this scale (a window opened elsewhere is not).
    bool Fits( int displayWidth, int displayHeight ) const
    {
        return displayWidth == myDisplayWidth && displayHeight == myDisplayHeight;
    }
    int GetFactor() const { return myFactor; }
    int GetWidth() const { return myWidth; }
    int GetHeight() const { return myHeight; }

    // A display point as a game pixel, held inside the picture.
    void ToGame( int& x, int& y ) const;
    // The display area that shows the game area.
    types::rect ToDisplay( const types::rect& area ) const;

    // The scale of the window now open (the identity when none is).
    static const CDisplayScale& Current() { return myCurrent; }
    static void SetCurrent( const CDisplayScale& scale ) { myCurrent = scale; }

    bool operator==( const CDisplayScale& other ) const;
    bool operator!=( const CDisplayScale& other ) const { return !( *this == other ); }

private:
    int myWidth = 0;
    int myHeight = 0;
    int myFactor = 1;
    int myX = 0;
    int myY = 0;
    int myDisplayWidth = 0;
    int myDisplayHeight = 0;

    static CDisplayScale myCurrent;
};

} // namespace tarn

#endif
