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

types::point CFontFormatter::Write( const CFont& font, CSurface* target, const std::string& text,
                                    const types::rect& rect ) const
{
    if( text.find( '\t' ) != std::string::npos )
        return Write( font, target, ExpandTabs( text ), rect );

    types::point pen{ rect.x, rect.y };
    int usedHeight = 0;
    std::size_t position = 0;
    while( position < text.size() && usedHeight < rect.h )
    {
        const Line line = FitLine( font, text, rect, position );
        // A word too wide for the rect ends the text; without a line height
        // the pen would never reach the rect's bottom.
        if( line.count == 0 && font.GetLineHeight() <= 0 )
            break;
        if( line.count > 0 )
            WriteLine( font, target, text, position, line, rect, pen.y );
        position += line.count;
        pen.y += font.GetLineHeight();
        usedHeight += font.GetLineHeight();
    }
    return pen;
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
