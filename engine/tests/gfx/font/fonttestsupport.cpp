#include "gfx/font/fonttestsupport.h"

#include "tarn/gfx/gfx.h"

namespace tarn {
namespace test {

void FontTest::SetUp()
{
    ResetEngine();
    Gfx::SetFactory( &factory );
}

void FontTest::TearDown()
{
    ResetEngine();
}

std::unique_ptr<CSurface> FontTest::Canvas( int width, int height )
{
    return Gfx::NewBuffer( width, height );
}

std::vector<std::string> Picture( const CSurface& surface )
{
    std::vector<std::string> rows;
    for( int y = 0; y < surface.GetHeight(); ++y )
    {
        std::string row;
        for( int x = 0; x < surface.GetWidth(); ++x )
        {
            const CColor c = surface.GetPixel( x, y );
            if( c.a == 0 )
                row += '.';
            else if( c == CColor( 255, 255, 255 ) )
                row += '#';
            else if( c == CColor( 255, 0, 0 ) )
                row += 'r';
            else if( c == CColor( 0, 255, 0 ) )
                row += 'g';
            else if( c == CColor( 0, 0, 255 ) )
                row += 'b';
            else if( c == CColor( 0, 0, 0 ) )
                row += 'k';
            else
                row += '?';
        }
        rows.push_back( row );
    }
    return rows;
}

std::unique_ptr<CFont> MakeBarFont()
{
    std::unique_ptr<CSurface> image = Gfx::NewBuffer( 3, 1 );
    for( int x = 0; x < 3; ++x )
        image->PutPixel( x, 0, CColor( 255, 255, 255 ) );
    CFont::CharPositions positions{};
    for( char c = 'a'; c <= 'z'; ++c )
        positions[ static_cast<unsigned char>( c ) ] = types::rect{ 0, 0, 3, 1 };
    return std::make_unique<CFont>( std::move( image ), positions, 1, 1, 2, "bars" );
}

} // namespace test
} // namespace tarn
