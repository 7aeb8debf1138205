#ifndef TARN_GFX_CTEXTSPRITE_H
#define TARN_GFX_CTEXTSPRITE_H

#include <memory>
#include <string>
#include <utility>

#include "tarn/gfx/csprite.h"
#include "tarn/utils/point.h"
#include "tarn/utils/rect.h"

namespace tarn {

class CFont;

// A sprite showing a text: the font writes it into the sprite's own image,
// over a backdrop sprite when there is one, word-wrapped inside the font
// rect when the font has a formatter. Every change of the text, font,
// backdrop or size renders the image again.
class CTextSprite : public CSprite
{
public:
    CTextSprite();
    ~CTextSprite() override;

    int GetType() const override;
    // Without a font there is nothing to show.
    bool IsEmpty() const override;
    // The base keys, then "FontStartPosition", "FontRect", "Text",
    // "BackdropFile" and "FontFile".
    void Serialize( CXmlFileSys* filesys ) override;
    // Makes a new image of that size (the font rect follows a side that was
    // as long as the sprite's) and renders.
    void Resize( int width, int height ) override;
    void SetText( const std::string& text ) override;

    virtual const std::string& GetText() const;
    virtual int GetTextLength() const;
    virtual const char* GetTextAsChars() const;
    // Nothing when position lies outside 0 to the length.
    virtual void InsertText( int position, const std::string& text );
    virtual void AppendText( const std::string& text );
    virtual void EraseText( int position, int count );
    virtual void EraseLastChar();
    virtual CFont* GetFont() const;
    virtual void SetFont( std::unique_ptr<CFont> font );
    virtual CSprite* GetBackdrop() const;
    // The backdrop is drawn only as part of this sprite: it is taken out of
    // any layer and sized like this sprite.
    virtual void SetBackdrop( std::unique_ptr<CSprite> backdrop );
    // Draws the backdrop (or clears the image) and writes the text.
    virtual void Render();

    // Where the text starts when the font has no formatter.
    void SetFontStartPosition( const types::point& start );
    types::point GetFontStartPosition() const { return myFontStartPosition; }
    // The area the text is laid out in, in the sprite's own coordinates.
    void SetFontRect( const types::rect& rect );
    types::rect GetFontRect() const { return myFontRect; }
    // Where the last render stopped writing.
    types::point GetEndPosition() const { return myEndPosition; }

    // The font a sprite file names: the built-in font for "nothing",
    // otherwise an OGF file, laid out left-aligned with word wrap.
    static std::unique_ptr<CFont> LoadFont( const std::string& filename );

private:
    // Sets field to value and draws anew, unless it holds that value already.
    template <class T>
    void Change( T& field, T value )
    {
        if( field == value )
            return;
        MarkChanged();
        field = std::move( value );
        Render();
    }

    // A blank image of that size: transparent with an alpha channel, or,
    // under a backdrop, opaque with magenta as the transparent colour.
    std::unique_ptr<CSurface> MakeImage( int width, int height ) const;

    types::point myFontStartPosition;
    types::point myEndPosition;
    types::rect myFontRect;
    std::unique_ptr<CSprite> myBackdrop;
    std::unique_ptr<CFont> myFont;
    std::string myText;
};

} // namespace tarn

#endif
