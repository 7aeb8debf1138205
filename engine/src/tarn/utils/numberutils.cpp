#include "tarn/utils/numberutils.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarn {

int TruncateToInt( double value )
{
    if( std::isnan( value ) )
        return 0;
    if( value >= static_cast<double>( std::numeric_limits<int>::max() ) )
        return std::numeric_limits<int>::max();
    if( value <= static_cast<double>( std::numeric_limits<int>::min() ) )
        return std::numeric_limits<int>::min();
    return static_cast<int>( value );
}

int ClampToInt( long long value )
{
    return static_cast<int>( std::clamp<long long>( value, std::numeric_limits<int>::min(),
                                                    std::numeric_limits<int>::max() ) );
}

} // namespace tarn
