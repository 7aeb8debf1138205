#ifndef TARN_AUDIO_AUDIOFORMAT_H
#define TARN_AUDIO_AUDIOFORMAT_H

#include <cstdint>
#include <optional>
#include <string>

namespace tarn {

// Sample formats by the names scripts and log lines use: "U8", "S8",
// "U16LSB", "S16LSB", "U16MSB", "S16MSB". The values are SDL's, which every
// back-end takes.
constexpr std::uint16_t AUDIO_FORMAT_U8 = 0x0008;
constexpr std::uint16_t AUDIO_FORMAT_S8 = 0x8008;
constexpr std::uint16_t AUDIO_FORMAT_U16LSB = 0x0010;
constexpr std::uint16_t AUDIO_FORMAT_S16LSB = 0x8010;
constexpr std::uint16_t AUDIO_FORMAT_U16MSB = 0x1010;
constexpr std::uint16_t AUDIO_FORMAT_S16MSB = 0x9010;

// The format a name stands for, compared without regard to case; nothing for
// a name outside the table.
std::optional<std::uint16_t> AudioFormatFromName( const std::string& name );

// The name of format; a value outside the table reads "unknown (0x....)".
std::string AudioFormatName( std::uint16_t format );

} // namespace tarn

#endif
