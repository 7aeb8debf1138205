#include "tarn/audio/audioformat.h"

#include <cstdio>

#include "tarn/utils/stringutils.h"

namespace tarn {

namespace {

struct CFormatName
{
    const char* name;
    std::uint16_t format;
};

const CFormatName FORMATS[] = {
    { "U8", AUDIO_FORMAT_U8 },
    { "S8", AUDIO_FORMAT_S8 },
    { "U16LSB", AUDIO_FORMAT_U16LSB },
    { "S16LSB", AUDIO_FORMAT_S16LSB },
    { "U16MSB", AUDIO_FORMAT_U16MSB },
    { "S16MSB", AUDIO_FORMAT_S16MSB },
};

} // namespace

std::optional<std::uint16_t> AudioFormatFromName( const std::string& name )
{
    const std::string upper = ToUpper( name );
    for( const CFormatName& entry : FORMATS )
    {
        if( upper == entry.name )
            return entry.format;
    }
    return std::nullopt;
}

std::string AudioFormatName( std::uint16_t format )
{
    for( const CFormatName& entry : FORMATS )
    {
        if( format == entry.format )
            return entry.name;
    }
    char text[ 32 ];
    std::snprintf( text, sizeof( text ), "unknown (0x%04X)", static_cast<unsigned>( format ) );
    return text;
}

} // namespace tarn
