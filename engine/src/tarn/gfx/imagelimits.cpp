#include "tarn/gfx/imagelimits.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "tarn/io/datafile.h"
#include "tarn/utils/clogger.h"

namespace tarn {

namespace {

using Bytes = std::vector<unsigned char>;

// Enough for the PNG and BMP headers.
constexpr std::size_t HEADER_BYTES = 32;

long long BigEndian( const Bytes& bytes, std::size_t at, int count )
{
    long long value = 0;
    for( int i = 0; i < count; ++i )
        value = value * 256 + bytes[ at + i ];
    return value;
}

long long LittleEndian( const Bytes& bytes, std::size_t at, int count )
{
    long long value = 0;
    for( int i = count - 1; i >= 0; --i )
        value = value * 256 + bytes[ at + i ];
    return value;
}

std::optional<CImageSize> PngSize( const Bytes& header )
{
    static const unsigned char SIGNATURE[] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R' };
    if( header.size() < 24 || !std::equal( std::begin( SIGNATURE ), std::end( SIGNATURE ), header.begin() ) )
        return std::nullopt;
    return CImageSize{ BigEndian( header, 16, 4 ), BigEndian( header, 20, 4 ) };
}

// Old OS/2 bitmaps have a 12-byte header with 16-bit sizes; the others
// 32-bit signed sizes, a negative height meaning rows stored top down.
std::optional<CImageSize> BmpSize( const Bytes& header )
{
    if( header.size() < 26 || header[ 0 ] != 'B' || header[ 1 ] != 'M' )
        return std::nullopt;
    if( LittleEndian( header, 14, 4 ) == 12 )
        return CImageSize{ LittleEndian( header, 18, 2 ), LittleEndian( header, 20, 2 ) };
    const auto width = static_cast<std::int32_t>( static_cast<std::uint32_t>( LittleEndian( header, 18, 4 ) ) );
    const auto height = static_cast<std::int32_t>( static_cast<std::uint32_t>( LittleEndian( header, 22, 4 ) ) );
    return CImageSize{ std::llabs( width ), std::llabs( height ) };
}

// Walks the JPEG's marker segments up to the first start-of-frame, which
// holds the size.
std::optional<CImageSize> JpegSize( std::istream& file )
{
    file.seekg( 2 );
    while( file )
    {
        int marker = file.get();
        if( marker != 0xff )
            return std::nullopt;
        while( marker == 0xff )
            marker = file.get();
        if( marker == std::char_traits<char>::eof() || marker == 0xd9 || marker == 0xda )
            return std::nullopt;
        // Markers without a segment: restarts, start of image, fill.
        if( ( marker >= 0xd0 && marker <= 0xd8 ) || marker == 0x01 )
            continue;
        Bytes segment( 7 );
        if( !file.read( reinterpret_cast<char*>( segment.data() ), 2 ) )
            return std::nullopt;
        const long long length = BigEndian( segment, 0, 2 );
        const bool frame = marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
        if( frame )
        {
            if( !file.read( reinterpret_cast<char*>( segment.data() + 2 ), 5 ) )
                return std::nullopt;
            return CImageSize{ BigEndian( segment, 5, 2 ), BigEndian( segment, 3, 2 ) };
        }
        if( length < 2 )
            return std::nullopt;
        file.seekg( length - 2, std::ios::cur );
    }
    return std::nullopt;
}

} // namespace

std::optional<CImageSize> ReadImageHeaderSize( const std::string& filename )
{
    // A FIFO would block the read for good.
    if( !DataFileFault( filename, std::numeric_limits<std::uintmax_t>::max() ).empty() )
        return std::nullopt;
    std::ifstream file( filename, std::ios::binary );
    Bytes header( HEADER_BYTES );
    file.read( reinterpret_cast<char*>( header.data() ), header.size() );
    header.resize( static_cast<std::size_t>( file.gcount() ) );
    if( const auto png = PngSize( header ) )
        return png;
    if( const auto bmp = BmpSize( header ) )
        return bmp;
    if( header.size() >= 3 && header[ 0 ] == 0xff && header[ 1 ] == 0xd8 && header[ 2 ] == 0xff )
    {
        file.clear();
        return JpegSize( file );
    }
    return std::nullopt;
}

bool CheckImageSize( const std::string& filename, long long width, long long height )
{
    if( width <= MAX_IMAGE_SIDE && height <= MAX_IMAGE_SIDE && width * height <= MAX_IMAGE_PIXELS )
        return true;
    GetLog().Error() << "Image " << filename << " is " << width << "x" << height << " pixels, larger than the "
                     << MAX_IMAGE_SIDE << " pixels a side and " << MAX_IMAGE_PIXELS
                     << " pixels in all the engine loads; not loaded\n";
    return false;
}

bool CheckImageFileSize( const std::string& filename )
{
    const auto size = ReadImageHeaderSize( filename );
    return !size || CheckImageSize( filename, size->width, size->height );
}

} // namespace tarn
