#include "tarn/gfx/font/cjustifyformatter.h"

#include <algorithm>

#include "tarn/gfx/font/cfont.h"
#include "tarn/utils/numberutils.h"

namespace tarn {

std::unique_ptr<CFontFormatter> CJustifyFormatter::Clone() const
{
    return std::make_unique<CJustifyFormatter>();
}

void CJustifyFormatter::WriteLine( const CFont& font, CSurface* target, const std::string& text,
                                   std::size_t position, const Line& line, const types::rect& rect, int y ) const
{
    // A line that wrapped at a space is spread over the rect; the last line
    // of a paragraph stays left-aligned.
    const std::size_t end = position + line.count;
    const bool wrapped = end < text.size() && text[ end - 1 ] == ' ';
    if( wrapped )
        WriteSpread( font, target, text.substr( position, line.count - 1 ), line.width - font.GetSpaceWidth(), rect, y );
    else
        font.WriteText( target, text.substr( position, line.count ), rect.x, y );
}

void CJustifyFormatter::WriteSpread( const CFont& font, CSurface* target, const std::string& line, int width,
                                     const types::rect& rect, int y )
{
    const int spaces = static_cast<int>( std::count( line.begin(), line.end(), ' ' ) );
    const int spare = ClampToInt( std::max( 0LL, static_cast<long long>( rect.w ) - width ) );
    // The pen moves in 64 bits; a glyph past the int range is only measured.
    long long x = rect.x;
    int seen = 0;
    for( const char c : line )
    {
        if( c != ' ' )
        {
            x += font.WriteChar( target, static_cast<unsigned char>( c ), ClampToInt( x ), y );
            continue;
        }
        // The first spare % spaces gaps get one pixel more than the others.
        x += static_cast<long long>( font.GetSpaceWidth() ) + spare / spaces + ( seen < spare % spaces ? 1 : 0 );
        ++seen;
    }
}

} // namespace tarn
