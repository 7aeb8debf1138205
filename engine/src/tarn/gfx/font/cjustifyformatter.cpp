#include "tarn/gfx/font/cjustifyformatter.h"

#include <algorithm>

#include "tarn/gfx/font/cfont.h"

namespace tarn {

std::unique_ptr<CFontFormatter> CJustifyFormatter::Clone() const
{
    return std::make_unique<CJustifyFormatter>();
}

types::point CJustifyFormatter::Write( const CFont& font, CSurface* target, const std::string& text,
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
        if( line.count == 0 && font.GetLineHeight() <= 0 )
            break;
        const std::size_t end = position + line.count;
        const bool wrapped = line.count > 0 && end < text.size() && text[ end - 1 ] == ' ';
        if( wrapped )
            WriteSpread( font, target, text.substr( position, line.count - 1 ), line.width - font.GetSpaceWidth(),
                         rect, pen.y );
        else if( line.count > 0 )
            font.WriteText( target, text.substr( position, line.count ), rect.x, pen.y );
        position = end;
        pen.y += font.GetLineHeight();
        usedHeight += font.GetLineHeight();
    }
    return pen;
}

void CJustifyFormatter::WriteSpread( const CFont& font, CSurface* target, const std::string& line, int width,
                                     const types::rect& rect, int y )
{
    const int spaces = static_cast<int>( std::count( line.begin(), line.end(), ' ' ) );
    const int spare = std::max( 0, rect.w - width );
    int x = rect.x;
    int seen = 0;
    for( const char c : line )
    {
        if( c != ' ' )
        {
            x += font.WriteChar( target, static_cast<unsigned char>( c ), x, y );
            continue;
        }
        // The first spare % spaces gaps get one pixel more than the others.
        x += font.GetSpaceWidth() + spare / spaces + ( seen < spare % spaces ? 1 : 0 );
        ++seen;
    }
}

} // namespace tarn
