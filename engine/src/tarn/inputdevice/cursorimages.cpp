#include "tarn/inputdevice/cursorimages.h"

#include <cstdio>
#include <cstring>

namespace tarn {

namespace {

// cursor_arrow
const char* const IMAGE_ARROW[ CURSOR_IMAGE_LINES ] = {
    "32 32 3 1",
    "X c #000000",
    ". c #ffffff",
    "  c None",
    "X                               ",
    "X                               ",
    "XX                              ",
    "XXX                             ",
    "X.XX                            ",
    "X..XX                           ",
    "X...XX                          ",
    "X....XX                         ",
    "X.....XX                        ",
    "X......XX                       ",
    "X.......XX                      ",
    "X......XXXX                     ",
    "X......X                        ",
    "X.XXX..X                        ",
    "XXX XX.XX                       ",
    "XX   X..X                       ",
    "X    XX.XX                      ",
    "      X..X                      ",
    "      X..XX                     ",
    "      XXXXX                     ",
    "       X                        ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "0,0",
};

// cursor_cross
const char* const IMAGE_CROSS[ CURSOR_IMAGE_LINES ] = {
    "32 32 3 1",
    "X c #000000",
    ". c #ffffff",
    "  c None",
    "                                ",
    "                                ",
    "               XXX              ",
    "               X.X              ",
    "               X.X              ",
    "               X.X              ",
    "               X.X              ",
    "               X.X              ",
    "               X.X              ",
    "               X.X              ",
    "               X.X              ",
    "               X.X              ",
    "               XXX              ",
    "                                ",
    "                                ",
    "  XXXXXXXXXXX  XXX  XXXXXXXXXXX ",
    "  X.........X  X.X  X.........X ",
    "  XXXXXXXXXXX  XXX  XXXXXXXXXXX ",
    "                                ",
    "                                ",
    "               XXX              ",
    "               X.X              ",
    "               X.X              ",
    "               X.X              ",
    "               X.X              ",
    "               X.X              ",
    "               X.X              ",
    "               X.X              ",
    "               X.X              ",
    "               X.X              ",
    "               XXX              ",
    "                                ",
    "16,16",
};

// cursor_text
const char* const IMAGE_TEXT[ CURSOR_IMAGE_LINES ] = {
    "32 32 3 1",
    "X c #000000",
    ". c #ffffff",
    "  c None",
    "XXXXXXX                         ",
    "XXX.XXX                         ",
    "  X.X                           ",
    "  X.X                           ",
    "  X.X                           ",
    "  X.X                           ",
    "  X.X                           ",
    "  X.X                           ",
    "  X.X                           ",
    "  X.X                           ",
    "  X.X                           ",
    "  X.X                           ",
    "  X.X                           ",
    "XXX.XXX                         ",
    "XXXXXXX                         ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "3,7",
};

// cursor_hand
const char* const IMAGE_HAND[ CURSOR_IMAGE_LINES ] = {
    "32 32 3 1",
    "X c #000000",
    ". c #ffffff",
    "  c None",
    "   XXXXX                        ",
    "   X...X                        ",
    "   X...X                        ",
    "   X...X                        ",
    "   X...X                        ",
    "   X...X                        ",
    "   X...XXXXX                    ",
    "   X.......XXXXX                ",
    "   X...........XXXX             ",
    "   X..............X             ",
    "XXXX..............X             ",
    "X.................X             ",
    "X.................X             ",
    "X.................X             ",
    "X.................X             ",
    "X.................X             ",
    "X.................X             ",
    "XX................X             ",
    " XX..............XX             ",
    "  XX............XX              ",
    "   XX...........X               ",
    "    XX.........XX               ",
    "     XXXXXXXXXXX                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "5,0",
};

// cursor_busy
const char* const IMAGE_BUSY[ CURSOR_IMAGE_LINES ] = {
    "32 32 3 1",
    "X c #000000",
    ". c #ffffff",
    "  c None",
    "X                               ",
    "X                               ",
    "XX                              ",
    "XXX                             ",
    "X.XX                            ",
    "X..XX                           ",
    "X...XX                          ",
    "X....XX                         ",
    "X.....XX                        ",
    "X.....XXX                       ",
    "X.XXXXX                         ",
    "XXX                             ",
    "XX          XXXXXXXXXXXX        ",
    "X           X..........X        ",
    "            XX........XX        ",
    "             XX......XX         ",
    "              XX....XX          ",
    "               XX..XX           ",
    "                X..X            ",
    "                X..X            ",
    "               XX..XX           ",
    "              XX....XX          ",
    "             XX......XX         ",
    "            XX........XX        ",
    "            X..........X        ",
    "            XXXXXXXXXXXX        ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "0,0",
};

// cursor_resize_horizontal
const char* const IMAGE_RESIZE_H[ CURSOR_IMAGE_LINES ] = {
    "32 32 3 1",
    "X c #000000",
    ". c #ffffff",
    "  c None",
    "    X           X               ",
    "   XX           XX              ",
    "  XXX           XXX             ",
    " XX.XXXXXXXXXXXXX.XX            ",
    "XX.................XX           ",
    " XX.XXXXXXXXXXXXX.XX            ",
    "  XXX           XXX             ",
    "   XX           XX              ",
    "    X           X               ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "10,4",
};

// cursor_resize_vertical
const char* const IMAGE_RESIZE_V[ CURSOR_IMAGE_LINES ] = {
    "32 32 3 1",
    "X c #000000",
    ". c #ffffff",
    "  c None",
    "      X                         ",
    "     XXX                        ",
    "    XX.XX                       ",
    "   XX...XX                      ",
    "  XX.....XX                     ",
    " XXXXX.XXXXX                    ",
    "     X.X                        ",
    "     X.X                        ",
    "     X.X                        ",
    "     X.X                        ",
    "     X.X                        ",
    "     X.X                        ",
    "     X.X                        ",
    " XXXXX.XXXXX                    ",
    "  XX.....XX                     ",
    "   XX...XX                      ",
    "    XX.XX                       ",
    "     XXX                        ",
    "      X                         ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "6,9",
};

// cursor_resize_diagonal1
const char* const IMAGE_DIAG1[ CURSOR_IMAGE_LINES ] = {
    "32 32 3 1",
    "X c #000000",
    ". c #ffffff",
    "  c None",
    "XXXXXX                          ",
    "X..XX                           ",
    "X..X                            ",
    "X..XX                           ",
    "X...XX                          ",
    "XXXX.XX                         ",
    "X  XX.XX                        ",
    "    XX.XX   X                   ",
    "     XX.XX XX                   ",
    "      XX.XXXX                   ",
    "       XX...X                   ",
    "        X...X                   ",
    "        X...X                   ",
    "       XX...X                   ",
    "      XXXXXXX                   ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "6,7",
};

// cursor_resize_diagonal2
const char* const IMAGE_DIAG2[ CURSOR_IMAGE_LINES ] = {
    "32 32 3 1",
    "X c #000000",
    ". c #ffffff",
    "  c None",
    "      XXXXXXX                   ",
    "       XX...X                   ",
    "        X...X                   ",
    "        X...X                   ",
    "       XX...X                   ",
    "      XX.XXXX                   ",
    "     XX.XX XX                   ",
    "    XX.XX   X                   ",
    "X  XX.XX                        ",
    "XXXX.XX                         ",
    "X...XX                          ",
    "X..XX                           ",
    "X..X                            ",
    "X..XX                           ",
    "XXXXXX                          ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "6,7",
};

const char* const* const IMAGES[ CURSOR_TYPE_COUNT ] = {
    nullptr,
    IMAGE_ARROW,
    IMAGE_CROSS,
    IMAGE_TEXT,
    IMAGE_HAND,
    IMAGE_BUSY,
    IMAGE_RESIZE_H,
    IMAGE_RESIZE_V,
    IMAGE_DIAG1,
    IMAGE_DIAG2,
};

const char* const NAMES[ CURSOR_TYPE_COUNT ] = {
    "cursor_none",
    "cursor_arrow",
    "cursor_cross",
    "cursor_text",
    "cursor_hand",
    "cursor_busy",
    "cursor_resize_horizontal",
    "cursor_resize_vertical",
    "cursor_resize_diagonal1",
    "cursor_resize_diagonal2",
};

} // namespace

const char* const* GetCursorImage( int type )
{
    if( type <= CURSOR_NONE || type >= CURSOR_TYPE_COUNT )
        return nullptr;
    return IMAGES[ type ];
}

int CursorNameToType( const std::string& name )
{
    for( int type = CURSOR_NONE; type < CURSOR_TYPE_COUNT; ++type )
    {
        if( name == NAMES[ type ] )
            return type;
    }
    return CURSOR_NONE;
}

bool DecodeCursorImage( const char* const* lines, CursorBitmap& bitmap )
{
    if( !lines )
        return false;
    bitmap = CursorBitmap();
    const int firstRow = 4;
    for( int row = 0; row < CURSOR_SIZE; ++row )
    {
        const char* text = lines[ firstRow + row ];
        if( std::strlen( text ) != CURSOR_SIZE )
            return false;
        for( int column = 0; column < CURSOR_SIZE; ++column )
        {
            const int byte = row * CURSOR_SIZE / 8 + column / 8;
            const std::uint8_t bit = static_cast<std::uint8_t>( 0x80 >> ( column % 8 ) );
            switch( text[ column ] )
            {
            case 'X':
                bitmap.data[ byte ] |= bit;
                bitmap.mask[ byte ] |= bit;
                break;
            case '.': bitmap.mask[ byte ] |= bit; break;
            case ' ': break;
            default: return false;
            }
        }
    }
    return std::sscanf( lines[ firstRow + CURSOR_SIZE ], "%d,%d", &bitmap.hotX, &bitmap.hotY ) == 2 &&
           bitmap.hotX >= 0 && bitmap.hotX < CURSOR_SIZE && bitmap.hotY >= 0 && bitmap.hotY < CURSOR_SIZE;
}

} // namespace tarn
