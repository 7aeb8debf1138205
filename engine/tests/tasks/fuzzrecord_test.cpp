// The record fuzz target's inputs, replayed: record files that once broke
// the input player must play (or be refused line by line) cleanly.
#include <gtest/gtest.h>

#include "support/fuzzreplay.h"
#include "support/testsupport.h"
#include "tasks/fuzzrecord.h"

using namespace tarn;

TEST( RecordFuzzInputs, ReplayCleanly )
{
    test::ResetEngine();
    {
        test::CLogCapture log;
        EXPECT_GT( test::ReplayFuzzInputs( "tasks", "record", &test::FuzzRecordInput ), 0 );
    }
    test::ResetEngine();
}
