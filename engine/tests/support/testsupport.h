#ifndef TARN_TESTS_SUPPORT_TESTSUPPORT_H
#define TARN_TESTS_SUPPORT_TESTSUPPORT_H

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tarn/utils/cloglistener.h"
#include "tarn/utils/enginetime.h"
#include "tarn/utils/types.h"

namespace tarn {

class CXmlNode;

namespace test {

// Runs the test in another working directory for the object's lifetime.
class CWorkingDirectory final
{
public:
    explicit CWorkingDirectory( const std::filesystem::path& dir ) : myPrevious( std::filesystem::current_path() )
    {
        std::filesystem::current_path( dir );
    }
    ~CWorkingDirectory() { std::filesystem::current_path( myPrevious ); }

    CWorkingDirectory( const CWorkingDirectory& ) = delete;
    CWorkingDirectory& operator=( const CWorkingDirectory& ) = delete;

private:
    std::filesystem::path myPrevious;
};

// An engine clock that moves only when told to. Installed for the lifetime
// of the object.
class CManualClock final
{
public:
    explicit CManualClock( types::ticks start = 1000 );
    ~CManualClock();

    void Set( types::ticks now );
    void Advance( types::ticks ms );
    types::ticks Now() const;

private:
    class CSource;
    std::shared_ptr<CSource> mySource;
};

// Collects the engine log's lines (without their line end) for the lifetime
// of the object.
class CLogCapture final : public CLogListener
{
public:
    CLogCapture();
    ~CLogCapture() override;

    void OnMessage( const std::string& text, int level ) override;

    std::vector<std::string> Lines() const;
    std::vector<std::pair<std::string, int>> LinesWithLevels() const { return myLines; }
    bool Contains( const std::string& line ) const;

private:
    std::vector<std::pair<std::string, int>> myLines;
};

// Deletes every engine singleton so the next test starts from nothing.
void ResetEngine();

// The whole contents of a file ("" when it cannot be read).
std::string ReadFile( const std::string& path );
void WriteFile( const std::string& path, const std::string& text );

// The tree the engine's XML parser builds from text; null when the text
// holds no element.
std::unique_ptr<CXmlNode> ParseXmlText( const std::string& text );

// The lines of text, without their line feeds (an unfinished last line is
// left out).
std::vector<std::string> SplitLines( const std::string& text );

// Checks the five header lines of a new log file; failures are reported as
// test failures.
void ExpectLogHeader( const std::vector<std::string>& lines );

// A fresh empty directory below the test working directory, private to the
// running test.
std::string MakeTempDir( const std::string& name );

} // namespace test
} // namespace tarn

#endif
