#include "tarn/audio/caudiosettings.h"

#include <optional>

#include "tarn/audio/audioformat.h"
#include "tarn/utils/canycontainer.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/numberutils.h"

namespace tarn {

namespace {

bool IsPresent( const CAnyContainer& parameters, std::size_t i )
{
    return !parameters.IsType( i, CAnyContainer::TYPE_EMPTY );
}

void ReadNumber( const CAnyContainer& parameters, std::size_t i, int& value, const std::string& taskName,
                 const char* complaint )
{
    if( !IsPresent( parameters, i ) )
        return;
    if( !parameters.IsType( i, CAnyContainer::TYPE_NUMBER ) )
    {
        GetLog().Warning() << taskName << complaint << "\n";
        return;
    }
    value = TruncateToInt( parameters.GetNumber( i ) );
}

} // namespace

void CAudioSettings::Read( const CAnyContainer& parameters, const std::string& taskName )
{
    ReadNumber( parameters, 0, myFrequency, taskName,
                " 1st start-up parameter (frequency) is of wrong type, should be a number" );

    if( IsPresent( parameters, 1 ) )
    {
        std::optional<std::uint16_t> format;
        if( parameters.IsType( 1, CAnyContainer::TYPE_STRING ) )
            format = AudioFormatFromName( parameters.GetString( 1 ) );
        if( format )
            myFormat = *format;
        else
            GetLog().Warning() << taskName
                               << " 2nd start-up parameter (format) is of wrong type, should be a string\n";
    }

    ReadNumber( parameters, 2, myChannels, taskName,
                " 3rd start-up parameter (num_of_channels) is of wrong type, should be a number (1 = mono, 2 = "
                "stereo)" );
    ReadNumber( parameters, 3, myChunkSize, taskName,
                " 4th start-up parameter (chunk_size) is of wrong type, should be a number" );
    ReadNumber( parameters, 4, myMixingChannels, taskName,
                " 5th start-up parameter (number_of_audio_channels) is of wrong type, should be a number" );
}

} // namespace tarn
