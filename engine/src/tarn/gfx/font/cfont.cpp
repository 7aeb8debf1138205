#include "tarn/gfx/font/cfont.h"

#include <limits>

#include "tarn/gfx/font/cfontformatter.h"
#include "tarn/gfx/font/cjustifyformatter.h"
#include "tarn/gfx/font/cwordwrapformatter.h"
#include "tarn/gfx/gfx.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/numberutils.h"

namespace tarn {

namespace {

// Whether a glyph of the given length at start lies wholly in the int range,
// where a surface can take it.
bool FitsInt( long long start, int length )
{
    return start >= std::numeric_limits<int>::min() && start + length <= std::numeric_limits<int>::max();
}

} // namespace

CFont::CFont() :
    myCharPositions()
{
}

CFont::CFont( std::unique_ptr<CSurface> image, const CharPositions& positions, int lineHeight, int charSpacing,
              int spaceWidth, const std::string& filename ) :
    myImage( std::move( image ) ),
    myCharPositions( positions ),
    myLineHeight( lineHeight ),
    myCharSpacing( charSpacing ),
    mySpaceWidth( spaceWidth ),
    myFileName( filename )
{
}

CFont::~CFont() = default;

std::unique_ptr<CFont> CFont::Clone() const
{
    std::unique_ptr<CSurface> image;
    if( myImage )
        image = Gfx::Copy( *myImage );
    auto clone = std::make_unique<CFont>( std::move( image ), myCharPositions, myLineHeight, myCharSpacing,
                                          mySpaceWidth, myFileName );
    if( myFormatter )
        clone->myFormatter = myFormatter->Clone();
    return clone;
}

types::point CFont::WriteInRect( CSurface* target, const std::string& text, const types::rect& rect,
                                 const types::point& start ) const
{
    if( myFormatter )
        return myFormatter->Write( *this, target, text, rect );
    return WriteText( target, text, start.x, start.y );
}

types::point CFont::WriteAt( CSurface* target, const std::string& text, const types::point& at ) const
{
    return WriteText( target, text, at.x, at.y );
}

types::point CFont::WriteText( CSurface* target, const std::string& text, int x, int y ) const
{
    if( text.empty() )
        return types::point{ 0, 0 };
    // The pen moves in 64 bits: a long text, or a start near the int limit,
    // runs past the int range, where no glyph is drawn.
    long long offset = 0;
    long long penY = y;
    for( const char c : text )
    {
        switch( c )
        {
        case '\t': offset += 4LL * mySpaceWidth; break;
        case '\n':
            offset = 0;
            penY += myLineHeight;
            break;
        case ' ': offset += mySpaceWidth; break;
        default: offset += WriteGlyph( target, static_cast<unsigned char>( c ), x + offset, penY ); break;
        }
    }
    return types::point{ ClampToInt( x + offset ), ClampToInt( penY ) };
}

types::point CFont::WriteText( CSurface* target, const std::string& text ) const
{
    return WriteText( target, text, 0, 0 );
}

void CFont::SetFormatter( int kind )
{
    switch( kind )
    {
    case FORMAT_LEFT: myFormatter = std::make_unique<CWordWrapFormatter>( CWordWrapFormatter::ALIGN_LEFT ); break;
    case FORMAT_CENTER:
        myFormatter = std::make_unique<CWordWrapFormatter>( CWordWrapFormatter::ALIGN_CENTER );
        break;
    case FORMAT_RIGHT: myFormatter = std::make_unique<CWordWrapFormatter>( CWordWrapFormatter::ALIGN_RIGHT ); break;
    case FORMAT_JUSTIFY: myFormatter = std::make_unique<CJustifyFormatter>(); break;
    default:
        GetLog().Warning() << "CFont::SetFormatter() - unknown formatter kind " << kind << ", font " << myFileName
                           << " left without formatter\n";
        myFormatter.reset();
        break;
    }
}

const CFontFormatter* CFont::GetFormatter() const
{
    return myFormatter.get();
}

int CFont::WriteChar( CSurface* target, unsigned char c, int x, int y ) const
{
    return WriteGlyph( target, c, x, y );
}

int CFont::WriteGlyph( CSurface* target, unsigned char c, long long x, long long y ) const
{
    if( !HasGlyph( c ) )
        return 0;
    const types::rect& glyph = myCharPositions[ c ];
    const long long top = y + myLineHeight - glyph.h;
    if( myImage && target && FitsInt( x, glyph.w ) && FitsInt( top, glyph.h ) )
        myImage->Blit( target, glyph, types::rect{ static_cast<int>( x ), static_cast<int>( top ), glyph.w, glyph.h } );
    return glyph.w + myCharSpacing;
}

int CFont::GetTextWidth( const std::string& text ) const
{
    long long width = 0;
    for( const char c : text )
    {
        if( c == ' ' )
            width += mySpaceWidth;
        else if( HasGlyph( static_cast<unsigned char>( c ) ) )
            width += myCharPositions[ static_cast<unsigned char>( c ) ].w + myCharSpacing;
    }
    return ClampToInt( width );
}

bool CFont::HasGlyph( unsigned char c ) const
{
    const types::rect& glyph = myCharPositions[ c ];
    return glyph.w != 0 || glyph.h != 0;
}

} // namespace tarn
