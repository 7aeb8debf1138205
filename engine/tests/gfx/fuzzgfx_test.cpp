// The graphics fuzz targets' inputs, replayed: sprite descriptions and
// image files that once broke a loader must load (or be refused) cleanly.
#include <gtest/gtest.h>

#include <memory>

#include "gfx/fuzzgfx.h"
#include "support/fuzzreplay.h"
#include "support/sdltestsupport.h"
#include "support/testsupport.h"

using namespace tarn;

using GfxFuzzInputs = test::FuzzReplayTest;

TEST_F( GfxFuzzInputs, SpritesReplayCleanly )
{
    EXPECT_GT( test::ReplayFuzzInputs( "gfx", "sprite", &test::FuzzSpriteInput ), 0 );
}

TEST_F( GfxFuzzInputs, ImagesReplayCleanly )
{
    EXPECT_GT( test::ReplayFuzzInputs( "gfx", "image", &test::FuzzImageInput ), 0 );
}
