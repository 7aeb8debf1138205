#include "tarn/utils/numberutils.h"

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

} // namespace tarn
