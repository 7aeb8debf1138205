// The real horror program, started in a scratch working directory with a
// start-up script of our own, as a game author would run it.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/testsupport.h"

using namespace tarn;
using Strings = std::vector<std::string>;

namespace {

struct CRunResult
{
    int exitCode = -1;
    double seconds = 0;
};

// Runs the program in dir, killing it after timeoutSeconds.
CRunResult RunProgram( const std::string& dir, int timeoutSeconds = 30 )
{
    const std::string command = "cd '" + dir + "' && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout " +
                                std::to_string( timeoutSeconds ) + " '" TARN_HORROR_BINARY "' > stdout.txt 2>&1";
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system( command.c_str() );
    CRunResult result;
    result.seconds = std::chrono::duration<double>( std::chrono::steady_clock::now() - start ).count();
    result.exitCode = WIFEXITED( status ) ? WEXITSTATUS( status ) : -1;
    return result;
}

} // namespace

TEST( Program, WithoutAStartupScriptEndsAtOnce )
{
    const std::string dir = test::MakeTempDir( "empty" );
    const CRunResult run = RunProgram( dir );
    EXPECT_EQ( run.exitCode, 0 );
    EXPECT_LT( run.seconds, 5.0 );
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

    const CRunResult run = RunProgram( dir );
    EXPECT_EQ( run.exitCode, 0 );

    const Strings log = test::SplitLines( test::ReadFile( dir + "/log.txt" ) );
    test::ExpectLogHeader( log );
    ASSERT_GE( log.size(), 5u );
    EXPECT_EQ( Strings( log.begin() + 5, log.end() ),
               ( Strings{ "( ) [ERROR] Trying to start a task nosuchtype that doesn't exist.",
                          "( ) [ERROR] Trying to resume a task nobody that doesn't exist.",
                          "( ) [ERROR] Trying to start a task nosuchtype that doesn't exist.",
                          "( ) [ERROR] Trying to pause a task ghost that doesn't exist.",
                          "( ) CTaskFactory::StopTask() called",
                          "( ) [ERROR] Trying to stop a task ghost that doesn't exist.",
                          "( ) [ERROR] Trying to start a task after that doesn't exist." } ) );
}
