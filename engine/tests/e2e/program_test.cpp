// The real programs started in a scratch working directory as a player or a
// game author would: the game with start-up scripts of our own, stopped by
// signals and in a hostile environment (files of gigabytes, FIFOs and folders
// where files belong, a log that cannot be written, files of the wrong kind,
// scripts without bounds and window sizes past the limits: each run must end
// by itself within seconds, in little memory, with a line that says what was
// refused), tarn-check on files it cannot read, and the frame benchmark
// tarn-bench.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <sstream>
#include <string>
#include <tuple>

#include "e2e/programrun.h"

using namespace tarn;
using test::Contains;
using test::CountLines;
using test::CRunResult;
using test::RunProgram;
using test::Strings;

namespace {

// A folder with a data/ and a start-up script that starts the tasks that
// draw, over a window of 64x48, and then runs lines.
std::string DrawingGame( const std::string& name, const std::string& lines )
{
    const std::string dir = test::MakeTempDir( name );
    std::filesystem::create_directory( dir + "/data" );
    test::WriteFile( dir + "/autoexec.txt", "taskload( sdl )\nstarttask( window, Window, 10, 64, 48 )\n"
                                            "starttask( event, Event, 20 )\nstarttask( gfx, Gfx, 60 )\n"
                                            "starttask( debug, Debug, 80 )\n" + lines );
    return dir;
}


} // namespace

TEST( Program, StartedInTheWrongFolderItSaysWhatIsMissing )
{
    const std::string dir = test::MakeTempDir( "empty" );
    CRunResult run = RunProgram( dir );
    EXPECT_EQ( run.exitCode, 0 );
    EXPECT_LT( run.seconds, 5.0 );
    EXPECT_EQ( run.errors, "No autoexec.txt in " + dir +
                               ": the start-up script that starts the game is expected there; nothing to run.\n" );
    test::WriteFile( dir + "/autoexec.txt", "quit\n" );
    run = RunProgram( dir );
    EXPECT_EQ( run.exitCode, 0 );
    EXPECT_EQ( run.errors,
               "No data/ folder in " + dir + ": the game's pictures, sounds and levels are expected there.\n" );
}

TEST( Program, AVideoDriverThatCannotStartEndsItWithTheReason )
{
    const std::string dir = DrawingGame( "novideo", "starttask( game, Game, 50 )\n" );
    const CRunResult run = RunProgram( dir, 30, "SDL_VIDEODRIVER=nosuchdriver" );
    EXPECT_EQ( run.exitCode, 1 ) << "no signal, a failure";
    EXPECT_EQ( run.errors, "Cannot start the video: No available video device\n" );
    const std::string log = test::ReadFile( dir + "/log.txt" );
    EXPECT_TRUE( Contains( log, "<!> Cannot start the video: No available video device" ) ) << log;
    EXPECT_TRUE( Contains( log, "Not starting the task Gfx: the program is ending on an error" ) ) << log;
}

TEST( Program, ScreenshotsNeverReplaceAFile )
{
    const std::string dir = DrawingGame( "shots", "Debug::Screenshot()\nDebug::Screenshot( \"\" )\nquit\n" );
    const auto screenshot = []( const std::string& folder, int number ) {
        const std::string digits = std::to_string( number );
        return folder + "/screenshot_" + std::string( 3 - std::min<std::size_t>( digits.size(), 3 ), '0' ) + digits +
               ".bmp";
    };
    for( int i = 0; i < 1000; ++i )
        test::WriteFile( screenshot( dir, i ), std::to_string( i ) );
    EXPECT_EQ( RunProgram( dir ).exitCode, 0 );
    for( int i = 0; i < 1000; ++i )
        ASSERT_EQ( test::ReadFile( screenshot( dir, i ) ), std::to_string( i ) ) << i;
    EXPECT_GT( std::filesystem::file_size( screenshot( dir, 1000 ) ), 64u * 48 );
    EXPECT_GT( std::filesystem::file_size( screenshot( dir, 1001 ) ), 64u * 48 );
}

