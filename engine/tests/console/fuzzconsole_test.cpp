// The console fuzz target's inputs, replayed: what once broke it must run,
// and fuzz input must not reach files, tasks or the end of the program.
#include <gtest/gtest.h>

#include "console/fuzzconsole.h"
#include "support/fuzzreplay.h"
#include "support/testsupport.h"

using namespace tarn;

TEST( ConsoleFuzzInputs, ReplayCleanly )
{
    test::ResetEngine();
    test::CLogCapture log;
    EXPECT_GT( test::ReplayFuzzInputs( "console", "console", &test::FuzzConsoleInput ), 0 );
    test::ResetEngine();
}

TEST( ConsoleFuzzInputs, FileTaskAndQuitCommandsAreStandIns )
{
    test::ResetEngine();
    test::CLogCapture log;
    const std::string path = test::MakeTempDir( "script" ) + "/script.txt";
    test::WriteFile( path, "loaded = 1\n" );
    test::FuzzConsoleInput( "load( \"" + path + "\" )\nquit\nstarttask( probe )\ntaskload( sdl )\n"
                            "x = load( \"" + path + "\" )\nx\n" );
    EXPECT_FALSE( log.Contains( "loaded = 1" ) );
    EXPECT_TRUE( log.Contains( "load(" + path + ")" ) );
    EXPECT_TRUE( log.Contains( "quit()" ) );
    EXPECT_FALSE( log.Contains( "bye bye" ) );
    EXPECT_TRUE( log.Contains( "starttask(probe)" ) );
    test::ResetEngine();
}
