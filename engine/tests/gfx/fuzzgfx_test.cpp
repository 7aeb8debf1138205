// The graphics fuzz targets' inputs, replayed: sprite descriptions and
// image files that once broke a loader must load (or be refused) cleanly.
#include <gtest/gtest.h>

#include <memory>

#include "gfx/fuzzgfx.h"
#include "support/fuzzreplay.h"
#include "support/sdltestsupport.h"
#include "support/testsupport.h"

using namespace tarn;

namespace {

class GfxFuzzInputs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        log = std::make_unique<test::CLogCapture>();
    }
    void TearDown() override
    {
        log.reset();
        test::ResetEngine();
    }

    test::CVideoMode video{ 800, 600 };
    std::unique_ptr<test::CLogCapture> log;
};

} // namespace

TEST_F( GfxFuzzInputs, SpritesReplayCleanly )
{
    EXPECT_GT( test::ReplayFuzzInputs( "gfx", "sprite", &test::FuzzSpriteInput ), 0 );
}

TEST_F( GfxFuzzInputs, ImagesReplayCleanly )
{
    EXPECT_GT( test::ReplayFuzzInputs( "gfx", "image", &test::FuzzImageInput ), 0 );
}
