#ifndef TARN_UTILS_CBINARYOPERATOR_H
#define TARN_UTILS_CBINARYOPERATOR_H

#include "tarn/utils/coperator.h"
#include "tarn/utils/cpostfix.h"

namespace tarn {

// An operation on two values, computed in double precision: pops the right
// operand b, then the left operand a, and pushes function(a, b). With an
// empty stack nothing is pushed (an operand already popped is dropped),
// except that a sign operator takes a missing left operand as 0, which makes
// "-(2+3)" give -5.
template <class T>
class CBinaryOperator final : public COperator<T>
{
public:
    using Function = double ( * )( double, double );

    CBinaryOperator( Function function, bool leftDefaultsToZero ) :
        myFunction( function ),
        myLeftDefaultsToZero( leftDefaultsToZero )
    {
    }

    void Execute( CPostfix<T>& evaluator ) override
    {
        T b;
        if( !evaluator.Pop( b ) )
            return;
        T a = 0;
        if( !evaluator.Pop( a ) && !myLeftDefaultsToZero )
            return;
        evaluator.Push( myFunction( static_cast<double>( a ), static_cast<double>( b ) ) );
    }

private:
    Function myFunction;
    bool myLeftDefaultsToZero;
};

} // namespace tarn

#endif
