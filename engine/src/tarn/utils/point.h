#ifndef TARN_UTILS_POINT_H
#define TARN_UTILS_POINT_H

#include <cstdint>

namespace tarn {

class CXmlFileSys;

namespace types {

// A position in whole pixels, x to the right and y downwards. In XML it is an
// element with the attributes "x" and "y".
struct point
{
    std::int32_t x = 0;
    std::int32_t y = 0;

    // Reading takes each attribute only when present.
    void Serialize( CXmlFileSys* filesys );

    bool operator==( const point& other ) const { return x == other.x && y == other.y; }
    bool operator!=( const point& other ) const { return !( *this == other ); }
};

} // namespace types
} // namespace tarn

#endif
