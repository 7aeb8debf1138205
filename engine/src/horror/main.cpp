// Program entry of the game: reads the command line, finds the game's
// folder and where to write, builds the application, which runs autoexec.txt
// from the game's folder, and runs the main loop.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "horror/ccommandline.h"
#include "tarn/console/cconsolehelp.h"
#include "tarn/io/userfolders.h"
#include "tarn/tasks/capplication.h"
#include "tarn/tasks/ctaskdebug.h"
#include "tarn/utils/clogger.h"

namespace fs = std::filesystem;

namespace {

const char* const GAME_NAME = "Tallow";
const char* const STARTUP_SCRIPT = "autoexec.txt";
const char* const DATA_FOLDER = "data";
// The user's folders for the game, and where an installed game's files lie
// beside the program (bin/ and share/ of one prefix).
const char* const PROGRAM_FOLDER = "tallow";
const char* const INSTALLED_GAME = "../share/tallow";
const char* const SETTINGS_FILE = "settings.txt";
const char* const CONSOLE_HISTORY_FILE = "console_history.txt";
const char* const LOG_FILE = "log.txt";

bool HoldsGame( const fs::path& folder )
{
    std::error_code error;
    return fs::is_regular_file( folder / STARTUP_SCRIPT, error );
}

// --game, else the working directory when it holds the game (the repository,
// the tests), else the installed game beside the program, else the working
// directory (which then says what it misses).
fs::path FindGameFolder( const horror::CCommandLine& line, bool& installed )
{
    installed = false;
    if( !line.GetGameFolder().empty() )
        return line.GetGameFolder();
    std::error_code error;
    const fs::path here = fs::current_path( error );
    if( HoldsGame( here ) )
        return here;
    const fs::path program = fs::read_symlink( "/proc/self/exe", error );
    const fs::path beside = program.parent_path() / INSTALLED_GAME;
    if( error || !HoldsGame( beside ) )
        return here;
    installed = true;
    return fs::weakly_canonical( beside, error );
}

// A start in the wrong folder would otherwise end at once, or show a black
// window, without a word: say where the program looked and what it missed.
void ReportMissingGameFiles( const std::string& here )
{
    std::error_code error;
    if( !fs::is_regular_file( STARTUP_SCRIPT, error ) )
    {
        std::fprintf( stderr,
                      "No %s in %s: the start-up script that starts the game is expected there; nothing to run.\n",
                      STARTUP_SCRIPT, here.c_str() );
        return;
    }
    if( !fs::is_directory( DATA_FOLDER, error ) )
        std::fprintf( stderr, "No %s/ folder in %s: the game's pictures, sounds and levels are expected there.\n",
                      DATA_FOLDER, here.c_str() );
}

// The game's folder when it can be written (the repository), else, and
// always for the installed game (even to a user who may write there), the
// user's state folder for the game, made if missing: the log and the
// screenshots go there.
std::string ChooseWriteFolder( const std::string& game, bool installed )
{
    if( !installed && access( game.c_str(), W_OK ) == 0 )
        return game;
    const std::string state = tarn::UserStateFolder( PROGRAM_FOLDER );
    std::error_code error;
    if( state.empty() || ( !fs::create_directories( state, error ) && error ) )
    {
        std::fprintf( stderr, "Cannot make the folder %s for the log and screenshots: %s\n", state.c_str(),
                      error.message().c_str() );
        return game;
    }
    tarn::CLogger::SetFileName( state + "/" + LOG_FILE );
    tarn::CTaskDebug::SetScreenshotFolder( state );
    return state;
}

// The lines run after the start-up script: the level to start in, then the
// +LINE arguments. A level named from where the program was started is
// found from the game's folder too.
std::vector<std::string> StartLines( const horror::CCommandLine& line, const fs::path& startedIn )
{
    std::vector<std::string> lines;
    std::string level = line.GetLevel();
    std::error_code error;
    if( !level.empty() && !fs::exists( level, error ) && fs::exists( startedIn / level, error ) )
        level = ( startedIn / level ).string();
    if( !level.empty() )
        lines.push_back( "Game::StartLevel( \"" + level + "\" )" );
    lines.insert( lines.end(), line.GetLines().begin(), line.GetLines().end() );
    return lines;
}

// Starts the game as its start-up script does, without a window, sound, the
// player's settings or a log file, and prints the command reference.
int ListCommands()
{
    setenv( "SDL_VIDEODRIVER", "dummy", 1 );
    setenv( "SDL_AUDIODRIVER", "dummy", 1 );
    tarn::CLogger::SetFileName( "" );
    tarn::CApplication application( STARTUP_SCRIPT );
    std::printf( "%s", tarn::CConsoleHelp::ForMainConsole().Reference().c_str() );
    return 0;
}

} // namespace

int main( int argc, char** argv )
{
    const horror::CCommandLine line( argc, argv );
    const std::string program = argc > 0 ? fs::path( argv[ 0 ] ).filename().string() : PROGRAM_FOLDER;
    if( !line.IsValid() )
    {
        std::fprintf( stderr, "%s: %s\n%s", program.c_str(), line.GetFault().c_str(),
                      horror::CCommandLine::Usage( program ).c_str() );
        return 2;
    }
    if( line.WantsHelp() )
    {
        std::printf( "%s", horror::CCommandLine::Usage( program ).c_str() );
        return 0;
    }
    if( line.WantsVersion() )
    {
        std::printf( "%s\n%s\n", tarn::CLogger::VERSION, GAME_NAME );
        return 0;
    }
    std::error_code error;
    const fs::path startedIn = fs::current_path( error );
    bool installed = false;
    const fs::path game = FindGameFolder( line, installed );
    fs::current_path( game, error );
    if( error )
    {
        std::fprintf( stderr, "Cannot open the game folder %s: %s\n", game.c_str(), error.message().c_str() );
        return 1;
    }
    const std::string here = fs::current_path( error ).string();
    ReportMissingGameFiles( here );
    if( line.WantsCommandList() )
        return ListCommands();
    const std::string written = ChooseWriteFolder( here, installed );
    const std::string settingsFolder = tarn::UserConfigFolder( PROGRAM_FOLDER );
    const std::string settings = settingsFolder.empty() ? "" : settingsFolder + "/" + SETTINGS_FILE;
    const std::string history = settingsFolder.empty() ? "" : settingsFolder + "/" + CONSOLE_HISTORY_FILE;
    tarn::GetLog() << "Folders: the game in " << here << ", the log and screenshots in " << written
                   << ", the settings in " << ( settings.empty() ? "none (no home folder)" : settings ) << "\n";
    tarn::CApplication application( STARTUP_SCRIPT, settings, StartLines( line, startedIn ), history );
    return application.Run();
}
