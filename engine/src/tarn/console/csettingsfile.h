#ifndef TARN_CONSOLE_CSETTINGSFILE_H
#define TARN_CONSOLE_CSETTINGSFILE_H

#include <string>

namespace tarn {

class CConsole;
class CConsoleVariable;

// Keeps the player's settings between runs: a file of console lines
// `name = value`, one for every setting variable (CSettingVar) of a console.
// Load runs it; from then on the file is written again whenever a setting
// is assigned a new value. The console must outlive this object.
class CSettingsFile final
{
public:
    // Largest settings file read, in bytes: a few lines are expected.
    static constexpr unsigned MAX_FILE_SIZE = 64 * 1024;

    CSettingsFile( CConsole& console, const std::string& path );
    ~CSettingsFile();

    CSettingsFile( const CSettingsFile& ) = delete;
    CSettingsFile& operator=( const CSettingsFile& ) = delete;

    // Runs the file's lines when each is blank, a comment or `name = number`;
    // a missing file runs nothing; a damaged or unreadable one is logged and
    // ignored, whole: the settings stay as they are.
    void Load();
    // Writes the file (its folder made if missing) when the settings differ
    // from what it holds; a failure is logged.
    void SaveIfChanged();
    const std::string& GetPath() const { return myPath; }

private:
    // Why text cannot be run as settings ("" when it can).
    static std::string Damage( const std::string& text );
    // The file's text for the settings as they are now.
    std::string CurrentText() const;
    void OnAssigned( const CConsoleVariable& variable );

    CConsole& myConsole;
    std::string myPath;
    // What the file holds as far as this object knows: "" until it was read
    // whole or written, so a missing or damaged file is written at the
    // first assignment of a setting.
    std::string myWritten;
    bool myRunningFile = false;
};

} // namespace tarn

#endif
