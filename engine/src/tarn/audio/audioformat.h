#ifndef TARN_AUDIO_AUDIOFORMAT_H
#define TARN_AUDIO_AUDIOFORMAT_H

#include <cstdint>
#include <optional>
#include <string>

namespace tarn {

// SDL's sample formats by the names scripts and log lines use: "U8", "S8",
// "U16LSB", "S16LSB", "U16MSB", "S16MSB".

// The format a name stands for, compared without regard to case; nothing for
// a name outside the table.
std::optional<std::uint16_t> AudioFormatFromName( const std::string& name );

// The name of format; a value outside the table reads "unknown (0x....)".
std::string AudioFormatName( std::uint16_t format );

} // namespace tarn

#endif
