#ifndef TARN_CONSOLE_CHISTORYFILE_H
#define TARN_CONSOLE_CHISTORYFILE_H

#include <cstddef>
#include <string>
#include <vector>

namespace tarn {

// Keeps the lines typed in a console between runs: a text file of the
// latest lines, one a line, oldest first.
class CHistoryFile final
{
public:
    // Lines kept in the file; older ones are dropped when it is written.
    static constexpr std::size_t MAX_LINES = 100;

    explicit CHistoryFile( const std::string& path );

    // The file's last MAX_LINES lines; none for a missing file, and none,
    // logged, for a damaged or unreadable one.
    std::vector<std::string> Load() const;
    // Writes the last MAX_LINES of lines that a console would run (its
    // folder made if missing); a failure is logged.
    void Save( const std::vector<std::string>& lines ) const;
    const std::string& GetPath() const { return myPath; }

private:
    std::string myPath;
};

} // namespace tarn

#endif