TEST( Program, StartupScriptRunsAndLogsWhatWentWrong )
{
    const std::string dir = test::MakeTempDir( "script" );
    test::WriteFile( dir + "/autoexec.txt",
                     "// what a game author might get wrong\n"
                     "kind = nosuchtype\n"
                     "who = \"ghost\"\n"
                     "starttask( kind, Thing, 5 )\n"
                     "load( \"more.txt\" )\n"
                     "pausetask( who ); stoptask( who )\n"
                     "quit\n"
                     "starttask( after, quit )\n" );
    // Saved on another system, with CR LF line ends.
    test::WriteFile( dir + "/more.txt", "resumetask( nobody )\r\nreached = kind\r\nstarttask( reached )\r\n" );
    EXPECT_EQ( RunProgram( dir ).exitCode, 0 );
    const Strings log = test::SplitLines( test::ReadFile( dir + "/log.txt" ) );
    test::ExpectLogHeader( log );
    ASSERT_GE( log.size(), 6u );
    EXPECT_EQ( log[ 5 ], "( ) Folders: the game in " + dir + ", the log and screenshots in " + dir +
                             ", the settings in " + getenv( "XDG_CONFIG_HOME" ) + "/tallow/settings.txt" );
    EXPECT_EQ( Strings( log.begin() + 6, log.end() ),
               ( Strings{ "( ) [ERROR] Trying to start a task nosuchtype that doesn't exist.",
                          "( ) [ERROR] Trying to resume a task nobody that doesn't exist.",
                          "( ) [ERROR] Trying to start a task nosuchtype that doesn't exist.",
                          "( ) [ERROR] Trying to pause a task ghost that doesn't exist.",
                          "( ) CTaskFactory::StopTask() called",
                          "( ) [ERROR] Trying to stop a task ghost that doesn't exist.",
                          "( ) [ERROR] Trying to start a task after that doesn't exist." } ) );
}

// Any task may be stopped from a script while the game runs: the rest run on
// (drawing nothing without a display) until the game quits.
class StoppedTask : public ::testing::TestWithParam<const char*>
{
};

TEST_P( StoppedTask, TheGameRunsOnWithoutIt )
{
    const std::string dir = test::ShippedGame(
        "stop", "runlater( 1500, \"stoptask( " + std::string( GetParam() ) + " )\" )\nrunlater( 3500, \"quit\" )\n" );
    const CRunResult run = RunProgram( dir, 20 );
    EXPECT_EQ( run.exitCode, 0 ) << run.errors;
    EXPECT_LT( run.seconds, 10.0 );
    EXPECT_TRUE( Contains( test::ReadFile( dir + "/log.txt" ), "CTaskFactory::StopTask() called" ) );
}

INSTANTIATE_TEST_SUITE_P( EveryTask, StoppedTask,
                          ::testing::Values( "Window", "Event", "Gfx", "Audio", "UI", "Game", "Debug" ) );

TEST( Program, QuitSignalsEndTheGameWhateverTasksRun )
{
    for( const std::string signal : { "TERM", "INT", "HUP" } )
    {
        SCOPED_TRACE( signal );
        const std::string dir = test::ShippedGame( "signal" + signal, "runlater( 500, \"stoptask( Event )\" )\n" );
        EXPECT_EQ( RunProgram( dir, 2.5, "", signal ).exitCode, 0 );
        EXPECT_TRUE( Contains( test::ReadFile( dir + "/log.txt" ), "CTaskFactory::StopTask() called" ) );
    }
}

// The program's own options: each answers on its own stream with its exit
// code, before any start-up script runs.
TEST( Program, OptionsAnswerWithTheirExitCodes )
{
    const std::string dir = test::MakeTempDir( "options" );
    const std::string usage =
        "Usage: horror [--game DIR] [--level FILE] [--help] [--version] [--list-commands]\n       [+LINE ...]\n";
    // Arguments, exit code, the start of standard output, of standard error.
    const std::tuple<const char*, int, std::string, std::string> cases[] = {
        { "--help", 0, usage, "" },
        { "--version", 0, "Tarn version 0.23\nTallow\n", "" },
        // Without a start-up script only the main console's own commands, and no log file.
        { "--list-commands", 0, "# Console commands and variables\n", "No autoexec.txt in " },
        { "--fly", 2, "", "horror: unknown option --fly\n" + usage },
        { "--level", 2, "", "horror: --level needs a value\n" + usage },
        { "--version=2", 2, "", "horror: --version takes no value\n" + usage },
        { "stray", 2, "", "horror: unexpected argument \"stray\"\n" + usage },
        { "--game /nonexistent", 1, "", "Cannot open the game folder /nonexistent: No such file or directory\n" },
    };
    for( const auto& [ arguments, code, out, errors ] : cases )
    {
        const CRunResult run = RunProgram( dir, 10, "", "", TARN_HORROR_BINARY, arguments );
        EXPECT_EQ( run.exitCode, code ) << arguments;
        EXPECT_EQ( test::ReadFile( dir + "/stdout.txt" ).substr( 0, out.size() ), out ) << arguments;
        EXPECT_EQ( run.errors.substr( 0, errors.size() ), errors ) << arguments;
    }
    EXPECT_FALSE( std::filesystem::exists( dir + "/log.txt" ) ) << "nothing started, nothing logged";
}

