// The real programs against a hostile environment: files of gigabytes, FIFOs
// and folders where files belong, a log that cannot be written, files of the
// wrong kind, scripts without bounds and window sizes past the limits. Each
// run must end by itself within seconds, in little memory, with a line that
// says what was refused.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

#include "e2e/programrun.h"
#include "support/testsupport.h"

using namespace tarn;

namespace {

const std::uintmax_t GIGABYTE = 1024ULL * 1024 * 1024;

void MakeHugeFile( const std::string& path )
{
    test::WriteFile( path, "" );
    std::filesystem::resize_file( path, GIGABYTE );
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
