#ifndef TARN_IO_DATAFILE_H
#define TARN_IO_DATAFILE_H

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace tarn {

// Largest XML or script file read, in bytes. A file of gigabytes would take
// gigabytes of memory and seconds before anything could refuse it.
constexpr std::uintmax_t MAX_DATA_FILE_SIZE = 16 * 1024 * 1024;
// Largest sound or music file handed to the mixer, in bytes.
constexpr std::uintmax_t MAX_SOUND_FILE_SIZE = 256 * 1024 * 1024;

// Two of DataFileFault's answers, for callers that treat them apart.
constexpr const char* FILE_MISSING = "does not exist";
constexpr const char* FILE_NOT_REGULAR = "is not a regular file";

// Why path cannot be read as a file of at most maxBytes ("" when it can),
// found before a byte is read: "does not exist", "is not a regular file"
// (a FIFO or a device would block the program for good), or its size.
std::string DataFileFault( const std::string& path, std::uintmax_t maxBytes = MAX_DATA_FILE_SIZE );

// Reads up to a line feed, keeping at most limit + 1 characters so that the
// caller can tell a line that was too long; drops a CR before the line
// feed. length, when given, gets the whole line's length (CR dropped).
// False at the end of the stream.
bool ReadBoundedLine( std::istream& stream, std::string& line, std::size_t limit, std::size_t* length = nullptr );

// Writes text as the whole of the file at path, its folder made if missing:
// written beside it and renamed over it, so that a crash or a full disk
// never leaves half a file. On failure logs "<owner>: cannot write <file>"
// (with the reason where known) and returns false.
bool ReplaceFile( const std::string& path, const std::string& text, const std::string& owner );

} // namespace tarn

#endif
