// The game's fuzz targets' inputs, replayed from the game's folder: level,
// dialogue and background-layer files that once broke a loader must load
// (or be refused) cleanly.
#include <gtest/gtest.h>

#include <memory>

#include "horror/fuzzhorror.h"
#include "support/fuzzreplay.h"
#include "support/sdltestsupport.h"
#include "support/testsupport.h"

using namespace tarn;

using HorrorFuzzInputs = test::FuzzReplayTest;

TEST_F( HorrorFuzzInputs, LevelsReplayCleanly )
{
    EXPECT_GT( test::ReplayFuzzInputs( "horror", "level", &horror::test::FuzzLevelInput ), 0 );
}

TEST_F( HorrorFuzzInputs, DialoguesReplayCleanly )
{
    EXPECT_GT( test::ReplayFuzzInputs( "horror", "dialogue", &horror::test::FuzzDialogueInput ), 0 );
}

TEST_F( HorrorFuzzInputs, BackgroundLayersReplayCleanly )
{
    EXPECT_GT( test::ReplayFuzzInputs( "horror", "background", &horror::test::FuzzBackgroundInput ), 0 );
}