// Started elsewhere with --game, --level and +LINE arguments: the level
// loads first, skipping the title, and the lines run in their order after
// the start-up script.
TEST( Program, TheCommandLineStartsTheGameInALevelAndRunsItsLines )
{
    const std::string game = test::ShippedGame( "game", "first = 1\n" );
    const std::string elsewhere = test::MakeTempDir( "elsewhere" );
    const CRunResult run = RunProgram( elsewhere, 30, "", "", TARN_HORROR_BINARY,
                                       "--game '" + game + "' --level data/levels/level_03.xml "
                                       "'+second = first' '+runlater( 300, \"quit\" )' '+third = second'" );
    EXPECT_EQ( run.exitCode, 0 );
    const Strings log = test::SplitLines( test::ReadFile( game + "/log.txt" ) );
    const auto at = [ & ]( const std::string& part ) {
        return std::find_if( log.begin(), log.end(), [ & ]( const std::string& l ) { return Contains( l, part ); } ) -
               log.begin();
    };
    EXPECT_LT( at( "Game::StartLevel( \"data/levels/level_03.xml\" )" ), at( "second = first" ) );
    EXPECT_LT( at( "second = first" ), at( "third = second" ) );
    EXPECT_EQ( log[ at( "third = second" ) + 1 ], "( ) 1" ) << "after the start-up script, which set first";
    EXPECT_EQ( log[ at( "Level loaded: " ) ], "( ) Level loaded: data/levels/level_03.xml" ) << "the first level";
    EXPECT_FALSE( std::filesystem::exists( elsewhere + "/log.txt" ) );
}

// The player's settings outlive the run: what the first run sets is in the
// user's settings file, the second run starts with it (its own change is
// written beside the first run's values), and a file of random bytes starts
// the game with the defaults and a line in the log.
TEST( Program, SettingsAreKeptBetweenRunsInTheUsersFolder )
{
    const std::string config = test::MakeTempDir( "config" );
    const std::string env = "XDG_CONFIG_HOME=" + config;
    const std::string settings = config + "/tallow/settings.txt";
    const auto run = [ & ]( const std::string& name, const std::string& change ) {
        const std::string dir =
            test::ShippedGame( name, "runlater( 1, \"" + change + "\" )\nrunlater( 300, \"quit\" )\n" );
        EXPECT_EQ( RunProgram( dir, 30, env ).exitCode, 0 ) << name;
        return test::ReadFile( dir + "/log.txt" );
    };
    run( "settings1", "music_volume = 40; captions = 1" );
    std::string kept = test::ReadFile( settings );
    EXPECT_TRUE( Contains( kept, "\nmusic_volume = 40\n" ) && Contains( kept, "\ncaptions = 1\n" ) ) << kept;
    run( "settings2", "effects_volume = 70" );
    kept = test::ReadFile( settings );
    for( const char* line : { "\nmusic_volume = 40\n", "\ncaptions = 1\n", "\neffects_volume = 70\n" } )
        EXPECT_TRUE( Contains( kept, line ) ) << line << " in\n" << kept;
    std::string noise( 4096, '\0' );
    for( char& c : noise )
        c = static_cast<char>( std::rand() );
    test::WriteFile( settings, noise );
    const std::string log = run( "settings3", "effects_volume = 100" );
    EXPECT_TRUE( Contains( log, "<!> Settings: " + settings + " is damaged (line" ) ) << log;
    kept = test::ReadFile( settings );
    EXPECT_TRUE( Contains( kept, "\nmusic_volume = 100\n" ) && Contains( kept, "\ncaptions = 0\n" ) ) << kept;
}

