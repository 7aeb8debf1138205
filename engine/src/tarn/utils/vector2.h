#ifndef TARN_UTILS_VECTOR2_H
#define TARN_UTILS_VECTOR2_H

namespace tarn {

class CXmlFileSys;

namespace types {

// A position or direction in pixels as floats, x to the right and y
// downwards. In XML it is an element with the attributes "x" and "y".
struct vector2
{
    float x = 0.0f;
    float y = 0.0f;

    // Reading takes each attribute only when present.
    void Serialize( CXmlFileSys* filesys );

    bool operator==( const vector2& other ) const { return x == other.x && y == other.y; }
    bool operator!=( const vector2& other ) const { return !( *this == other ); }
};

} // namespace types
} // namespace tarn

#endif
