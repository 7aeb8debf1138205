#include "tarn/gfx/font/cfontformatter.h"

#include <algorithm>

#include "tarn/gfx/font/cfont.h"

namespace tarn {

CFontFormatter::Line CFontFormatter::FitLine( const CFont& font, const std::string& text, const types::rect& rect,
                                              std::size_t start )
{
    const std::size_t lineEnd = std::min( text.find( '\n', start ), text.size() );
    Line line;
    std::size_t p = start;
    while( p < lineEnd )
    {
        const std::size_t wordEnd = std::min( text.find_first_of( " \n", p ), text.size() );
        const int wordWidth = font.GetTextWidth( text.substr( p, wordEnd - p ) );
        if( line.width + wordWidth > rect.w )
        {
            line.count = static_cast<int>( p - start );
            return line;
        }
        line.width += wordWidth;
        p = wordEnd;
        if( p < text.size() && text[ p ] == ' ' )
            line.width += font.GetSpaceWidth();
        ++p;
    }
    // The line feed belongs to the line even after trailing spaces or on an
    // empty line; otherwise the next line would start at it and fit nothing.
    line.count = static_cast<int>( std::min( lineEnd + 1, text.size() ) - start );
    return line;
}

std::string CFontFormatter::ExpandTabs( const std::string& text )
{
    std::string expanded;
    expanded.reserve( text.size() );
    for( const char c : text )
    {
        if( c == '\t' )
            expanded += "    ";
        else
            expanded += c;
    }
    return expanded;
}

} // namespace tarn