TEST( Bench, ReportsEverySceneOfARecordingAndRefusesABadSceneTable )
{
    const std::string dir = test::ShippedGame( "bench", "" );
    std::istringstream record( test::ReadFile( TARN_SOURCE_DIR "/tools/bench/bench.txt" ) );
    std::ofstream shortRecord( dir + "/record.txt" );
    std::string line;
    for( int number = 0; std::getline( record, line ) && ( number == 0 || std::stoi( line ) <= 3000 ); ++number )
        shortRecord << line << "\n";
    shortRecord.close();
    test::WriteFile( dir + "/scenes.txt", "# two scenes of the title\nearly 500 1500\nlate 1500 2500\n" );
    const std::string arguments = "--record record.txt --scenes scenes.txt";
    CRunResult run = RunProgram( dir, 120, "", "", TARN_BENCH_BINARY, arguments );
    const std::string output = test::ReadFile( dir + "/stdout.txt" );
    ASSERT_EQ( run.exitCode, 0 ) << output << run.errors;
    const Strings lines = test::SplitLines( output );
    ASSERT_GE( lines.size(), 5u ) << output;
    EXPECT_EQ( lines[ 0 ], "record record.txt, shipped settings" );
    for( const std::string name : { "early", "late" } )
    {
        const auto row = std::find_if( lines.begin(), lines.end(),
                                       [ & ]( const std::string& l ) { return l.rfind( name, 0 ) == 0; } );
        ASSERT_NE( row, lines.end() ) << output;
        int frames = 0;
        std::istringstream( row->substr( 10 ) ) >> frames;
        // At most about 60 frames a second of engine time; a busy machine
        // (CI running beside other work) draws fewer.
        EXPECT_GT( frames, 0 ) << *row;
        EXPECT_LT( frames, 70 ) << *row;
    }
    EXPECT_TRUE( Contains( output, "peak resident size" ) ) << output;
    test::WriteFile( dir + "/scenes.txt", "late 1500 2500\nearly 500 1500\n" );
    run = RunProgram( dir, 120, "", "", TARN_BENCH_BINARY, arguments );
    EXPECT_NE( run.exitCode, 0 );
    EXPECT_TRUE(
        Contains( run.errors, "scenes.txt:2: expected \"name start_ms end_ms\" after the previous scene's end" ) )
        << run.errors;
}

namespace {

void MakeHugeFile( const std::string& path )
{
    test::WriteFile( path, "" );
    std::filesystem::resize_file( path, 1024ULL * 1024 * 1024 );
}

struct CHostileCase
{
    const char* name;
    // Makes what the case needs in the game's folder.
    std::function<void( const std::string& dir )> prepare;
    // Start-up lines after the shipped game's; the game quits a second later.
    std::string lines;
    // What the log (or, when the log is what fails, standard error) says.
    std::string said;
    bool onStandardError = false;
};

std::string Level( const std::string& keys )
{
    return "<Level><PlayerPosition x=\"100\" y=\"100\"/>" + keys + "</Level>\n";
}

const CHostileCase CASES[] = {
    { "HugeLevel", []( const std::string& dir ) { MakeHugeFile( dir + "/big.xml" ); },
      "Game::LoadLevel( \"big.xml\" )", "XML: big.xml is 1073741824 bytes, more than 16777216, not read" },
    { "HugeSprite",
      []( const std::string& dir ) {
          MakeHugeFile( dir + "/big.xml" );
          test::WriteFile( dir + "/level.xml", Level( "<LevelBackgroundImage>big.xml</LevelBackgroundImage>" ) );
      },
      "Game::LoadLevel( \"level.xml\" )", "XML: big.xml is 1073741824 bytes, more than 16777216, not read" },
    { "HugeScript", []( const std::string& dir ) { MakeHugeFile( dir + "/big.txt" ); }, "load( \"big.txt\" )",
      "Console: the script big.txt is 1073741824 bytes, more than 16777216, not run" },
    { "FifoSprite",
      []( const std::string& dir ) {
          mkfifo( ( dir + "/fifo.xml" ).c_str(), 0600 );
          test::WriteFile( dir + "/level.xml", Level( "<LevelBackgroundImage>fifo.xml</LevelBackgroundImage>" ) );
      },
      "Game::LoadLevel( \"level.xml\" )", "XML: fifo.xml is not a regular file, not read" },
    { "FifoLog", []( const std::string& dir ) { mkfifo( ( dir + "/log.txt" ).c_str(), 0600 ); }, "",
      "Cannot write the log file log.txt: it is not a regular file; the program runs on without its log.\n", true },
    { "FolderLog", []( const std::string& dir ) { std::filesystem::create_directory( dir + "/log.txt" ); }, "",
      "Cannot write the log file log.txt: it is not a regular file; the program runs on without its log.\n", true },
    { "SpriteForALevel", []( const std::string& ) {}, "Game::LoadLevel( \"data/gfx/icon_player.xml\" )",
      "The file data/gfx/icon_player.xml holds a <Sprite>, not a <Level>: not loaded" },
    { "EndlessPortals",
      []( const std::string& dir ) {
          std::string script;
          for( int i = 0; i < 1100; ++i )
              script += "AddPortal( 1, 1, \"\", \"l\" );";
          test::WriteFile( dir + "/level.xml", "<Level><StartUpExecute>" + script + "</StartUpExecute></Level>\n" );
      },
      "Game::LoadLevel( \"level.xml\" )", "A level holds at most 1024 area events and portals; no more added" },
    { "HugeWindow", []( const std::string& ) {},
      "Window::Resize( 30000, 30000 )\nWindow::Resize( 100000, 100000 )\nWindow::Resize( 1e308 )",
      "Invalid width or height: 100000x100000 (each 0 to 8192), the window stays 800x600" },
};

void PrintTo( const CHostileCase& hostile, std::ostream* out )
{
    *out << hostile.name;
}

class HostileEnvironment : public ::testing::TestWithParam<CHostileCase>
{
};

} // namespace

