#ifndef TARN_GFX_FONT_CFONT_H
#define TARN_GFX_FONT_CFONT_H

#include <array>
#include <memory>
#include <string>

#include "tarn/gfx/csurface.h"
#include "tarn/utils/point.h"
#include "tarn/utils/rect.h"

namespace tarn {

class CFontFormatter;

// A bitmap font: one image with every glyph and, per 8-bit character code,
// the glyph's rectangle in it. Writes text onto any surface (a text sprite
// renders into its own image this way), optionally laid out by a formatter.
class CFont
{
public:
    // Glyph rectangles indexed by the unsigned character code; w = h = 0
    // means the character has no glyph.
    using CharPositions = std::array<types::rect, 256>;

    // Kinds of SetFormatter.
    enum FormatterKind
    {
        FORMAT_LEFT = 0,
        FORMAT_CENTER = 1,
        FORMAT_RIGHT = 2,
        FORMAT_JUSTIFY = 3
    };

    // A font without image or glyphs: every character advances 0.
    CFont();
    CFont( std::unique_ptr<CSurface> image, const CharPositions& positions, int lineHeight, int charSpacing,
           int spaceWidth, const std::string& filename );
    virtual ~CFont();

    CFont( const CFont& ) = delete;
    CFont& operator=( const CFont& ) = delete;

    // A new font on a copy of the image, with everything else the same.
    virtual std::unique_ptr<CFont> Clone() const;
    // Lays the text out in rect with the formatter; without one the text is
    // written from start. Returns where the writing ended.
    virtual types::point WriteInRect( CSurface* target, const std::string& text, const types::rect& rect,
                                      const types::point& start ) const;
    virtual types::point WriteAt( CSurface* target, const std::string& text, const types::point& at ) const;
    // Tabs advance four spaces, line feeds go back to x one line lower.
    // Returns the pen after the last character; (0, 0) for empty text.
    virtual types::point WriteText( CSurface* target, const std::string& text, int x, int y ) const;
    virtual types::point WriteText( CSurface* target, const std::string& text ) const;
    // Kinds 0 to 3 (FormatterKind); any other kind removes the formatter.
    virtual void SetFormatter( int kind );
    virtual const CFontFormatter* GetFormatter() const;
    // Draws the glyph bottom-aligned in a line starting at y; returns the
    // advance (0 for a character without glyph). A null target only measures.
    virtual int WriteChar( CSurface* target, unsigned char c, int x, int y ) const;
    virtual int GetTextWidth( const std::string& text ) const;

    bool HasGlyph( unsigned char c ) const;
    const types::rect& GetCharPosition( unsigned char c ) const { return myCharPositions[ c ]; }
    const CSurface* GetImage() const { return myImage.get(); }
    int GetLineHeight() const { return myLineHeight; }
    int GetCharSpacing() const { return myCharSpacing; }
    int GetSpaceWidth() const { return mySpaceWidth; }
    const std::string& GetFileName() const { return myFileName; }

private:
    // WriteChar with the pen in 64 bits; a glyph outside the int range is
    // not drawn but still advances.
    int WriteGlyph( CSurface* target, unsigned char c, long long x, long long y ) const;

    std::unique_ptr<CSurface> myImage;
    CharPositions myCharPositions;
    std::unique_ptr<CFontFormatter> myFormatter;
    int myLineHeight = 0;
    int myCharSpacing = 0;
    int mySpaceWidth = 0;
    std::string myFileName;
};

} // namespace tarn

#endif
