// The expression calculator as sprite effects and layouts use it, in float
// and in double.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/testsupport.h"
#include "tarn/utils/ccalculator.h"
#include "tarn/utils/cinfixtopostfix.h"

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

// A converter that knows the calculator's names.
CInfixToPostfix MakeConverter()
{
    CInfixToPostfix converter;
    for( const char* name : { "+", "-" } )
        converter.AddOperator( name, 0 );
    for( const char* name : { "*", "/" } )
        converter.AddOperator( name, 1 );
    for( const char* name : { "^", "sin", "cos", "tan", "sqrt" } )
        converter.AddOperator( name, 2 );
    return converter;
}

} // namespace

TEST( InfixToPostfix, ConvertsTheWorkedExamples )
{
    CInfixToPostfix converter = MakeConverter();
    EXPECT_EQ( converter.Convert( "sin(0.5*3.14)*2" ), "0.5 3.14 * sin 2 *" );
    EXPECT_EQ( converter.Convert( "-(2+3)" ), "2 3 + -" );
    EXPECT_EQ( converter.Convert( "2*-3" ), "2 -3 *" );
    EXPECT_EQ( converter.Convert( "parent.x + (parent.w / 2 - 5)" ), "parent.x parent.w 2 / 5 - +" );
    EXPECT_EQ( converter.Convert( "2^3^2" ), "2 3 ^ 2 ^" );
    EXPECT_EQ( converter.Convert( "  2 3  " ), "2 3" );
    EXPECT_EQ( converter.Convert( "" ), "" );
    // A sign folds through further signs and over blanks before its number.
    EXPECT_EQ( converter.Convert( "2--3" ), "2 -3 -" );
    EXPECT_EQ( converter.Convert( "- 3 + 1" ), "-3 1 +" );
    // A sign that cannot fold is a prefix sign on what follows it.
    EXPECT_EQ( converter.Convert( "1 - -(2)" ), "1 0 2 - -" );
    EXPECT_EQ( converter.Convert( "2*-(3)" ), "2 0 3 - *" );
    EXPECT_EQ( converter.Convert( "sin -(2)" ), "2 - sin" );
    // Unmatched parentheses: a lone "(" ends up in the output and is skipped
    // when evaluated; a lone ")" pops what is there.
    EXPECT_EQ( converter.Convert( "(1+2" ), "1 2 + (" );
    EXPECT_EQ( converter.Convert( "1+2)*3" ), "1 2 + 3 *" );
}

TYPED_TEST( Calculator, GivesTheWorkedExampleResults )
{
    EXPECT_NEAR( this->Calc( "sin(0.5*3.14)*2" ), 2.0, 1e-5 );
    EXPECT_EQ( this->Calc( "-(2+3)" ), -5 );
    EXPECT_EQ( this->Calc( "2*-3" ), -6 );
}

TYPED_TEST( Calculator, FollowsPriorityAndLeftAssociativity )
{
    EXPECT_EQ( this->Calc( "" ), 0 );
    EXPECT_EQ( this->Calc( "2+3*4" ), 14 );
    EXPECT_EQ( this->Calc( "(2+3)*4" ), 20 );
    EXPECT_EQ( this->Calc( "8/4/2" ), 1 );
    EXPECT_EQ( this->Calc( "2^3^2" ), 64 );
    EXPECT_EQ( this->Calc( "10-4-3" ), 3 );
    EXPECT_EQ( this->Calc( "-5+2" ), -3 );
    EXPECT_EQ( this->Calc( "sqrt(16) + 2^-1" ), 4.5 );
    EXPECT_EQ( this->Calc( "cos 0 * 3" ), 3 );
    EXPECT_EQ( this->Calc( "300 + (640 / 2 - 5)" ), 615 );
    EXPECT_NEAR( this->Calc( "tan(0.5)" ), std::tan( 0.5 ), 1e-6 );
}

