#ifndef TARN_FUZZ_HARNESS_FUZZRECORD_H
#define TARN_FUZZ_HARNESS_FUZZRECORD_H

#include <string>

namespace tarn {
namespace test {

// Reads the input as a record file of the input player and plays every
// event to the input dispatcher on a hand-moved clock; aborts when playback
// leaves an event undelivered or the engine clock behind.
void FuzzRecordInput( const std::string& input );

} // namespace test
} // namespace tarn

#endif
