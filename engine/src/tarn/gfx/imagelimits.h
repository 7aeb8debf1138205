#ifndef TARN_GFX_IMAGELIMITS_H
#define TARN_GFX_IMAGELIMITS_H

#include <cstdint>
#include <optional>
#include <string>

namespace tarn {

// The largest pictures the engine loads. A picture file can claim a size far
// beyond what fits in memory; these are checked from the file's header
// before decoding, so such a file costs nothing but a line in the log.
constexpr long long MAX_IMAGE_SIDE = 8192;
constexpr long long MAX_IMAGE_PIXELS = 16LL * 1024 * 1024;
// Largest picture file read, in bytes.
constexpr std::uintmax_t MAX_IMAGE_FILE_SIZE = 64 * 1024 * 1024;

struct CImageSize
{
    long long width = 0;
    long long height = 0;
};

// The size a PNG, BMP or JPEG file states in its header; nothing for other
// formats and for files that cannot be read.
std::optional<CImageSize> ReadImageHeaderSize( const std::string& filename );

// False, with an error in the log naming the file and the size, when a
// picture of that size is larger than the limits allow.
bool CheckImageSize( const std::string& filename, long long width, long long height );

// CheckImageSize on the size in the file's header; true when the header
// states no size that could be read (the decoder then judges the file).
bool CheckImageFileSize( const std::string& filename );

} // namespace tarn

#endif
