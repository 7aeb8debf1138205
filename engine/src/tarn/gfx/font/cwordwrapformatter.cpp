#include "tarn/gfx/font/cwordwrapformatter.h"

#include "tarn/gfx/font/cfont.h"
#include "tarn/utils/numberutils.h"

namespace tarn {

CWordWrapFormatter::CWordWrapFormatter( Alignment alignment ) :
    myAlignment( alignment )
{
}

std::unique_ptr<CFontFormatter> CWordWrapFormatter::Clone() const
{
    return std::make_unique<CWordWrapFormatter>( myAlignment );
}

void CWordWrapFormatter::WriteLine( const CFont& font, CSurface* target, const std::string& text,
                                    std::size_t position, const Line& line, const types::rect& rect, int y ) const
{
    font.WriteText( target, text.substr( position, line.count ), LineX( rect, line.width ), y );
}

int CWordWrapFormatter::LineX( const types::rect& rect, int width ) const
{
    switch( myAlignment )
    {
    case ALIGN_CENTER: return ClampToInt( rect.x + ( static_cast<long long>( rect.w ) - width - 1 ) / 2 );
    case ALIGN_RIGHT: return ClampToInt( static_cast<long long>( rect.x ) + rect.w - width );
    default: return rect.x;
    }
}

} // namespace tarn
