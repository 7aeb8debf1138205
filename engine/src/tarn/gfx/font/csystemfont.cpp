#include "tarn/gfx/font/csystemfont.h"

#include "tarn/gfx/gfx.h"

namespace tarn {

namespace {

const CColor NO_INK( 0, 0, 0, 0 );
const CColor INK( 255, 255, 255, 255 );

} // namespace

std::unique_ptr<CFont> CSystemFont::Create()
{
    std::unique_ptr<CSurface> image = Gfx::NewBuffer( IMAGE_WIDTH, IMAGE_HEIGHT );
    PaintRuns( *image, DecodeRuns( GetEncodedImage() ) );

    CFont::CharPositions positions{};
    for( int code = FIRST_CODE; code <= LAST_CODE; ++code )
    {
        const int x = FIRST_CELL_X + CELL_WIDTH * ( code - FIRST_CODE );
        positions[ code ] = types::rect{ x, 0, CELL_WIDTH, IMAGE_HEIGHT };
    }
    return std::make_unique<CFont>( std::move( image ), positions, IMAGE_HEIGHT, 0, CELL_WIDTH, FILE_NAME );
}

std::vector<int> CSystemFont::DecodeRuns( const std::string& encoded )
{
    std::vector<int> runs;
    int run = 0;
    for( const char c : encoded )
    {
        run += c - 32;
        if( c == '~' )
            continue;
        runs.push_back( run );
        run = 0;
    }
    return runs;
}

void CSystemFont::PaintRuns( CSurface& image, const std::vector<int>& runs )
{
    if( runs.empty() )
        return;
    bool white = false;
    std::size_t next = 1;
    int counter = runs[ 0 ];
    for( int y = 0; y < IMAGE_HEIGHT; ++y )
    {
        for( int x = 0; x < IMAGE_WIDTH; ++x )
        {
            // Once the runs are used up the last colour goes on, instead of
            // flickering from pixel to pixel.
            if( --counter < 0 && next < runs.size() )
            {
                white = !white;
                counter = runs[ next++ ];
            }
            image.PutPixel( x, y, white ? INK : NO_INK );
        }
    }
}

} // namespace tarn
