#ifndef TARN_UTILS_XMLVALUE_H
#define TARN_UTILS_XMLVALUE_H

#include <limits>
#include <sstream>
#include <string>
#include <type_traits>

namespace tarn {

// The text form of a field value in an XML file: strings as they are, bools
// as "1" or "0", numbers by default stream formatting (six significant digits
// for float and double). 8-bit integers are numbers, not characters.
template <class T>
std::string XmlValueToText( const T& value )
{
    if constexpr( std::is_same_v<T, std::string> )
        return value;
    else if constexpr( std::is_same_v<T, bool> )
        return value ? "1" : "0";
    else if constexpr( std::is_integral_v<T> && sizeof( T ) == 1 )
        return std::to_string( static_cast<int>( value ) );
    else
    {
        std::ostringstream stream;
        stream << value;
        return stream.str();
    }
}

// Reads a field value from its text by stream extraction. Returns false when
// the text does not read as a T; value is then what extraction leaves (0, or
// the nearest limit for a number out of range).
template <class T>
bool XmlTextToValue( const std::string& text, T& value )
{
    if constexpr( std::is_same_v<T, std::string> )
    {
        value = text;
        return true;
    }
    else if constexpr( std::is_integral_v<T> && !std::is_same_v<T, bool> && sizeof( T ) == 1 )
    {
        std::istringstream stream( text );
        long long wide = 0;
        stream >> wide;
        const long long low = std::numeric_limits<T>::min();
        const long long high = std::numeric_limits<T>::max();
        value = static_cast<T>( wide < low ? low : ( wide > high ? high : wide ) );
        return !stream.fail() && wide >= low && wide <= high;
    }
    else
    {
        std::istringstream stream( text );
        stream >> value;
        return !stream.fail();
    }
}

} // namespace tarn

#endif
