// Inputs that once broke the fuzz targets, replayed on every test run, and
// inputs far larger than the fuzzers try, which must still go fast.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <string>

#include "support/testsupport.h"
#include "utils/fuzzinputs.h"

using namespace tarn;

namespace {

// Runs every file of the target's regression folder through replay.
template <class Replay>
int ReplayAll( const std::string& target, Replay replay )
{
    const std::filesystem::path folder =
        std::filesystem::path( TARN_SOURCE_DIR ) / "engine/tests/utils/fuzz_regressions" / target;
    int count = 0;
    for( const auto& entry : std::filesystem::directory_iterator( folder ) )
    {
        SCOPED_TRACE( entry.path().string() );
        replay( test::ReadFile( entry.path().string() ) );
        ++count;
    }
    return count;
}

// Processor seconds, not wall-clock ones: a test run beside other work
// (fuzzers, a parallel build) must not fail for waiting on the processor.
double SecondsFor( void ( *run )( const std::string& ), const std::string& input )
{
    const std::clock_t start = std::clock();
    run( input );
    return static_cast<double>( std::clock() - start ) / CLOCKS_PER_SEC;
}

std::string Repeated( const std::string& piece, int times )
{
    std::string text;
    for( int i = 0; i < times; ++i )
        text += piece;
    return text;
}

} // namespace

TEST( FuzzRegressions, XmlInputsReplayCleanly )
{
    test::ResetEngine();
    test::CLogCapture log;
    EXPECT_GT( ReplayAll( "xml", &test::FuzzXmlInput ), 0 );
}

TEST( FuzzRegressions, CalculatorInputsReplayCleanly )
{
    EXPECT_GT( ReplayAll( "calculator", &test::FuzzCalculatorInput ), 0 );
}

// Each of these would take minutes with a parser that is quadratic in the
// length of a tag, a text or a run of signs.
TEST( FuzzRegressions, HugeInputsTakeLinearTime )
{
    test::ResetEngine();
    test::CLogCapture log;
    const int many = 200000;
    EXPECT_LT( SecondsFor( &test::FuzzXmlInput, "<a " + Repeated( "k=\"v\" ", many ) + ">" ), 5.0 );
    EXPECT_LT( SecondsFor( &test::FuzzXmlInput, "<a " + Repeated( "=", many ) + ">" ), 5.0 );
    EXPECT_LT( SecondsFor( &test::FuzzXmlInput, "<a>" + Repeated( "&amp;amp;", many ) + "</a>" ), 5.0 );
    EXPECT_LT( SecondsFor( &test::FuzzXmlInput, Repeated( "<a>", many ) ), 5.0 );
    EXPECT_LT( SecondsFor( &test::FuzzCalculatorInput, Repeated( "-", many ) + "(1)" ), 5.0 );
    EXPECT_LT( SecondsFor( &test::FuzzCalculatorInput, Repeated( "(", many ) + "1" + Repeated( ")", many ) ), 5.0 );
    EXPECT_LT( SecondsFor( &test::FuzzCalculatorInput, Repeated( "1+sin ", many ) ), 5.0 );
    EXPECT_LT( SecondsFor( &test::FuzzCalculatorInput, Repeated( "- ", many ) + "2" ), 5.0 );
}
