#ifndef TARN_GFX_CDEBUGDRAWING_H
#define TARN_GFX_CDEBUGDRAWING_H

#include <string>
#include <vector>

#include "tarn/utils/ccolor.h"
#include "tarn/utils/rect.h"

namespace tarn {

// The shapes a debug overlay puts over one frame, in screen pixels: a list a
// drawing back-end paints, which knows the pixels each shape may touch.
class CDebugDrawing final
{
public:
    // Width and height of a character of the text shape's built-in font.
    static constexpr int GLYPH_SIZE = 8;

    enum Kind
    {
        LINE,
        CIRCLE,
        BOX,
        FILLED_BOX,
        TEXT
    };

    // A line runs from (x1, y1) to (x2, y2); a circle has its centre at
    // (x1, y1); boxes fill or outline area; text starts at (x1, y1).
    struct Shape
    {
        Kind kind = LINE;
        int x1 = 0;
        int y1 = 0;
        int x2 = 0;
        int y2 = 0;
        int radius = 0;
        types::rect area;
        CColor color;
        std::string text;
    };

    void Line( int x1, int y1, int x2, int y2, const CColor& color );
    void Circle( int x, int y, int radius, const CColor& color );
    // The outline of area, one pixel inside it.
    void Box( const types::rect& area, const CColor& color );
    // area filled; an alpha below 255 tints what lies under it.
    void FillBox( const types::rect& area, const CColor& color );
    // One line of text in the back-end's 8 x 8 font.
    void Text( int x, int y, const std::string& text, const CColor& color );

    const std::vector<Shape>& GetShapes() const { return myShapes; }
    bool IsEmpty() const { return myShapes.empty(); }
    void Clear() { myShapes.clear(); }

    // Every pixel the shape may touch lies in this rectangle.
    static types::rect Bounds( const Shape& shape );

private:
    std::vector<Shape> myShapes;
};

} // namespace tarn

#endif
