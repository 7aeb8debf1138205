#ifndef TARN_UTILS_TYPES_H
#define TARN_UTILS_TYPES_H

#include <cstdint>

namespace tarn {
namespace types {

// Milliseconds of the engine clock. Differences are taken in unsigned
// arithmetic, so a wrapped clock still yields correct short intervals.
using ticks = std::uint32_t;

} // namespace types
} // namespace tarn

#endif
