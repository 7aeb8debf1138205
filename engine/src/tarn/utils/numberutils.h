#ifndef TARN_UTILS_NUMBERUTILS_H
#define TARN_UTILS_NUMBERUTILS_H

namespace tarn {

// A script number as an int: truncated toward zero, and held at the int
// range, so that an out-of-range value from a script cannot overflow the
// conversion. NaN gives 0.
int TruncateToInt( double value );

} // namespace tarn

#endif