TYPED_TEST( Calculator, AppliesPrefixSignsToTheValueAfterThem )
{
    EXPECT_EQ( this->Calc( "2*-(3)" ), -6 );
    EXPECT_EQ( this->Calc( "1 - -(2)" ), 3 );
    EXPECT_EQ( this->Calc( "5*(-(2))" ), -10 );
    EXPECT_EQ( this->Calc( "-sqrt 4" ), -2 );
    EXPECT_EQ( this->Calc( "-(3)^2" ), -9 );
    EXPECT_EQ( this->Calc( "-(3)*2+1" ), -5 );
    EXPECT_EQ( this->Calc( "2*--(3)" ), 6 );
    EXPECT_NEAR( this->Calc( "sin -(2)" ), std::sin( -2.0 ), 1e-6 );
}

TYPED_TEST( Calculator, SkipsWhatIsNotANumber )
{
    EXPECT_EQ( this->Calc( "sin 0" ), 0 );
    EXPECT_EQ( this->Calc( "abc + 2" ), 2 );
    EXPECT_EQ( this->Calc( "1e3" ), 0 );
    EXPECT_EQ( this->Calc( "2 3" ), 3 );
    EXPECT_EQ( this->Calc( "- 3" ), -3 );
    EXPECT_EQ( this->Calc( "*" ), 0 );
    EXPECT_EQ( this->Calc( "4 *" ), 0 );
    EXPECT_EQ( this->Calc( "sqrt" ), 0 );
    EXPECT_EQ( this->Calc( "((((" ), 0 );
    EXPECT_EQ( this->Calc( "))))7" ), 7 );
}

TYPED_TEST( Calculator, DividingByZeroGivesZero )
{
    EXPECT_EQ( this->Calc( "5/0" ), 0 );
    EXPECT_EQ( this->Calc( "1 + 5/(2-2)" ), 1 );
    EXPECT_EQ( this->Calc( "0/0" ), 0 );
    EXPECT_EQ( this->Calc( "5/0.5" ), 10 );
}

TYPED_TEST( Calculator, EveryCalculationStartsFromAnEmptyStack )
{
    // "1 2 3" leaves 1 and 2 behind; they must not feed the next "+".
    EXPECT_EQ( this->Calc( "1 2 3" ), 3 );
    EXPECT_EQ( this->Calc( "+ 4" ), 4 );
    EXPECT_EQ( this->Calc( "*5" ), 0 );
    EXPECT_EQ( this->calculator.EvaluatePostfix( "7 8" ), 8 );
    EXPECT_EQ( this->calculator.EvaluatePostfix( "*" ), 0 );
}

TYPED_TEST( Calculator, OutOfRangeResultsBecomeInfinitiesOrNan )
{
    const TypeParam huge = this->Calc( "10^400" );
    EXPECT_TRUE( std::isinf( huge ) && huge > 0 );
    EXPECT_TRUE( std::isnan( this->Calc( "sqrt(-1)" ) ) );
    EXPECT_EQ( this->Calc( "4^0.5^3" ), 8 );
}

namespace {

std::string Parenthesized( const std::string& inner, int depth )
{
    return std::string( depth, '(' ) + inner + std::string( depth, ')' );
}

} // namespace

// Deeper parentheses than any layout or effect needs make the expression
// worth 0, logged once however often it is evaluated (effects evaluate their
// expressions every frame).
TYPED_TEST( Calculator, ParenthesesNestedDeeperThanTheLimitCountAsZero )
{
    test::ResetEngine();
    const int limit = CInfixToPostfix::MAX_NESTING;
    test::CLogCapture log;
    EXPECT_EQ( this->Calc( Parenthesized( "2", limit ) + "*3" ), 6 );
    EXPECT_TRUE( log.Lines().empty() );

    for( const int depth : { limit + 1, 100000 } )
    {
        SCOPED_TRACE( depth );
        const std::string expression = Parenthesized( "2", depth ) + "*3";
        EXPECT_EQ( this->Calc( expression ), 0 );
        EXPECT_EQ( this->Calc( expression ), 0 );
    }
    const std::string refused = "Calculator: parentheses nested more than 256 deep, the expression counts as 0: ";
    EXPECT_EQ( log.Lines(), ( std::vector<std::string>{ refused + std::string( 80, '(' ) + "...",
                                                        refused + std::string( 80, '(' ) + "..." } ) );

    // Parentheses that close again do not add up.
    EXPECT_EQ( this->Calc( Parenthesized( "1", limit ) + "+" + Parenthesized( "1", limit ) ), 2 );
}
