#include "tarn/utils/cinfixtopostfix.h"

#include "tarn/utils/clogger.h"
#include "tarn/utils/stringutils.h"

namespace tarn {

namespace {

const std::string OPEN = "(";
const std::string CLOSE = ")";
const std::string SEPARATOR = " ";

bool IsBlank( char c )
{
    return c == ' ' || c == '\t';
}

bool IsSign( const std::string& token )
{
    return token == "+" || token == "-";
}

} // namespace

void CInfixToPostfix::AddOperator( const std::string& name, int priority )
{
    if( !name.empty() )
        myOperators[ name ] = priority;
}

int CInfixToPostfix::GetPriority( const std::string& name ) const
{
    const auto found = myOperators.find( name );
    return found == myOperators.end() ? 0 : found->second;
}

std::string CInfixToPostfix::Convert( const std::string& infix )
{
    myText = TrimBlanks( infix );
    myLastTokenType = TOKEN_NONE;
    myFoldFailsBefore = 0;
    myNames.clear();
    for( const auto& entry : myOperators )
        myNames.push_back( entry.first );
    myNames.push_back( OPEN );
    myNames.push_back( CLOSE );
    myFoundAt.assign( myNames.size(), std::string::npos );
    mySearchedFrom.assign( myNames.size(), std::string::npos );

    std::string output;
    std::vector<CStackEntry> stack;
    const auto popToOutput = [ & ]() {
        output += stack.back().text + SEPARATOR;
        stack.pop_back();
    };

    int nesting = 0;
    CToken token = GetToken( 0 );
    while( !token.text.empty() )
    {
        switch( token.type )
        {
        case TOKEN_OPERATOR:
            if( token.prefix )
            {
                PushPrefixSign( token.text, output, stack );
                break;
            }
            {
                const int priority = GetPriority( token.text );
                while( !stack.empty() && stack.back().text != OPEN && priority <= stack.back().priority )
                    popToOutput();
                stack.push_back( { token.text, priority } );
            }
            break;
        case TOKEN_OPEN:
            if( ++nesting > MAX_NESTING )
            {
                RefuseTooDeep();
                return "";
            }
            stack.push_back( { OPEN, 0 } );
            break;
        case TOKEN_CLOSE:
            while( !stack.empty() && stack.back().text != OPEN )
                popToOutput();
            if( !stack.empty() )
            {
                stack.pop_back();
                --nesting;
            }
            break;
        case TOKEN_OPERAND:
            output += token.text + SEPARATOR;
            break;
        case TOKEN_NONE:
            break;
        }
        if( token.end >= myText.size() )
            break;
        token = GetToken( token.end );
    }
    while( !stack.empty() )
        popToOutput();
    if( !output.empty() )
        output.pop_back();
    return output;
}

void CInfixToPostfix::RefuseTooDeep()
{
    if( myText == myLastRefused )
        return;
    myLastRefused = myText;
    GetLog().Error() << "Calculator: parentheses nested more than " << MAX_NESTING
                     << " deep, the expression counts as 0: " << myText.substr( 0, 80 )
                     << ( myText.size() > 80 ? "..." : "" ) << "\n";
}

// A prefix sign has no left operand, so it pops nothing; it waits on the
// stack until its value is complete, then subtracts that value from (or adds
// it to) 0. With nothing output yet the evaluator's missing left operand is
// that 0 (so "-(2+3)" gives "2 3 + -"); otherwise an explicit 0 keeps the
// sign from taking an earlier value ("2*-(3)" gives "2 0 3 - *").
void CInfixToPostfix::PushPrefixSign( const std::string& sign, std::string& output, std::vector<CStackEntry>& stack )
{
    if( !output.empty() )
        output += "0" + SEPARATOR;
    stack.push_back( { sign, PREFIX_SIGN_PRIORITY } );
}

// A sign where an operand may start is folded into the operand after it,
// also through further signs ("--5"). When no operand follows, the sign
// stays an operator. The token then ends where the operand ends, even when
// blanks stand between the sign and its number ("- 3" reads as "-3").
CInfixToPostfix::CToken CInfixToPostfix::GetToken( std::string::size_type from )
{
    const CToken first = ReadPlainToken( from );
    const bool operandMayStart =
        myLastTokenType == TOKEN_NONE || myLastTokenType == TOKEN_OPERATOR || myLastTokenType == TOKEN_OPEN;
    if( !operandMayStart || first.type != TOKEN_OPERATOR || !IsSign( first.text ) || first.end >= myText.size()
        || first.end <= myFoldFailsBefore )
    {
        myLastTokenType = first.type;
        CToken sign = first;
        sign.prefix = operandMayStart && first.type == TOKEN_OPERATOR && IsSign( first.text );
        return sign;
    }

    const std::vector<std::string::size_type> foundAt = myFoundAt;
    const std::vector<std::string::size_type> searchedFrom = mySearchedFrom;
    std::string signs;
    CToken next = first;
    while( next.type == TOKEN_OPERATOR && IsSign( next.text ) && next.end < myText.size() )
    {
        signs += next.text;
        next = ReadPlainToken( next.end );
    }
    if( next.type != TOKEN_OPERAND )
    {
        // Later signs of this run would end at the same token; remember that,
        // and forget the look-ahead so the searches go on from here.
        myFoldFailsBefore = next.end;
        myFoundAt = foundAt;
        mySearchedFrom = searchedFrom;
        myLastTokenType = first.type;
        CToken sign = first;
        sign.prefix = true;
        return sign;
    }
    next.text = signs + next.text;
    myLastTokenType = next.type;
    return next;
}

// Steps of one token without the sign fold: the registered name, "(" or ")"
// that comes first, unless something other than blanks stands before it,
// which is then the operand.
CInfixToPostfix::CToken CInfixToPostfix::ReadPlainToken( std::string::size_type from )
{
    CToken token;
    token.end = myText.size();
    if( from >= myText.size() )
        return token;

    std::string::size_type candidate = std::string::npos;
    std::size_t candidateIndex = 0;
    for( std::size_t i = 0; i < myNames.size(); ++i )
    {
        const std::string::size_type position = FindName( i, from );
        if( position < candidate )
        {
            candidate = position;
            candidateIndex = i;
        }
    }

    const std::string::size_type limit = candidate == std::string::npos ? myText.size() : candidate;
    std::string::size_type begin = from;
    while( begin < limit && IsBlank( myText[ begin ] ) )
        ++begin;
    if( begin < limit )
    {
        std::string::size_type end = limit;
        while( IsBlank( myText[ end - 1 ] ) )
            --end;
        token.text = myText.substr( begin, end - begin );
        token.type = TOKEN_OPERAND;
        token.end = end;
        return token;
    }
    if( candidate == std::string::npos )
        return token;

    const std::string& name = myNames[ candidateIndex ];
    token.text = name;
    token.type = name == OPEN ? TOKEN_OPEN : ( name == CLOSE ? TOKEN_CLOSE : TOKEN_OPERATOR );
    token.end = candidate + name.size();
    return token;
}

// The first position of name number index at or after from, reusing the
// last search when it started at or before from and found nothing before it.
std::string::size_type CInfixToPostfix::FindName( std::size_t index, std::string::size_type from )
{
    std::string::size_type& found = myFoundAt[ index ];
    std::string::size_type& searchedFrom = mySearchedFrom[ index ];
    const bool reusable = searchedFrom <= from && ( found == std::string::npos || found >= from );
    if( !reusable )
    {
        found = myText.find( myNames[ index ], from );
        searchedFrom = from;
    }
    return found;
}

} // namespace tarn
