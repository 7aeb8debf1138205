// An author edits a level while the real game plays it with
// game_watch_files = 1, in a copy of the shipped data: each edit reloads the
// level within two seconds, and an edit that breaks a file leaves the level
// running, with one line that names the file and why.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "e2e/programrun.h"

using namespace tarn;
using test::CountLines;
using test::CRunResult;

namespace {

// Seconds until the log holds count lines with part; -1 after limit seconds.
double SecondsUntil( const std::string& log, const std::string& part, std::size_t count, double limit )
{
    const auto start = std::chrono::steady_clock::now();
    for( ;; )
    {
        const double waited = std::chrono::duration<double>( std::chrono::steady_clock::now() - start ).count();
        if( CountLines( test::SplitLines( test::ReadFile( log ) ), part ) >= count )
            return waited;
        if( waited > limit )
            return -1;
        std::this_thread::sleep_for( std::chrono::milliseconds( 20 ) );
    }
}

} // namespace

TEST( Reload, EditsReloadTheLevelWithinTwoSecondsAndABrokenOneLeavesItRunning )
{
    const std::string data = test::MakeTempDir( "reloaddata" );
    std::filesystem::copy( TARN_SOURCE_DIR "/data", data, std::filesystem::copy_options::recursive );
    const std::string dir = test::ShippedGame( "reload", "", data );
    const std::string log = dir + "/log.txt";
    const std::string loaded = "Level loaded: data/levels/level_02.xml";
    CRunResult run;
    std::thread game( [ & ] {
        run = test::RunProgram( dir, 20, "", "", TARN_HORROR_BINARY,
                                "--level data/levels/level_02.xml '+game_watch_files = 1' "
                                "'+runlater( 6000, \"quit\" )'" );
    } );
    if( SecondsUntil( log, loaded, 1, 10 ) < 0 )
    {
        game.join();
        FAIL() << "the level never loaded:\n" << test::ReadFile( log );
    }

    // A new word in the opening dialogue, which the level's start-up script loads.
    const std::string dialogue = data + "/dialogs/l2_intro.xml";
    std::string text = test::ReadFile( dialogue );
    text.replace( text.find( "The kitchen." ), 12, "The scullery." );
    test::WriteFile( dialogue, text );
    const double reloaded = SecondsUntil( log, loaded, 2, 5 );
    EXPECT_GE( reloaded, 0 );
    EXPECT_LT( reloaded, 2.0 );

    // The level file cut short, as by an editor that has saved half of it.
    const std::string level = data + "/levels/level_02.xml";
    const std::string whole = test::ReadFile( level );
    test::WriteFile( level, whole.substr( 0, whole.find( "</StartUpExecute>" ) ) );
    const std::string refused = "The level data/levels/level_02.xml was not reloaded: data/levels/level_02.xml: "
                                "ends before the element <StartUpExecute> is closed";
    const double noticed = SecondsUntil( log, refused, 1, 5 );
    EXPECT_GE( noticed, 0 );
    EXPECT_LT( noticed, 2.0 );

    game.join();
    EXPECT_EQ( run.exitCode, 0 ) << run.errors;
    EXPECT_LT( run.seconds, 9.0 );
    const test::Strings lines = test::SplitLines( test::ReadFile( log ) );
    EXPECT_EQ( CountLines( lines, "data/dialogs/l2_intro.xml changed: reloading the level data/levels/level_02.xml" ),
               1u );
    EXPECT_EQ( CountLines( lines, refused ), 1u ) << "not tried again until the file changes";
    EXPECT_EQ( CountLines( lines, "Level loaded:" ), 2u ) << "the running level stayed";
}
