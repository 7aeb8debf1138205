#include "horror/scriptstatements.h"

#include <algorithm>
#include <sstream>

#include "tarn/utils/stringutils.h"

using namespace tarn;

namespace horror {

std::vector<std::string> Arguments( const std::string& statement )
{
    std::vector<std::string> args;
    const std::string::size_type open = FindOutsideQuotes( statement, "(" );
    const std::string::size_type close = FindLastOutsideQuotes( statement, ")" );
    if( open == std::string::npos || close == std::string::npos || close < open )
        return args;
    for( std::string piece : SplitOutsideQuotes( statement.substr( open + 1, close - open - 1 ), "," ) )
    {
        piece = TrimBlanks( piece );
        if( piece.size() >= 2 && piece.front() == '"' && piece.back() == '"' )
            piece = piece.substr( 1, piece.size() - 2 );
        args.push_back( piece );
    }
    return args;
}

std::vector<std::string> Statements( const std::string& script )
{
    std::string text = script;
    std::replace( text.begin(), text.end(), '\r', '\n' );
    std::istringstream lines( text );
    std::vector<std::string> statements;
    std::string line;
    while( std::getline( lines, line ) )
    {
        const std::string::size_type comment = FindOutsideQuotes( line, "//" );
        if( comment != std::string::npos )
            line = line.substr( 0, comment );
        for( const std::string& statement : SplitOutsideQuotes( line, ";" ) )
        {
            if( !TrimBlanks( statement ).empty() )
                statements.push_back( TrimBlanks( statement ) );
        }
    }
    return statements;
}

std::string CommandName( const std::string& statement )
{
    const std::string::size_type open = FindOutsideQuotes( statement, "(" );
    const std::string::size_type assign = FindOutsideQuotes( statement, "=" );
    if( assign != std::string::npos && ( open == std::string::npos || assign < open ) )
        return "";
    std::string name = TrimBlanks( statement.substr( 0, open ) );
    const std::string::size_type ns = name.rfind( "::" );
    return ns == std::string::npos ? name : TrimBlanks( name.substr( ns + 2 ) );
}

} // namespace horror
