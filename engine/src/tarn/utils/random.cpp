#include "tarn/utils/random.h"

#include <cstdlib>
#include <random>

namespace tarn {

namespace {

std::mt19937& UniformGenerator()
{
    static std::mt19937 generator;
    return generator;
}

} // namespace

int RandomRange( int low, int high )
{
    if( high < low )
        return low;
    return low + std::rand() % ( high - low + 1 );
}

void StartUniformRandom( std::uint32_t start )
{
    UniformGenerator() = std::mt19937( start );
}

double UniformRandom()
{
    // 32 random bits over 2^32: never reaches 1, unlike some library
    // distributions that can round up to it.
    return UniformGenerator()() / 4294967296.0;
}

} // namespace tarn
