#ifndef TARN_GFX_FONT_COGFFONTLOADER_H
#define TARN_GFX_FONT_COGFFONTLOADER_H

#include <memory>
#include <string>
#include <vector>

#include "tarn/gfx/font/cfont.h"

namespace tarn {

// Reads an OGF font file: one line "OGF;columns;rows;cell width;cell
// height;char count;colour digits;char order;widths;image file", the glyphs
// standing in a grid of cells in the image, row by row in char order.
class COgfFontLoader final
{
public:
    // Always a font; one without glyphs (but with the file name) when the
    // file is broken, which is logged.
    std::unique_ptr<CFont> Load( const std::string& filename );

private:
    bool ReadFields( const std::string& filename );
    bool ReadGrid( const std::string& filename );
    bool ReadCharOrder( const std::string& filename );
    bool ReadWidths( const std::string& filename );
    std::unique_ptr<CSurface> LoadImage( const std::string& imagename ) const;
    // A private copy of the loaded image in the grid's size and colours.
    std::unique_ptr<CSurface> PrepareImage( const CSurface& loaded ) const;
    CFont::CharPositions PlaceGlyphs( int cellWidth, int cellHeight ) const;
    std::string NextField();

    std::vector<std::string> myFields;
    std::size_t myNextField = 0;
    int myColumns = 0;
    int myRows = 0;
    int myCellWidth = 0;
    int myCellHeight = 0;
    int myCharCount = 0;
    // Intensity of red, green and blue in eighths.
    int myColorDigits[ 3 ] = { 8, 8, 8 };
    std::string myCharOrder;
    std::string myWidths;
};

} // namespace tarn

#endif
