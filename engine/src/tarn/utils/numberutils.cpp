#include "tarn/utils/numberutils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace tarn {

int ClampToInt( long long value )
{
    return static_cast<int>( std::clamp<long long>( value, std::numeric_limits<int>::min(),
                                                    std::numeric_limits<int>::max() ) );
}

bool ParseWhole( const std::string& text, long long low, long long high, long long& value )
{
    if( text.empty() )
        return false;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars( text.data(), end, value );
    return result.ec == std::errc() && result.ptr == end && value >= low && value <= high;
}

} // namespace tarn
