// The game installed as a player gets it (cmake --install into a prefix of
// its own) and started by name from elsewhere: it finds its files beside its
// own folder and writes its log in the player's state folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "e2e/programrun.h"

using namespace tarn;
using test::Contains;
using test::CountLines;

TEST( Install, TheInstalledGameStartsFromAnotherFolderWithAllItsFiles )
{
    const std::string prefix = test::MakeTempDir( "prefix" );
    const std::string install = "'" TARN_CMAKE_COMMAND "' --install '" TARN_BUILD_DIR "' --prefix '" + prefix +
                                "' > '" + prefix + ".txt' 2>&1";
    ASSERT_EQ( std::system( install.c_str() ), 0 ) << test::ReadFile( prefix + ".txt" );
    for( const std::string& line : test::SplitLines( test::ReadFile( TARN_BUILD_DIR "/install_manifest.txt" ) ) )
        EXPECT_EQ( line.rfind( prefix + "/", 0 ), 0u ) << "installed outside the prefix: " << line;

    const std::string state = test::MakeTempDir( "state" );
    const std::string elsewhere = test::MakeTempDir( "elsewhere" );
    const test::CRunResult run =
        test::RunProgram( elsewhere, 20, "XDG_STATE_HOME='" + state + "'", "", prefix + "/bin/tallow", "'+quit'" );
    EXPECT_EQ( run.exitCode, 0 ) << run.errors;
    EXPECT_EQ( run.errors, "" );
    EXPECT_FALSE( std::filesystem::exists( elsewhere + "/log.txt" ) );
    EXPECT_FALSE( std::filesystem::exists( prefix + "/share/tallow/log.txt" ) );

    const std::string logFile = state + "/tallow/log.txt";
    const test::Strings log = test::SplitLines( test::ReadFile( logFile ) );
    EXPECT_EQ( CountLines( log, "Tarn version 0.23" ), 1u ) << logFile;
    for( const char* missing : { "Could not", "Couldn't", "<!>" } )
        EXPECT_EQ( CountLines( log, missing ), 0u ) << missing << " in " << logFile;
}
