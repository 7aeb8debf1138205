#ifndef TARN_UTILS_CPOSTFIX_H
#define TARN_UTILS_CPOSTFIX_H

#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tarn/utils/coperator.h"
#include "tarn/utils/stringutils.h"

namespace tarn {

template <class T>
class CBinaryOperator;

// Evaluates postfix text ("2 3 + 4 *") on a stack of T (float or double).
// Tokens are separated by blanks; a registered name runs its operator, a
// token made only of "0123456789.+-" is read as a number, anything else is
// skipped. Knows "+", "-", "*" and "/"; division by exactly 0 gives 0.
template <class T>
class CPostfix
{
public:
    CPostfix();
    virtual ~CPostfix();

    CPostfix( const CPostfix& ) = delete;
    CPostfix& operator=( const CPostfix& ) = delete;

    // The operator is not owned and must outlive the evaluator.
    void AddOperator( const std::string& name, COperator<T>* op );

    // The value left on top of the stack, or 0 when there is none. Every
    // evaluation starts from an empty stack.
    T EvaluatePostfix( const std::string& postfix );

    // For operators. The value is converted to T (beyond the range of T it
    // becomes an infinity).
    void Push( double value );
    // False when the stack is empty.
    bool Pop( T& value );

private:
    static bool IsNumber( const std::string& token );

    std::vector<T> myStack;
    std::map<std::string, COperator<T>*> myOperands;
    std::unique_ptr<COperator<T>> myAdd;
    std::unique_ptr<COperator<T>> mySubtract;
    std::unique_ptr<COperator<T>> myMultiply;
    std::unique_ptr<COperator<T>> myDivide;
};

} // namespace tarn

#include "tarn/utils/cbinaryoperator.h"

namespace tarn {

namespace postfix_detail {

inline double Add( double a, double b )
{
    return a + b;
}
inline double Subtract( double a, double b )
{
    return a - b;
}
inline double Multiply( double a, double b )
{
    return a * b;
}
// Division by exactly 0 is skipped and gives 0, never an infinity or a trap.
inline double Divide( double a, double b )
{
    return b == 0.0 ? 0.0 : a / b;
}

} // namespace postfix_detail

template <class T>
CPostfix<T>::CPostfix() :
    myAdd( std::make_unique<CBinaryOperator<T>>( &postfix_detail::Add, true ) ),
    mySubtract( std::make_unique<CBinaryOperator<T>>( &postfix_detail::Subtract, true ) ),
    myMultiply( std::make_unique<CBinaryOperator<T>>( &postfix_detail::Multiply, false ) ),
    myDivide( std::make_unique<CBinaryOperator<T>>( &postfix_detail::Divide, false ) )
{
    AddOperator( "+", myAdd.get() );
    AddOperator( "-", mySubtract.get() );
    AddOperator( "*", myMultiply.get() );
    AddOperator( "/", myDivide.get() );
}

template <class T>
CPostfix<T>::~CPostfix() = default;

template <class T>
void CPostfix<T>::AddOperator( const std::string& name, COperator<T>* op )
{
    if( !name.empty() && op )
        myOperands[ name ] = op;
}

template <class T>
T CPostfix<T>::EvaluatePostfix( const std::string& postfix )
{
    myStack.clear();
    std::string::size_type begin = 0;
    while( begin < postfix.size() )
    {
        std::string::size_type end = postfix.find( ' ', begin );
        if( end == std::string::npos )
            end = postfix.size();
        const std::string token = TrimBlanks( postfix.substr( begin, end - begin ) );
        begin = end + 1;

        const auto found = myOperands.find( token );
        if( found != myOperands.end() )
        {
            found->second->Execute( *this );
        }
        else if( IsNumber( token ) )
        {
            std::istringstream stream( token );
            T value = 0;
            stream >> value;
            myStack.push_back( value );
        }
    }

    T result = 0;
    Pop( result );
    return result;
}

template <class T>
void CPostfix<T>::Push( double value )
{
    const double limit = std::numeric_limits<T>::max();
    if( value > limit )
        value = std::numeric_limits<T>::infinity();
    else if( value < -limit )
        value = -std::numeric_limits<T>::infinity();
    myStack.push_back( static_cast<T>( value ) );
}

template <class T>
bool CPostfix<T>::Pop( T& value )
{
    if( myStack.empty() )
        return false;
    value = myStack.back();
    myStack.pop_back();
    return true;
}

template <class T>
bool CPostfix<T>::IsNumber( const std::string& token )
{
    return !token.empty() && token.find_first_not_of( "0123456789.+-" ) == std::string::npos;
}

} // namespace tarn

#endif
