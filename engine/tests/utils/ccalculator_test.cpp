// The expression calculator as sprite effects and layouts use it, in float
// and in double, and the inputs its fuzz target once failed on.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/fuzzreplay.h"
#include "support/testsupport.h"
#include "utils/fuzzinputs.h"

using namespace tarn;

namespace {

template <class T>
class Calculator : public ::testing::Test
{
protected:
    T Calc( const std::string& expression ) { return calculator.Calculate( expression ); }
    CCalculator<T> calculator;
};

using ValueTypes = ::testing::Types<float, double>;

TYPED_TEST_SUITE( Calculator, ValueTypes );

} // namespace

TYPED_TEST( Calculator, GivesTheValuesAnAuthorExpectsAndZeroForTooDeepNesting )
{
    test::ResetEngine();
    const std::pair<const char*, double> cases[] = {
        { "sin(0.5*3.14)*2", 2.0 }, { "-(2+3)", -5 }, { "2*-3", -6 }, { "", 0 }, { "tan(0.5)", std::tan( 0.5 ) },
        // Priorities, and every operator is left-associative.
        { "2+3*4", 14 }, { "(2+3)*4", 20 }, { "8/4/2", 1 }, { "2^3^2", 64 }, { "4^0.5^3", 8 }, { "10-4-3", 3 },
        { "-5+2", -3 }, { "sqrt(16) + 2^-1", 4.5 }, { "cos 0 * 3", 3 }, { "300 + (640 / 2 - 5)", 615 },
        // A sign folds through further signs and blanks into its number...
        { "2--3", 5 }, { "- 3 + 1", -2 },
        // ...and otherwise applies to the value after it.
        { "2*-(3)", -6 }, { "1 - -(2)", 3 }, { "5*(-(2))", -10 }, { "-sqrt 4", -2 }, { "-(3)^2", -9 },
        { "-(3)*2+1", -5 }, { "2*--(3)", 6 }, { "sin -(2)", std::sin( -2.0 ) },
        // What is not a number is skipped; dividing by zero gives zero.
        { "sin 0", 0 }, { "abc + 2", 2 }, { "1e3", 0 }, { "2 3", 3 }, { "*", 0 }, { "4 *", 0 }, { "sqrt", 0 },
        { "((((", 0 }, { "))))7", 7 }, { "(1+2", 3 }, { "1+2)*3", 9 },
        // In this order: "1 2 3" leaves 1 and 2 behind, which must not feed "*".
        { "1 2 3", 3 }, { "*5", 0 },
        { "5/0", 0 }, { "1 + 5/(2-2)", 1 }, { "0/0", 0 }, { "5/0.5", 10 },
    };
    for( const auto& [ expression, value ] : cases )
        EXPECT_NEAR( this->Calc( expression ), value, 1e-5 ) << expression;
    const TypeParam huge = this->Calc( "10^400" );
    EXPECT_TRUE( std::isinf( huge ) && huge > 0 );
    EXPECT_TRUE( std::isnan( this->Calc( "sqrt(-1)" ) ) );
    // Deeper parentheses than any layout or effect needs make the expression
    // worth 0, logged once however often it is evaluated (effects evaluate
    // their expressions every frame).
    const auto parenthesized = []( const std::string& inner, int depth ) {
        return std::string( depth, '(' ) + inner + std::string( depth, ')' );
    };
    const int limit = CInfixToPostfix::MAX_NESTING;
    test::CLogCapture log;
    EXPECT_EQ( this->Calc( parenthesized( "2", limit ) + "*3" ), 6 );
    // Parentheses that close again do not add up.
    EXPECT_EQ( this->Calc( parenthesized( "1", limit ) + "+" + parenthesized( "1", limit ) ), 2 );
    EXPECT_TRUE( log.Lines().empty() );
    const std::string tooDeep = parenthesized( "2", limit + 1 ) + "*3";
    EXPECT_EQ( this->Calc( tooDeep ), 0 );
    EXPECT_EQ( this->Calc( tooDeep ), 0 );
    const std::string refused = "Calculator: parentheses nested more than 256 deep, the expression counts as 0: ";
    EXPECT_EQ( log.Lines(), std::vector<std::string>{ refused + std::string( 80, '(' ) + "..." } );
}

// Inputs that once broke the fuzz target, and runs far longer than it tries,
// which would take minutes with a conversion quadratic in a run of signs.
TEST( CalculatorFuzzInputs, ReplayCleanlyAndHugeOnesTakeLinearTime )
{
    EXPECT_GT( test::ReplayFuzzInputs( "utils", "calculator", &test::FuzzCalculatorInput ), 0 );
    const int many = 200000;
    const std::string inputs[] = { std::string( many, '-' ) + "(1)", test::Repeated( "- ", many ) + "2",
                                   std::string( many, '(' ) + "1" + std::string( many, ')' ),
                                   test::Repeated( "1+sin ", many ) };
    for( const std::string& input : inputs )
        EXPECT_LT( test::SecondsFor( &test::FuzzCalculatorInput, input ), 5.0 ) << input.substr( 0, 12 );
}
