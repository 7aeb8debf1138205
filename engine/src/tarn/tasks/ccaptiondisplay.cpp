#include "tarn/tasks/ccaptiondisplay.h"

#include <algorithm>

#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/csurface.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/font/cfont.h"
#include "tarn/gfx/gfx.h"
#include "tarn/utils/ccolor.h"

namespace tarn {

CCaptionDisplay::CCaptionDisplay( std::unique_ptr<CFont> font, std::optional<int> bottom ) :
    myFont( std::move( font ) ),
    myBottom( bottom )
{
}

CCaptionDisplay::~CCaptionDisplay() = default;

void CCaptionDisplay::Show( const std::vector<CCaptions::Line>& lines )
{
    std::vector<Row> rows;
    for( const CCaptions::Line& line : lines )
    {
        const auto same = std::find_if( myRows.begin(), myRows.end(),
                                        [ &line ]( const Row& row ) { return row.text == line.text; } );
        rows.push_back( same != myRows.end() ? std::move( *same ) : MakeRow( line.text ) );
    }
    // The rows left behind take their sprites out of the screen layer.
    myRows = std::move( rows );
    for( std::size_t i = 0; i < myRows.size(); ++i )
        Place( myRows[ i ], i, myRows.size(), lines[ i ].alpha );
}

std::vector<const CTextSprite*> CCaptionDisplay::GetTextSprites() const
{
    std::vector<const CTextSprite*> sprites;
    for( const Row& row : myRows )
        sprites.push_back( row.sprite.get() );
    return sprites;
}

CCaptionDisplay::Row CCaptionDisplay::MakeRow( const std::string& text ) const
{
    const int width = myFont->GetTextWidth( text ) + 2 * PAD_X;
    const int height = myFont->GetLineHeight() + 2 * PAD_Y;
    Row row{ text, std::make_unique<CSprite>(), std::make_unique<CTextSprite>() };

    std::unique_ptr<CSurface> shade = Gfx::NewBuffer( width, height );
    const CColor dark( 0, 0, 0, BACKDROP_ALPHA );
    for( int y = 0; y < shade->GetHeight(); ++y )
    {
        for( int x = 0; x < shade->GetWidth(); ++x )
            shade->PutPixel( x, y, dark );
    }
    row.backdrop->SetImage( std::move( shade ) );
    row.backdrop->SetZ( CAPTION_Z );

    // An OGF font lays the text out in the font rect, the built-in one from
    // the start position.
    row.sprite->SetFont( myFont->Clone() );
    row.sprite->Resize( width, height );
    row.sprite->SetFontRect( types::rect{ PAD_X, PAD_Y, width - PAD_X, myFont->GetLineHeight() } );
    row.sprite->SetFontStartPosition( types::point{ PAD_X, PAD_Y } );
    row.sprite->SetText( text );
    row.sprite->SetZ( CAPTION_Z - 1 );
    for( CSprite* sprite : { row.backdrop.get(), static_cast<CSprite*>( row.sprite.get() ) } )
        sprite->SetParent( CScreenLayer::GetSingletonPtr() );
    return row;
}

void CCaptionDisplay::Place( Row& row, std::size_t index, std::size_t count, int alpha ) const
{
    const CSurface* screen = CScreenLayer::GetScreenSurface();
    const types::rect rect = row.sprite->GetRect();
    const int x = screen ? ( screen->GetWidth() - rect.w ) / 2 : 0;
    const int bottom = myBottom.value_or( screen ? screen->GetHeight() : 0 );
    const int y = bottom - static_cast<int>( count - index ) * ( rect.h + GAP ) + GAP;
    for( CSprite* sprite : { row.backdrop.get(), static_cast<CSprite*>( row.sprite.get() ) } )
    {
        if( sprite->GetX() != x || sprite->GetY() != y )
            sprite->SetPosition( x, y );
        sprite->SetAlpha( alpha );
    }
}

} // namespace tarn
