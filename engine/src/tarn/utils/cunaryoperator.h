#ifndef TARN_UTILS_CUNARYOPERATOR_H
#define TARN_UTILS_CUNARYOPERATOR_H

#include "tarn/utils/coperator.h"
#include "tarn/utils/cpostfix.h"

namespace tarn {

// A function of one value ("sin", "sqrt"), computed in double precision.
// Pushes nothing when the stack is empty.
template <class T>
class CUnaryOperator final : public COperator<T>
{
public:
    using Function = double ( * )( double );

    explicit CUnaryOperator( Function function ) : myFunction( function ) {}

    void Execute( CPostfix<T>& evaluator ) override
    {
        T x;
        if( !evaluator.Pop( x ) )
            return;
        evaluator.Push( myFunction( static_cast<double>( x ) ) );
    }

private:
    Function myFunction;
};

} // namespace tarn

#endif
