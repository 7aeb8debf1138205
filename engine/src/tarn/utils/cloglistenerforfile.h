#ifndef TARN_UTILS_CLOGLISTENERFORFILE_H
#define TARN_UTILS_CLOGLISTENERFORFILE_H

#include <memory>
#include <string>

#include "tarn/utils/clogfile.h"
#include "tarn/utils/cloglistener.h"

namespace tarn {

// Writes the log lines at or above a minimum level to a CLogFile.
// The indent markers (negative levels) always pass.
class CLogListenerForFile final : public CLogListener
{
public:
    explicit CLogListenerForFile( std::unique_ptr<CLogFile> file );

    void OnMessage( const std::string& text, int level ) override;

    void SetMinimumLevel( int level ) { myMinimumLevel = level; }
    int GetMinimumLevel() const { return myMinimumLevel; }

    // Replaces the file written to (may be null: messages are then dropped).
    void SetFile( std::unique_ptr<CLogFile> file ) { myFile = std::move( file ); }
    CLogFile* GetFile() const { return myFile.get(); }

private:
    std::unique_ptr<CLogFile> myFile;
    int myMinimumLevel = LOG_NORMAL;
};

} // namespace tarn

#endif
