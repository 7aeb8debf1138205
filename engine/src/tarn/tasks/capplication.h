#ifndef TARN_TASKS_CAPPLICATION_H
#define TARN_TASKS_CAPPLICATION_H

#include <memory>
#include <string>
#include <vector>

namespace tarn {

class CSettingsFile;
class CTaskManager;

// The program: building it runs the start-up script, Run() runs the main
// loop, and destroying it shuts the engine down (the log goes last).
class CApplication
{
public:
    // Creates the task manager and the main console, then executes
    // startupScript line by line (a missing file executes nothing), then,
    // with a settingsFile, the player's settings kept there (CSettingsFile),
    // then each of lines in order (a command line's own lines). With a
    // historyFile, the developer console keeps the lines typed in it there.
    explicit CApplication( const std::string& startupScript = "autoexec.txt", const std::string& settingsFile = "",
                           const std::vector<std::string>& lines = {}, const std::string& historyFile = "" );
    ~CApplication();

    CApplication( const CApplication& ) = delete;
    CApplication& operator=( const CApplication& ) = delete;

    // The main loop; returns the program's exit code when no task is left
    // running: 0, or 1 when a task ended it on an error.
    int Run();
    // One pass of the main loop; false when no task is left running.
    bool RunOnce();

private:
    std::string myStartupScript;
    CTaskManager* myTaskManager;
    std::unique_ptr<CSettingsFile> mySettings;
};

} // namespace tarn

#endif
