#ifndef TARN_UTILS_CLOGFILE_H
#define TARN_UTILS_CLOGFILE_H

#include <map>
#include <string>

namespace tarn {

// One log file on disk: level prefixes, indentation, and a header when the
// file is created. Every line is appended and the file closed again, so all
// that was written before a crash is on disk.
class CLogFile
{
public:
    // Creates the file with a header unless it is the file this process
    // created last, which is appended to instead.
    CLogFile( const std::string& filename, const std::string& version );

    // Appends prefix, indentation and text. Levels LOG_INDENT and LOG_UNINDENT
    // change the indentation; empty text writes nothing.
    void Write( const std::string& text, int level );

    const std::string& GetFilename() const { return myFilename; }
    const std::string& GetVersion() const { return myVersion; }

private:
    void WriteHeader();
    // Says once, on standard error, that the log cannot be written and why;
    // the program runs on without it.
    void ReportLost( const std::string& reason );

    std::string myFilename;
    std::string myVersion;
    int myIndent = 0;
    std::string myIndentUnit = "  ";
    std::map<int, std::string> myPrefixes;
    // The file is not a regular file: nothing is written to it (opening a
    // FIFO to write would wait for a reader for good).
    bool myUnusable = false;
    bool myLossReported = false;
};

} // namespace tarn

#endif
