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
// Right and bottom edges are summed in 64 bits: a rectangle read from a data
// file may reach past the range of int.
inline rect Intersection( const rect& a, const rect& b )
{
    const std::int32_t left = a.x > b.x ? a.x : b.x;
    const std::int32_t top = a.y > b.y ? a.y : b.y;
    const std::int64_t aRight = std::int64_t( a.x ) + a.w;
    const std::int64_t bRight = std::int64_t( b.x ) + b.w;
    const std::int64_t aBottom = std::int64_t( a.y ) + a.h;
    const std::int64_t bBottom = std::int64_t( b.y ) + b.h;
    const std::int64_t right = aRight < bRight ? aRight : bRight;
    const std::int64_t bottom = aBottom < bBottom ? aBottom : bBottom;
    if( right <= left || bottom <= top )
        return rect{ left, top, 0, 0 };
    const std::int64_t most = INT32_MAX;
    const std::int64_t w = right - left;
    const std::int64_t h = bottom - top;
    return rect{ left, top, static_cast<std::int32_t>( w < most ? w : most ),
                 static_cast<std::int32_t>( h < most ? h : most ) };
}

// r moved by (dx, dy), worked out in 64 bits and cut to the range of int: the
// part pushed past the limit is left out (w or h is 0 when nothing is left,
// and for a rectangle of negative size).
inline rect Translated( const rect& r, std::int64_t dx, std::int64_t dy )
{
    const auto cut = []( std::int64_t v ) { return v < INT32_MIN ? INT32_MIN : ( v > INT32_MAX ? INT32_MAX : v ); };
    const std::int64_t left = cut( r.x + dx );
    const std::int64_t top = cut( r.y + dy );
    const std::int64_t right = cut( r.x + dx + r.w );
    const std::int64_t bottom = cut( r.y + dy + r.h );
    return rect{ static_cast<std::int32_t>( left ), static_cast<std::int32_t>( top ),
                 static_cast<std::int32_t>( right > left ? right - left : 0 ),
                 static_cast<std::int32_t>( bottom > top ? bottom - top : 0 ) };
}

// Whether the rectangles share at least one pixel. In 64 bits: a rect read
// from a data file may reach past the int range.
inline bool Intersects( const rect& a, const rect& b )
{
    using wide = std::int64_t;
    return a.x < wide( b.x ) + b.w && b.x < wide( a.x ) + a.w && a.y < wide( b.y ) + b.h && b.y < wide( a.y ) + a.h;
}

} // namespace types
} // namespace tarn

#endif
