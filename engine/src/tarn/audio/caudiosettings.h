#ifndef TARN_AUDIO_CAUDIOSETTINGS_H
#define TARN_AUDIO_CAUDIOSETTINGS_H

#include <cstdint>
#include <string>

#include "tarn/audio/audioformat.h"

namespace tarn {

class CAnyContainer;

// How the audio device is opened: the five start-up values of the audio task,
// in the order a start-up script gives them.
class CAudioSettings final
{
public:
    // Takes each value that is present and of the right kind from parameters
    // (frequency, format name, channels, chunk size, mixing channels); a
    // value of the wrong kind keeps its default and logs a warning that
    // starts with taskName.
    void Read( const CAnyContainer& parameters, const std::string& taskName );

    int GetFrequency() const { return myFrequency; }
    std::uint16_t GetFormat() const { return myFormat; }
    int GetChannels() const { return myChannels; }
    int GetChunkSize() const { return myChunkSize; }
    int GetMixingChannels() const { return myMixingChannels; }

private:
    int myFrequency = 22050;
    std::uint16_t myFormat = AUDIO_FORMAT_S16LSB;
    int myChannels = 2;
    int myChunkSize = 1024;
    int myMixingChannels = 8;
};

} // namespace tarn

#endif
