#include "tarn/utils/random.h"

#include <cstdlib>

namespace tarn {

int RandomRange( int low, int high )
{
    if( high < low )
        return low;
    return low + std::rand() % ( high - low + 1 );
}

} // namespace tarn