TEST_P( HostileEnvironment, TheGameRefusesItAloudAndRunsOn )
{
    const CHostileCase& hostile = GetParam();
    const std::string dir = test::ShippedGame( hostile.name, hostile.lines + "\nrunlater( 1000, \"quit\" )\n" );
    hostile.prepare( dir );
    const test::CRunResult run = test::RunProgram( dir, 20 );
    EXPECT_EQ( run.exitCode, 0 ) << "no signal, no hang";
    EXPECT_LT( run.seconds, 10.0 );
    EXPECT_LT( run.peakKilobytes, 200 * 1024 );
    if( hostile.onStandardError )
        EXPECT_EQ( run.errors, hostile.said );
    else
        EXPECT_TRUE( test::Contains( test::ReadFile( dir + "/log.txt" ), hostile.said ) ) << hostile.said;
}

INSTANTIATE_TEST_SUITE_P( Cases, HostileEnvironment, ::testing::ValuesIn( CASES ),
                          []( const ::testing::TestParamInfo<CHostileCase>& info ) { return info.param.name; } );

TEST( HostileData, TarnCheckReportsWhatItCannotReadAndFails )
{
    const std::string dir = test::MakeTempDir( "check" );
    std::filesystem::create_symlink( "b", dir + "/a" );
    std::filesystem::create_symlink( "a", dir + "/b" );
    mkfifo( ( dir + "/fifo.xml" ).c_str(), 0600 );
    std::filesystem::create_directory( dir + "/folder.xml" );
    test::WriteFile( dir + "/numbers.xml", "<Level><PlayerPosition x=\"1e308\" y=\"nan\"/></Level>\n" );
    const test::CRunResult run =
        test::RunProgram( dir, 20, "", "", TARN_CHECK_BINARY, "a fifo.xml folder.xml numbers.xml" );
    EXPECT_EQ( run.exitCode, 1 );
    const std::string out = test::ReadFile( dir + "/stdout.txt" );
    for( const char* line : { "error: a: : the level file cannot be read: Too many levels of symbolic links",
                              "error: fifo.xml: : the level file is not a regular file",
                              "error: folder.xml: : the folder holds no level files (*.xml)",
                              "error: numbers.xml: PlayerPosition/x: \"1e308\" is not a whole number in the int range",
                              "error: numbers.xml: PlayerPosition/y: \"nan\" is not a whole number in the int range" } )
        EXPECT_TRUE( test::Contains( out, line ) ) << line << "\n" << out;
}
