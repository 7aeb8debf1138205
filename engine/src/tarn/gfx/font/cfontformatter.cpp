#include "tarn/gfx/font/cfontformatter.h"

#include <algorithm>

#include "tarn/gfx/font/cfont.h"
#include "tarn/utils/numberutils.h"

namespace tarn {

CFontFormatter::Line CFontFormatter::FitLine( const CFont& font, const std::string& text, const types::rect& rect,
                                              std::size_t start )
{
    const std::size_t lineEnd = std::min( text.find( '\n', start ), text.size() );
    // In 64 bits: a rect as wide as the int range still takes one more word.
    long long width = 0;
    std::size_t p = start;
    while( p < lineEnd )
    {
        const std::size_t wordEnd = std::min( text.find_first_of( " \n", p ), text.size() );
        const int wordWidth = font.GetTextWidth( text.substr( p, wordEnd - p ) );
        if( width + wordWidth > rect.w )
            return Line{ static_cast<int>( p - start ), ClampToInt( width ) };
        width += wordWidth;
        p = wordEnd;
        if( p < text.size() && text[ p ] == ' ' )
            width += font.GetSpaceWidth();
        ++p;
    }
    // The line feed belongs to the line even after trailing spaces or on an
    // empty line; otherwise the next line would start at it and fit nothing.
    return Line{ static_cast<int>( std::min( lineEnd + 1, text.size() ) - start ), ClampToInt( width ) };
}

types::point CFontFormatter::Write( const CFont& font, CSurface* target, const std::string& text,
                                    const types::rect& rect ) const
{
    if( text.find( '\t' ) != std::string::npos )
        return Write( font, target, ExpandTabs( text ), rect );

    // The pen moves down in 64 bits: a rect near the int limit runs past it.
    long long penY = rect.y;
    int usedHeight = 0;
    std::size_t position = 0;
    while( position < text.size() && usedHeight < rect.h )
    {
        const Line line = FitLine( font, text, rect, position );
        if( line.count == 0 )
        {
            // A word too wide for the rect ends the text. The rest of the
            // rect stays empty; the pen goes on to its bottom in one step (a
            // rect as high as the int range would take a billion turns).
            const int lineHeight = font.GetLineHeight();
            if( lineHeight > 0 )
                penY += ( static_cast<long long>( rect.h ) - usedHeight + lineHeight - 1 ) / lineHeight * lineHeight;
            break;
        }
        WriteLine( font, target, text, position, line, rect, ClampToInt( penY ) );
        position += line.count;
        penY += font.GetLineHeight();
        usedHeight = ClampToInt( static_cast<long long>( usedHeight ) + font.GetLineHeight() );
    }
    return types::point{ rect.x, ClampToInt( penY ) };
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
