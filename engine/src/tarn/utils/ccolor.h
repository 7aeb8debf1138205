#ifndef TARN_UTILS_CCOLOR_H
#define TARN_UTILS_CCOLOR_H

#include <cstdint>

namespace tarn {

// A colour with 8 bits a channel; alpha 255 is opaque.
class CColor
{
public:
    CColor() = default;
    CColor( int red, int green, int blue, int alpha = 255 ) :
        r( static_cast<std::uint8_t>( red ) ),
        g( static_cast<std::uint8_t>( green ) ),
        b( static_cast<std::uint8_t>( blue ) ),
        a( static_cast<std::uint8_t>( alpha ) )
    {
    }

    bool operator==( const CColor& other ) const
    {
        return r == other.r && g == other.g && b == other.b && a == other.a;
    }
    bool operator!=( const CColor& other ) const { return !( *this == other ); }

    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 255;
};

} // namespace tarn

#endif
