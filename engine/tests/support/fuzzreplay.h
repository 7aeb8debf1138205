#ifndef TARN_TESTS_SUPPORT_FUZZREPLAY_H
#define TARN_TESTS_SUPPORT_FUZZREPLAY_H

// Replays inputs through a fuzz target's harness in the unit tests: the
// inputs it once failed on, and its starting corpus, so that a harness that
// stopped working is noticed without running the fuzzer.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "support/sdltestsupport.h"
#include "support/testsupport.h"

namespace tarn {
namespace test {

// Runs every file of engine/tests/<area>/fuzz_regressions/<target>/ and of
// engine/fuzz/seeds/<target>/ through replay, from the source folder (where
// the game's data/ is); returns how many ran. A missing folder runs nothing.
template <class Replay>
int ReplayFuzzInputs( const std::string& area, const std::string& target, Replay replay )
{
    const std::filesystem::path source( TARN_SOURCE_DIR );
    const std::filesystem::path folders[] = { source / "engine/tests" / area / "fuzz_regressions" / target,
                                              source / "engine/fuzz/seeds" / target };
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path( source );
    int count = 0;
    for( const std::filesystem::path& folder : folders )
    {
        if( !std::filesystem::is_directory( folder ) )
            continue;
        for( const auto& entry : std::filesystem::directory_iterator( folder ) )
        {
            SCOPED_TRACE( entry.path().string() );
            replay( ReadFile( entry.path().string() ) );
            ++count;
        }
    }
    std::filesystem::current_path( before );
    return count;
}

// A fresh engine on an 800 x 600 screen, with the log captured (bad inputs
// log a lot), for the tests that replay graphics and game inputs.
class FuzzReplayTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetEngine();
        log = std::make_unique<CLogCapture>();
    }
    void TearDown() override
    {
        log.reset();
        ResetEngine();
    }

    CVideoMode video{ 800, 600 };
    std::unique_ptr<CLogCapture> log;
};

} // namespace test
} // namespace tarn

#endif
