#ifndef TARN_UTILS_RECT_H
#define TARN_UTILS_RECT_H

#include <cstdint>

namespace tarn {

class CXmlFileSys;

namespace types {

// A rectangle in pixels: top-left corner (x, y), size (w, h); x to the right,
// y downwards. In XML it is an element with the attributes "x", "y", "w" and
// "h".
struct rect
{
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t w = 0;
    std::int32_t h = 0;

    // Reading takes each attribute only when present.
    void Serialize( CXmlFileSys* filesys );
};

inline bool operator==( const rect& a, const rect& b )
{
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

inline bool operator!=( const rect& a, const rect& b )
{
    return !( a == b );
}

// The area both rectangles cover; w and h are 0 when they do not overlap.
inline rect Intersection( const rect& a, const rect& b )
{
    const std::int32_t left = a.x > b.x ? a.x : b.x;
    const std::int32_t top = a.y > b.y ? a.y : b.y;
    const std::int32_t right = a.x + a.w < b.x + b.w ? a.x + a.w : b.x + b.w;
    const std::int32_t bottom = a.y + a.h < b.y + b.h ? a.y + a.h : b.y + b.h;
    if( right <= left || bottom <= top )
        return rect{ left, top, 0, 0 };
    return rect{ left, top, right - left, bottom - top };
}

// Whether the rectangles share at least one pixel.
inline bool Intersects( const rect& a, const rect& b )
{
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

} // namespace types
} // namespace tarn

#endif
