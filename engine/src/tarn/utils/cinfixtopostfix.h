#ifndef TARN_UTILS_CINFIXTOPOSTFIX_H
#define TARN_UTILS_CINFIXTOPOSTFIX_H

#include <map>
#include <string>
#include <vector>

namespace tarn {

// Turns an infix expression ("sin(t*3.14)*2") into postfix text whose tokens
// are separated by one blank ("t 3.14 * sin 2 *"), by shunting-yard over the
// registered operator and function names. Every operator is left-associative
// and a function takes the value that follows it. Anything that is not a
// registered name or a parenthesis belongs to an operand, blanks included.
// A "+" or "-" at the start, after an operator or after "(" is folded into
// the operand that follows it ("-5"); before anything else ("-(2+3)",
// "2*-sin x") it is a prefix sign that applies to the value after it and
// binds like "*". Runs in time linear in the text. Text with parentheses
// nested deeper than MAX_NESTING converts to nothing (its value is 0), with
// an error in the log the first time that text is met.
class CInfixToPostfix
{
public:
    static constexpr int MAX_NESTING = 256;

    enum TokenType
    {
        TOKEN_NONE = 0,
        TOKEN_OPERATOR = 1,
        TOKEN_OPEN = 3,
        TOKEN_CLOSE = 4,
        TOKEN_OPERAND = 5
    };

    // Higher priorities bind tighter. An empty name is ignored.
    void AddOperator( const std::string& name, int priority );

    std::string Convert( const std::string& infix );

private:
    struct CToken
    {
        std::string text;
        TokenType type = TOKEN_NONE;
        // Where the token ends in the text being converted.
        std::string::size_type end = 0;
        // A sign standing where an operand should.
        bool prefix = false;
    };

    struct CStackEntry
    {
        std::string text;
        int priority = 0;
    };

    // Binds tighter than "+" and "*" after it, looser than "^" and functions.
    static constexpr int PREFIX_SIGN_PRIORITY = 1;

    void PushPrefixSign( const std::string& sign, std::string& output, std::vector<CStackEntry>& stack );
    // The next token of myText at or after from.
    CToken GetToken( std::string::size_type from );
    CToken ReadPlainToken( std::string::size_type from );
    std::string::size_type FindName( std::size_t index, std::string::size_type from );
    int GetPriority( const std::string& name ) const;
    void RefuseTooDeep();

    std::map<std::string, int> myOperators;
    // State of one conversion.
    std::string myText;
    TokenType myLastTokenType = TOKEN_NONE;
    // Signs read before this position stay operators: the operand fold was
    // already tried there and failed.
    std::string::size_type myFoldFailsBefore = 0;
    // The operator names in map order, then "(" and ")", each with its first
    // position at or after the position its last search started from, so
    // that each occurrence is searched for once.
    std::vector<std::string> myNames;
    std::vector<std::string::size_type> myFoundAt;
    std::vector<std::string::size_type> mySearchedFrom;
    // The last text refused, so that one evaluated every frame is logged once.
    std::string myLastRefused;
};

} // namespace tarn

#endif
