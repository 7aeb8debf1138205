#ifndef TARN_UTILS_RECT_H
#define TARN_UTILS_RECT_H

#include <cstdint>

namespace tarn {

class CXmlFileSys;

namespace types {

// A rectangle in pixels: top-left corner (x, y), size (w, h). In XML it is an
// element with the attributes "x", "y", "w" and "h".
struct rect
{
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t w = 0;
    std::int32_t h = 0;

    // Reading takes each attribute only when present.
    void Serialize( CXmlFileSys* filesys );

    bool operator==( const rect& other ) const
    {
        return x == other.x && y == other.y && w == other.w && h == other.h;
    }
    bool operator!=( const rect& other ) const { return !( *this == other ); }
};

} // namespace types
} // namespace tarn

#endif
