// Program entry of the game: builds the application, which runs
// autoexec.txt from the working directory, and runs the main loop.
#include <cstdio>
#include <filesystem>
#include <string>

#include "tarn/io/userfolders.h"
#include "tarn/tasks/capplication.h"

namespace {

const char* const STARTUP_SCRIPT = "autoexec.txt";
const char* const DATA_FOLDER = "data";
// The player's settings live in the user's folder for the game.
const char* const PROGRAM_FOLDER = "tallow";
const char* const SETTINGS_FILE = "settings.txt";

// A start in the wrong folder would otherwise end at once, or show a black
// window, without a word: say where the program looked and what it missed.
void ReportMissingGameFiles()
{
    std::error_code error;
    const std::string here = std::filesystem::current_path( error ).string();
    if( !std::filesystem::is_regular_file( STARTUP_SCRIPT, error ) )
    {
        std::fprintf( stderr,
                      "No %s in %s: the start-up script that starts the game is expected there; nothing to run.\n",
                      STARTUP_SCRIPT, here.c_str() );
        return;
    }
    if( !std::filesystem::is_directory( DATA_FOLDER, error ) )
        std::fprintf( stderr, "No %s/ folder in %s: the game's pictures, sounds and levels are expected there.\n",
                      DATA_FOLDER, here.c_str() );
}

} // namespace

int main( int argc, char** argv )
{
    (void)argc;
    (void)argv;
    ReportMissingGameFiles();
    const std::string settingsFolder = tarn::UserConfigFolder( PROGRAM_FOLDER );
    const std::string settings = settingsFolder.empty() ? "" : settingsFolder + "/" + SETTINGS_FILE;
    tarn::CApplication application( STARTUP_SCRIPT, settings );
    return application.Run();
}
