#ifndef HORROR_CWALKMASK_H
#define HORROR_CWALKMASK_H

#include <cstdint>
#include <vector>

#include "tarn/utils/point.h"
#include "tarn/utils/rect.h"
#include "tarn/utils/vector2.h"

namespace tarn {
class CSprite;
class CSurface;
}

namespace horror {

// The level picture read as a walk mask: a point is open floor where the
// picture's alpha is above 0.45 (or at one of its four neighbours).
class CWalkMask
{
public:
    // Steps of line-of-sight allowance at a blocked end of the line.
    static constexpr int SIGHT_ALLOWANCE = 14;

    // background may be null (then nothing is open); not owned.
    explicit CWalkMask( const tarn::CSprite* background ) : myBackground( background ) {}

    bool IsOpen( const tarn::types::point& p ) const;
    // Open floor all along the line from a to b, allowing 14 blocked steps
    // at a blocked start and a blocked end, so that a character standing at
    // a wall does not block its own view.
    bool HasLineOfSight( const tarn::types::vector2& a, const tarn::types::vector2& b ) const;

    // Every point of the width x height area reachable from start over open
    // floor, stepping to the four neighbours (row by row: index y * width + x).
    // Empty when start itself is closed.
    std::vector<bool> ReachableFrom( const tarn::types::point& start, int width, int height ) const;

    const tarn::CSprite* GetBackground() const { return myBackground; }

private:
    // False when there is no picture to read (nothing is open); otherwise
    // makes sure the rows read belong to the picture's current surface.
    bool ReadyToRead() const;
    // IsOpen for a picture ready to read that stands at rect.
    bool IsOpenIn( const tarn::types::point& p, const tarn::types::rect& rect ) const;
    // The surface must be ready to read.
    bool IsOpenPixel( int x, int y ) const;
    // Which pixels are open is read from the picture a row at a time, each
    // row once, when first asked: a sight line asks for thousands of pixels
    // every step, while a level seldom needs all its rows.
    void StartReading( const tarn::CSurface* surface ) const;
    void ReadRow( int y ) const;

    const tarn::CSprite* myBackground;
    mutable const tarn::CSurface* myReadSurface = nullptr;
    mutable tarn::types::rect myReadView;
    mutable std::vector<std::uint8_t> myRowsRead;
    // 1 for open, row by row over the surface's view.
    mutable std::vector<std::uint8_t> myOpenPixels;
};

} // namespace horror

#endif
