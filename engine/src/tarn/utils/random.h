#ifndef TARN_UTILS_RANDOM_H
#define TARN_UTILS_RANDOM_H

#include <cstdint>

namespace tarn {

// A whole number from low to high (both included): low + rand() mod
// (high - low + 1). Nothing seeds the generator, so every run draws the same
// sequence. Gives low when high < low.
int RandomRange( int low, int high );

// The engine's own uniform generator, apart from rand(): input recording and
// playback start it from the same value, so that a replayed run draws what
// the recorded one drew.
void StartUniformRandom( std::uint32_t start );
// A number in [0, 1).
double UniformRandom();

} // namespace tarn

#endif
