#include "tarn/gfx/sdl/imagecheck.h"

#include <cstdint>

namespace tarn {
namespace sdl {

namespace {

const char PNG_SIGNATURE[] = "\x89PNG\r\n\x1a\n";
constexpr std::size_t PNG_SIGNATURE_SIZE = 8;

std::uint32_t BigEndian32( const std::string& bytes, std::size_t at )
{
    return ( std::uint32_t( std::uint8_t( bytes[ at ] ) ) << 24 ) |
           ( std::uint32_t( std::uint8_t( bytes[ at + 1 ] ) ) << 16 ) |
           ( std::uint32_t( std::uint8_t( bytes[ at + 2 ] ) ) << 8 ) | std::uint8_t( bytes[ at + 3 ] );
}

std::uint32_t BigEndian16( const std::string& bytes, std::size_t at )
{
    return ( std::uint32_t( std::uint8_t( bytes[ at ] ) ) << 8 ) | std::uint8_t( bytes[ at + 1 ] );
}

std::uint32_t LittleEndian32( const std::string& bytes, std::size_t at )
{
    return std::uint8_t( bytes[ at ] ) | ( std::uint32_t( std::uint8_t( bytes[ at + 1 ] ) ) << 8 ) |
           ( std::uint32_t( std::uint8_t( bytes[ at + 2 ] ) ) << 16 ) |
           ( std::uint32_t( std::uint8_t( bytes[ at + 3 ] ) ) << 24 );
}

std::string CheckSize( long long width, long long height )
{
    if( width > 0 && height > 0 && width <= MAX_IMAGE_SIDE && height <= MAX_IMAGE_SIDE &&
        width * height <= MAX_IMAGE_PIXELS )
        return "";
    return "an image of " + std::to_string( width ) + "x" + std::to_string( height ) +
           " pixels is empty or too large";
}

// Every chunk must end inside the file, up to IEND; the size is IHDR's.
std::string CheckPng( const std::string& bytes )
{
    std::size_t at = PNG_SIGNATURE_SIZE;
    bool first = true;
    while( at + 8 <= bytes.size() )
    {
        const std::uint64_t length = BigEndian32( bytes, at );
        const std::string type = bytes.substr( at + 4, 4 );
        if( at + 12 + length > bytes.size() )
            return "PNG chunk " + type + " at byte " + std::to_string( at ) + " runs past the end of the file";
        if( first )
        {
            if( type != "IHDR" || length < 8 )
                return "PNG file without a header chunk";
            const std::string size = CheckSize( BigEndian32( bytes, at + 8 ), BigEndian32( bytes, at + 12 ) );
            if( !size.empty() )
                return size;
            first = false;
        }
        if( type == "IEND" )
            return "";
        at += 12 + length;
    }
    return "PNG file cut short before its IEND chunk";
}

bool IsJpegFrameMarker( std::uint8_t marker )
{
    return marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
}

// The segments up to the first frame header, whose size is checked.
std::string CheckJpeg( const std::string& bytes )
{
    std::size_t at = 2;
    while( at + 4 <= bytes.size() )
    {
        if( std::uint8_t( bytes[ at ] ) != 0xff )
            return "JPEG segment without a marker at byte " + std::to_string( at );
        const std::uint8_t marker = std::uint8_t( bytes[ at + 1 ] );
        if( marker == 0xff )
        {
            ++at;
            continue;
        }
        if( marker == 0x01 || ( marker >= 0xd0 && marker <= 0xd7 ) )
        {
            at += 2;
            continue;
        }
        if( marker == 0xda || marker == 0xd9 )
            return "JPEG file without a frame header";
        if( IsJpegFrameMarker( marker ) )
        {
            if( at + 9 > bytes.size() )
                break;
            return CheckSize( BigEndian16( bytes, at + 7 ), BigEndian16( bytes, at + 5 ) );
        }
        at += 2 + BigEndian16( bytes, at + 2 );
    }
    return "JPEG file cut short before its frame header";
}

std::uint32_t LittleEndian16( const std::string& bytes, std::size_t at )
{
    return std::uint8_t( bytes[ at ] ) | ( std::uint32_t( std::uint8_t( bytes[ at + 1 ] ) ) << 8 );
}

constexpr std::size_t BMP_FILE_HEADER = 14;
constexpr std::uint32_t BMP_CORE_HEADER = 12;
constexpr std::uint32_t BMP_INFO_HEADER = 40;
constexpr std::uint32_t BMP_BITFIELDS = 3;
constexpr std::size_t BMP_MASKS = 12;

bool IsBmpDepth( std::uint32_t bits, bool core )
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 24 || ( !core && ( bits == 16 || bits == 32 ) );
}

// The size in the header is checked first, as it is the likeliest fault of
// a real picture. Then SDL_image reads the rest of the info header and the
// colour masks after it without looking for the end of the file, and takes
// what lies past the end from uninitialised memory (a cut file gave a bit
// depth of 1 with 193 bytes a pixel, which crashed the conversion): they
// must lie whole in the file and state a depth and compression it knows.
std::string CheckBmp( const std::string& bytes )
{
    if( bytes.size() < BMP_FILE_HEADER + BMP_CORE_HEADER )
        return "BMP file cut short in its header";
    const std::uint32_t headerSize = LittleEndian32( bytes, 14 );
    const bool core = headerSize == BMP_CORE_HEADER;
    if( core )
    {
        const std::string size = CheckSize( LittleEndian16( bytes, 18 ), LittleEndian16( bytes, 20 ) );
        const std::uint32_t bits = LittleEndian16( bytes, 24 );
        if( !size.empty() || IsBmpDepth( bits, core ) )
            return size;
        return "BMP file of " + std::to_string( bits ) + " bits a pixel";
    }
    // Rows run bottom-up for a positive height, top-down for a negative one.
    const auto width = static_cast<std::int32_t>( LittleEndian32( bytes, 18 ) );
    const auto height = static_cast<std::int32_t>( LittleEndian32( bytes, 22 ) );
    const std::string size = CheckSize( width, height < 0 ? -static_cast<long long>( height ) : height );
    if( !size.empty() )
        return size;
    if( headerSize < BMP_INFO_HEADER )
        return "BMP file with an unknown header of " + std::to_string( headerSize ) + " bytes";
    if( bytes.size() < BMP_FILE_HEADER + headerSize )
        return "BMP file cut short in its header";
    const std::uint32_t compression = LittleEndian32( bytes, 30 );
    const std::size_t masks = compression == BMP_BITFIELDS && headerSize == BMP_INFO_HEADER ? BMP_MASKS : 0;
    if( bytes.size() < BMP_FILE_HEADER + headerSize + masks )
        return "BMP file cut short in its colour masks";
    const std::uint32_t bits = LittleEndian16( bytes, 28 );
    if( !IsBmpDepth( bits, core ) )
        return "BMP file of " + std::to_string( bits ) + " bits a pixel";
    if( compression > BMP_BITFIELDS )
        return "BMP file of unknown compression " + std::to_string( compression );
    return "";
}

std::string CheckTga( const std::string& bytes )
{
    if( bytes.size() < 18 )
        return "TGA file cut short in its header";
    return CheckSize( LittleEndian16( bytes, 12 ), LittleEndian16( bytes, 14 ) );
}

} // namespace

bool IsTgaName( const std::string& filename )
{
    if( filename.size() < 4 )
        return false;
    std::string end = filename.substr( filename.size() - 4 );
    for( char& c : end )
        c = static_cast<char>( c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c );
    return end == ".tga";
}

std::string FindImageFault( const std::string& bytes, const std::string& filename )
{
    if( IsTgaName( filename ) )
        return CheckTga( bytes );
    if( bytes.compare( 0, PNG_SIGNATURE_SIZE, PNG_SIGNATURE, PNG_SIGNATURE_SIZE ) == 0 )
        return CheckPng( bytes );
    if( bytes.size() >= 2 && std::uint8_t( bytes[ 0 ] ) == 0xff && std::uint8_t( bytes[ 1 ] ) == 0xd8 )
        return CheckJpeg( bytes );
    if( bytes.compare( 0, 2, "BM" ) == 0 )
        return CheckBmp( bytes );
    return "not a PNG, JPEG, BMP or TGA file";
}

} // namespace sdl
} // namespace tarn
