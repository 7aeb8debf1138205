#ifndef TARN_FUZZ_HARNESS_FUZZHORROR_H
#define TARN_FUZZ_HARNESS_FUZZHORROR_H

// What the game's fuzz targets do with one input, shared with the unit tests
// that replay the inputs they once failed on. Each runs from the game's
// folder (where data/ is) and starts its own headless screen. Scripts the
// input holds are checked as the data checker checks them, never run.

#include <string>

namespace horror {
namespace test {

// Loads the input as a level file into a gameplay with a background layer,
// drags the player's icon and lets the bad guy walk. (The data checker's
// flood fill of the walk mask would take most of each run; its unit tests
// cover it.)
void FuzzLevelInput( const std::string& input );

// Loads the input as a dialogue file and clicks through its lines, then
// checks it with the data checker.
void FuzzDialogueInput( const std::string& input );

// Loads the input as a background-layer file, lets the floating things
// drift, then checks it with the data checker.
void FuzzBackgroundInput( const std::string& input );

} // namespace test
} // namespace horror

#endif
