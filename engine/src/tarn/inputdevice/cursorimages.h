#ifndef TARN_INPUTDEVICE_CURSORIMAGES_H
#define TARN_INPUTDEVICE_CURSORIMAGES_H

#include <array>
#include <cstdint>
#include <string>

namespace tarn {

// Cursor types as scripts name them ("cursor_arrow"...); 0 is "cursor_none".
enum CursorType
{
    CURSOR_NONE = 0,
    CURSOR_ARROW,
    CURSOR_CROSS,
    CURSOR_TEXT,
    CURSOR_HAND,
    CURSOR_BUSY,
    CURSOR_RESIZE_HORIZONTAL,
    CURSOR_RESIZE_VERTICAL,
    CURSOR_RESIZE_DIAGONAL1,
    CURSOR_RESIZE_DIAGONAL2,
    CURSOR_TYPE_COUNT
};

// Lines of one cursor image: a header "32 32 3 1", the colours "X" black,
// "." white and " " transparent, 32 rows of 32 characters and the hot spot
// as "x,y".
constexpr int CURSOR_SIZE = 32;
constexpr int CURSOR_IMAGE_LINES = 37;

// The image of a cursor type; null for CURSOR_NONE and unknown types.
const char* const* GetCursorImage( int type );

// The type of a cursor name; CURSOR_NONE for an unknown name.
int CursorNameToType( const std::string& name );

// A cursor image as SDL wants it: one bit a pixel, leftmost pixel in the
// most significant bit; black sets data and mask, white the mask only.
struct CursorBitmap
{
    std::array<std::uint8_t, CURSOR_SIZE * CURSOR_SIZE / 8> data{};
    std::array<std::uint8_t, CURSOR_SIZE * CURSOR_SIZE / 8> mask{};
    int hotX = 0;
    int hotY = 0;
};

// False when the image is not of the form above.
bool DecodeCursorImage( const char* const* lines, CursorBitmap& bitmap );

} // namespace tarn

#endif
