// The OGF fuzz target's inputs, replayed: font files that once broke the
// loader must give a font (maybe without glyphs) and a log line.
#include <gtest/gtest.h>

#include "gfx/fuzzgfx.h"
#include "support/fuzzreplay.h"
#include "support/sdltestsupport.h"
#include "support/testsupport.h"

using namespace tarn;

TEST( OgfFuzzInputs, ReplayCleanly )
{
    test::ResetEngine();
    {
        test::CLogCapture log;
        test::CVideoMode video( 800, 600 );
        EXPECT_GT( test::ReplayFuzzInputs( "gfx/font", "ogf", &test::FuzzOgfInput ), 0 );
    }
    test::ResetEngine();
}
