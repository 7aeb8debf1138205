#ifndef TARN_UTILS_COPERATOR_H
#define TARN_UTILS_COPERATOR_H

namespace tarn {

template <class T>
class CPostfix;

// One operation of the postfix evaluator: pops its operands from the
// evaluator's stack and pushes its result.
template <class T>
class COperator
{
public:
    virtual ~COperator() = default;

    virtual void Execute( CPostfix<T>& evaluator ) = 0;
};

} // namespace tarn

#endif
