#ifndef TARN_UTILS_NUMBERUTILS_H
#define TARN_UTILS_NUMBERUTILS_H

#include <cmath>
#include <limits>
#include <string>

namespace tarn {

// A script number as an int: truncated toward zero, and held at the int
// range, so that an out-of-range value from a script cannot overflow the
// conversion. NaN gives 0. Inline: the game's sight lines truncate every
// step of every line.
inline int TruncateToInt( double value )
{
    if( std::isnan( value ) )
        return 0;
    if( value >= static_cast<double>( std::numeric_limits<int>::max() ) )
        return std::numeric_limits<int>::max();
    if( value <= static_cast<double>( std::numeric_limits<int>::min() ) )
        return std::numeric_limits<int>::min();
    return static_cast<int>( value );
}

// A sum worked out in 64 bits, held at the int range: for positions that add
// lengths to coordinates an author may set anywhere up to the int limit.
int ClampToInt( long long value );

// A decimal whole number within low..high, the whole text and nothing else;
// false (and value unspecified) otherwise.
bool ParseWhole( const std::string& text, long long low, long long high, long long& value );

} // namespace tarn

#endif
