#ifndef TARN_UTILS_VECTOR2_H
#define TARN_UTILS_VECTOR2_H

#include <cmath>

#include "tarn/utils/point.h"

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

    vector2 operator+( const vector2& other ) const { return vector2{ x + other.x, y + other.y }; }
    vector2 operator-( const vector2& other ) const { return vector2{ x - other.x, y - other.y }; }
    vector2 operator*( float factor ) const { return vector2{ x * factor, y * factor }; }
    float SquaredLength() const { return x * x + y * y; }
    float Length() const { return std::sqrt( SquaredLength() ); }

    // The point's coordinates as floats.
    static vector2 From( const point& p ) { return vector2{ static_cast<float>( p.x ), static_cast<float>( p.y ) }; }
};

} // namespace types
} // namespace tarn

#endif
