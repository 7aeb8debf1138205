#ifndef TARN_UTILS_CCALCULATOR_H
#define TARN_UTILS_CCALCULATOR_H

#include <cmath>
#include <string>

#include "tarn/utils/cbinaryoperator.h"
#include "tarn/utils/cinfixtopostfix.h"
#include "tarn/utils/cpostfix.h"
#include "tarn/utils/cunaryoperator.h"

namespace tarn {

// Evaluates arithmetic text such as "sin(t*3.14)*2" or "-(2+3)" in float or
// double. Knows "+" and "-" (priority 0), "*" and "/" (1), "^" (power) and
// the functions "sin", "cos", "tan", "sqrt" (2); all are left-associative, so
// "2^3^2" is 64. There are no variables: callers replace names by numbers in
// the text first. Malformed text never fails; it yields what its readable
// parts give (0 when nothing is left).
template <class T>
class CCalculator final : public CPostfix<T>
{
public:
    CCalculator();

    // 0 for an empty text.
    T Calculate( const std::string& expression );

private:
    static double Power( double base, double exponent ) { return std::pow( base, exponent ); }
    static double Sin( double x ) { return std::sin( x ); }
    static double Cos( double x ) { return std::cos( x ); }
    static double Tan( double x ) { return std::tan( x ); }
    static double Sqrt( double x ) { return std::sqrt( x ); }

    CInfixToPostfix myConverter;
    CUnaryOperator<T> mySin{ &Sin };
    CUnaryOperator<T> myCos{ &Cos };
    CUnaryOperator<T> myTan{ &Tan };
    CUnaryOperator<T> mySqrt{ &Sqrt };
    CBinaryOperator<T> myPower{ &Power, false };
};

template <class T>
CCalculator<T>::CCalculator()
{
    myConverter.AddOperator( "+", 0 );
    myConverter.AddOperator( "-", 0 );
    myConverter.AddOperator( "*", 1 );
    myConverter.AddOperator( "/", 1 );
    myConverter.AddOperator( "^", 2 );
    myConverter.AddOperator( "sin", 2 );
    myConverter.AddOperator( "cos", 2 );
    myConverter.AddOperator( "tan", 2 );
    myConverter.AddOperator( "sqrt", 2 );

    this->AddOperator( "^", &myPower );
    this->AddOperator( "sin", &mySin );
    this->AddOperator( "cos", &myCos );
    this->AddOperator( "tan", &myTan );
    this->AddOperator( "sqrt", &mySqrt );
}

template <class T>
T CCalculator<T>::Calculate( const std::string& expression )
{
    if( expression.empty() )
        return 0;
    return this->EvaluatePostfix( myConverter.Convert( expression ) );
}

} // namespace tarn

#endif
