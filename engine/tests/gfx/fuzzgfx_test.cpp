// The graphics fuzz targets' inputs, replayed: font files, sprite descriptions and image files that once broke a loader
// must load (or be refused) cleanly.
#include <gtest/gtest.h>

#include "harness/fuzzgfx.h"
#include "support/fuzzreplay.h"

using namespace tarn;

namespace {

struct FuzzTarget
{
    const char* area;
    const char* target;
    void ( *replay )( const std::string& );
};

class GfxFuzzInputs : public test::FuzzReplayTest, public ::testing::WithParamInterface<FuzzTarget>
{
};

} // namespace

TEST_P( GfxFuzzInputs, ReplayCleanly )
{
    EXPECT_GT( test::ReplayFuzzInputs( GetParam().area, GetParam().target, GetParam().replay ), 0 );
}

INSTANTIATE_TEST_SUITE_P( Targets, GfxFuzzInputs,
                          ::testing::Values( FuzzTarget{ "gfx/font", "ogf", &test::FuzzOgfInput },
                                             FuzzTarget{ "gfx", "sprite", &test::FuzzSpriteInput },
                                             FuzzTarget{ "gfx", "image", &test::FuzzImageInput } ),
                          []( const auto& info ) { return std::string( info.param.target ); } );
