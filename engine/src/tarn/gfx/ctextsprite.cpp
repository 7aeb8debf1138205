#include "tarn/gfx/ctextsprite.h"

#include <algorithm>

#include "tarn/gfx/cnullsurface.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/csurface.h"
#include "tarn/gfx/font/cfont.h"
#include "tarn/gfx/font/cogffontloader.h"
#include "tarn/gfx/font/csystemfont.h"
#include "tarn/gfx/imagelimits.h"
#include "tarn/gfx/gfx.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/cxmlfilesys.h"
#include "tarn/utils/numberutils.h"
#include "tarn/utils/xmlbind.h"

namespace tarn {

CTextSprite::CTextSprite() = default;

CTextSprite::~CTextSprite() = default;

int CTextSprite::GetType() const
{
    return KIND_TEXT;
}

bool CTextSprite::IsEmpty() const
{
    return !myFont || CSprite::IsEmpty();
}

void CTextSprite::Serialize( CXmlFileSys* filesys )
{
    if( filesys->IsWriting() )
    {
        // Reading makes the sprite one pixel narrower than its file says, so
        // the file gets the width back.
        types::rect fileRect = GetRect();
        fileRect.w += 1;
        SerializeBase( filesys, fileRect );
        XmlBind( filesys, myFontStartPosition, "FontStartPosition" );
        XmlBind( filesys, myFontRect, "FontRect" );
        XmlBind( filesys, myText, "Text" );
        if( myBackdrop )
        {
            std::string backdropFile = myBackdrop->GetFileName();
            XmlBind( filesys, backdropFile, "BackdropFile" );
        }
        if( myFont )
        {
            std::string fontFile = myFont->GetFileName();
            XmlBind( filesys, fontFile, "FontFile" );
        }
        return;
    }

    SerializeBase( filesys );
    XmlBind( filesys, myFontStartPosition, "FontStartPosition" );
    XmlBind( filesys, myFontRect, "FontRect" );
    XmlBind( filesys, myText, "Text" );
    std::string backdropFile;
    XmlBind( filesys, backdropFile, "BackdropFile" );
    std::string fontFile;
    XmlBind( filesys, fontFile, "FontFile" );

    myBackdrop.reset();
    myFont.reset();
    // Like every sprite the factory loads, the backdrop is in the screen
    // layer; it stays there, behind the text.
    if( !backdropFile.empty() )
    {
        myBackdrop = CSpriteFactory::LoadSprite( backdropFile );
        if( myBackdrop )
            myBackdrop->SetZ( ClampToInt( GetZ() + 1LL ) );
    }
    if( !fontFile.empty() )
        myFont = LoadFont( fontFile );

    // The image is made one pixel narrower than the file's rect; a font
    // rect as wide as the file's rect narrows with it.
    const types::rect rect = GetRect();
    Resize( std::max( rect.w - 1, 0 ), rect.h );
}

void CTextSprite::Resize( int width, int height )
{
    width = std::max( width, 0 );
    height = std::max( height, 0 );
    const types::rect old = GetRect();
    if( width == old.w && height == old.h )
        return;
    MarkChanged();
    if( myFontRect.w == old.w )
        myFontRect.w = width;
    if( myFontRect.h == old.h )
        myFontRect.h = height;
    if( myBackdrop )
        myBackdrop->Resize( width, height );
    SetImage( MakeImage( width, height ) );
    // An image of no pixels has no size of its own; the sprite keeps the
    // size it was given.
    SetRect( types::rect{ old.x, old.y, width, height } );
    Render();
}

void CTextSprite::SetText( const std::string& text )
{
    Change( myText, text );
}

const std::string& CTextSprite::GetText() const
{
    return myText;
}

int CTextSprite::GetTextLength() const
{
    return static_cast<int>( myText.size() );
}

const char* CTextSprite::GetTextAsChars() const
{
    return myText.c_str();
}

void CTextSprite::InsertText( int position, const std::string& text )
{
    if( position < 0 || position > GetTextLength() )
        return;
    std::string changed = myText;
    changed.insert( static_cast<std::size_t>( position ), text );
    Change( myText, std::move( changed ) );
}

void CTextSprite::AppendText( const std::string& text )
{
    Change( myText, myText + text );
}

void CTextSprite::EraseText( int position, int count )
{
    if( position < 0 || position > GetTextLength() || count <= 0 )
        return;
    std::string changed = myText;
    changed.erase( static_cast<std::size_t>( position ), static_cast<std::size_t>( count ) );
    Change( myText, std::move( changed ) );
}

void CTextSprite::EraseLastChar()
{
    if( !myText.empty() )
        Change( myText, myText.substr( 0, myText.size() - 1 ) );
}

CFont* CTextSprite::GetFont() const
{
    return myFont.get();
}

void CTextSprite::SetFont( std::unique_ptr<CFont> font )
{
    Change( myFont, std::move( font ) );
}

CSprite* CTextSprite::GetBackdrop() const
{
    return myBackdrop.get();
}

void CTextSprite::SetBackdrop( std::unique_ptr<CSprite> backdrop )
{
    if( backdrop == myBackdrop )
        return;
    MarkChanged();
    myBackdrop = std::move( backdrop );
    // The backdrop stays in whatever layer it is in, behind the text.
    if( myBackdrop )
    {
        myBackdrop->SetZ( ClampToInt( GetZ() + 1LL ) );
        myBackdrop->Resize( GetRect().w, GetRect().h );
    }
    Render();
}

void CTextSprite::Render()
{
    if( IsEmpty() )
        return;
    // Each render draws into a fresh image and hands it to the sprite, which
    // derives what it shows (with its alpha, say) from the new pixels.
    const types::rect rect = GetRect();
    std::unique_ptr<CSurface> image = MakeImage( rect.w, rect.h );
    if( image->IsNull() || image->IsEmpty() )
        return;
    if( myBackdrop )
    {
        if( const CSurface* backdrop = myBackdrop->GetSurface() )
        {
            const types::rect area{ 0, 0, backdrop->GetWidth(), backdrop->GetHeight() };
            backdrop->Blit( image.get(), area, area );
        }
    }
    myEndPosition = myFont->WriteInRect( image.get(), myText, myFontRect, myFontStartPosition );
    SetImage( std::move( image ) );
}

void CTextSprite::SetFontStartPosition( const types::point& start )
{
    Change( myFontStartPosition, start );
}

void CTextSprite::SetFontRect( const types::rect& rect )
{
    Change( myFontRect, rect );
}

std::unique_ptr<CFont> CTextSprite::LoadFont( const std::string& filename )
{
    if( filename == CSystemFont::FILE_NAME )
        return CSystemFont::Create();
    std::unique_ptr<CFont> font = COgfFontLoader().Load( filename );
    font->SetFormatter( CFont::FORMAT_LEFT );
    return font;
}

std::unique_ptr<CSurface> CTextSprite::MakeImage( int width, int height ) const
{
    if( width <= 0 || height <= 0 )
        return std::make_unique<CNullSurface>();
    // A size from a damaged file would take all memory, or forever to fill.
    if( width > MAX_IMAGE_SIDE || height > MAX_IMAGE_SIDE ||
        static_cast<long long>( width ) * height > MAX_IMAGE_PIXELS )
    {
        GetLog().Error() << "CTextSprite: a text image of " << width << "x" << height
                         << " pixels is too large, the text is not drawn\n";
        return std::make_unique<CNullSurface>();
    }
    if( !myBackdrop )
        return Gfx::NewBuffer( width, height );
    // Where the backdrop is see-through the text sprite is too.
    std::unique_ptr<CSurface> image = Gfx::NewBuffer( width, height, KeyColor() );
    if( image->IsNull() )
        return image;
    for( int y = 0; y < height; ++y )
    {
        for( int x = 0; x < width; ++x )
            image->PutPixel( x, y, KeyColor() );
    }
    return image;
}

} // namespace tarn
