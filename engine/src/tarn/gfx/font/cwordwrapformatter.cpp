#include "tarn/gfx/font/cwordwrapformatter.h"

#include "tarn/gfx/font/cfont.h"

namespace tarn {

CWordWrapFormatter::CWordWrapFormatter( Alignment alignment ) :
    myAlignment( alignment )
{
}

std::unique_ptr<CFontFormatter> CWordWrapFormatter::Clone() const
{
    return std::make_unique<CWordWrapFormatter>( myAlignment );
}

types::point CWordWrapFormatter::Write( const CFont& font, CSurface* target, const std::string& text,
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
            font.WriteText( target, text.substr( position, line.count ), LineX( rect, line.width ), pen.y );
        position += line.count;
        pen.y += font.GetLineHeight();
        usedHeight += font.GetLineHeight();
    }
    return pen;
}

int CWordWrapFormatter::LineX( const types::rect& rect, int width ) const
{
    switch( myAlignment )
    {
    case ALIGN_CENTER: return rect.x + ( rect.w - width - 1 ) / 2;
    case ALIGN_RIGHT: return rect.x + rect.w - width;
    default: return rect.x;
    }
}

} // namespace tarn
