#ifndef TARN_IO_CFILEWATCHER_H
#define TARN_IO_CFILEWATCHER_H

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tarn {

// Tells which of a list of files changed on disk since it last looked, from
// their modification times and sizes alone (a stat call each, nothing read).
// A file that appears, goes or cannot be read counts as changed as well.
class CFileWatcher
{
public:
    // Watches files from now on (their state as it is now), instead of the
    // files watched before; a name given twice is watched once.
    void Watch( const std::vector<std::string>& files );
    // The watched files whose state differs from the last look, in the order
    // given; each is reported once a change: the new state counts as seen.
    std::vector<std::string> Changed();

    const std::vector<std::string>& GetFiles() const { return myFiles; }

private:
    // What a stat tells of a file; all zero for a file that is not there.
    struct State
    {
        std::filesystem::file_time_type time{};
        std::uintmax_t size = 0;
        bool exists = false;

        bool operator==( const State& other ) const
        {
            return time == other.time && size == other.size && exists == other.exists;
        }
    };

    static State StateOf( const std::string& file );

    std::vector<std::string> myFiles;
    std::vector<State> myStates;
};

} // namespace tarn

#endif
