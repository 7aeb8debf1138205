#ifndef TARN_UTILS_RANDOM_H
#define TARN_UTILS_RANDOM_H

namespace tarn {

// A whole number from low to high (both included): low + rand() mod
// (high - low + 1). Nothing seeds the generator, so every run draws the same
// sequence. Gives low when high < low.
int RandomRange( int low, int high );

} // namespace tarn

#endif
