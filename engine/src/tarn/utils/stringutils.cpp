#include "tarn/utils/stringutils.h"

#include <cctype>

namespace tarn {

std::string TrimBlanks( const std::string& text )
{
    const char* blanks = " \t";
    const std::string::size_type first = text.find_first_not_of( blanks );
    if( first == std::string::npos )
        return "";
    const std::string::size_type last = text.find_last_not_of( blanks );
    return text.substr( first, last - first + 1 );
}

std::string ToUpper( const std::string& text )
{
    std::string result( text );
    for( char& c : result )
        c = static_cast<char>( std::toupper( static_cast<unsigned char>( c ) ) );
    return result;
}

namespace {

// Positions of the non-overlapping occurrences of token outside quotes, in one
// pass over the text; stops after maxCount occurrences (0 means all).
std::vector<std::string::size_type> FindAllOutsideQuotes( const std::string& text, const std::string& token,
                                                          std::size_t maxCount )
{
    std::vector<std::string::size_type> found;
    if( token.empty() )
        return found;

    bool insideQuotes = false;
    for( std::string::size_type i = 0; i < text.size(); ++i )
    {
        if( text[ i ] == '"' )
        {
            insideQuotes = !insideQuotes;
            continue;
        }
        if( insideQuotes || text.compare( i, token.size(), token ) != 0 )
            continue;
        found.push_back( i );
        if( found.size() == maxCount )
            break;
        i += token.size() - 1;
    }
    return found;
}

} // namespace

std::string::size_type FindOutsideQuotes( const std::string& text, const std::string& token )
{
    const std::vector<std::string::size_type> found = FindAllOutsideQuotes( text, token, 1 );
    return found.empty() ? std::string::npos : found.front();
}

std::string::size_type FindLastOutsideQuotes( const std::string& text, const std::string& token )
{
    const std::vector<std::string::size_type> found = FindAllOutsideQuotes( text, token, 0 );
    return found.empty() ? std::string::npos : found.back();
}

std::vector<std::string> SplitOutsideQuotes( const std::string& text, const std::string& delimiter,
                                             std::size_t maxPieces )
{
    const std::size_t maxSplits = maxPieces == 0 ? 0 : maxPieces - 1;
    std::vector<std::string> pieces;
    if( maxPieces == 1 )
    {
        if( !text.empty() )
            pieces.push_back( text );
        return pieces;
    }

    std::string::size_type start = 0;
    for( std::string::size_type pos : FindAllOutsideQuotes( text, delimiter, maxSplits ) )
    {
        if( pos > start )
            pieces.push_back( text.substr( start, pos - start ) );
        start = pos + delimiter.size();
    }
    if( start < text.size() )
        pieces.push_back( text.substr( start ) );
    return pieces;
}

} // namespace tarn
