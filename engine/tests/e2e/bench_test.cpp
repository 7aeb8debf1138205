// The frame benchmark, tarn-bench, on a few seconds of the title: it plays
// the recording through the real game and prints a row for every scene.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/testsupport.h"

using namespace tarn;

namespace {

// Runs tarn-bench in dir with arguments; returns what it printed, and its
// exit status in status.
std::string RunBench( const std::string& dir, const std::string& arguments, int& status )
{
    const std::string command = "cd '" + dir + "' && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy '" TARN_BENCH_BINARY
                                "' " + arguments + " 2>&1";
    FILE* pipe = popen( command.c_str(), "r" );
    std::string output;
    char buffer[ 4096 ];
    while( pipe && fgets( buffer, sizeof buffer, pipe ) )
        output += buffer;
    status = pipe ? pclose( pipe ) : -1;
    return output;
}

// A game folder with the shipped data and start-up script, and the first
// three seconds of the benchmark's recording.
std::string MakeBenchDir()
{
    const std::string dir = test::MakeTempDir( "bench" );
    std::filesystem::create_directory_symlink( TARN_SOURCE_DIR "/data", dir + "/data" );
    std::filesystem::copy_file( TARN_SOURCE_DIR "/autoexec.txt", dir + "/autoexec.txt" );
    std::istringstream record( test::ReadFile( TARN_SOURCE_DIR "/tools/bench/bench.txt" ) );
    std::ofstream shortRecord( dir + "/record.txt" );
    std::string line;
    for( int number = 0; std::getline( record, line ); ++number )
    {
        if( number > 0 && std::stoi( line ) > 3000 )
            break;
        shortRecord << line << "\n";
    }
    test::WriteFile( dir + "/scenes.txt", "# two scenes of the title\nearly 500 1500\nlate 1500 2500\n" );
    return dir;
}

} // namespace

TEST( Bench, ReportsEverySceneOfARecording )
{
    const std::string dir = MakeBenchDir();
    int status = 0;
    const std::string output = RunBench( dir, "--record record.txt --scenes scenes.txt", status );
    ASSERT_EQ( status, 0 ) << output;
    const std::vector<std::string> lines = test::SplitLines( output );
    ASSERT_GE( lines.size(), 5u ) << output;
    EXPECT_EQ( lines[ 0 ], "record record.txt, shipped settings" );
    for( const std::string name : { "early", "late" } )
    {
        const auto row = std::find_if( lines.begin(), lines.end(), [ & ]( const std::string& l ) { return l.rfind( name, 0 ) == 0; } );
        ASSERT_NE( row, lines.end() ) << output;
        std::istringstream fields( row->substr( 10 ) );
        int frames = 0;
        fields >> frames;
        // At most about 60 frames a second of engine time; a busy machine
        // (CI running beside other work) draws fewer.
        EXPECT_GT( frames, 0 ) << *row;
        EXPECT_LT( frames, 70 ) << *row;
    }
    EXPECT_NE( output.find( "peak resident size" ), std::string::npos ) << output;
}

TEST( Bench, RefusesABadSceneTable )
{
    const std::string dir = MakeBenchDir();
    test::WriteFile( dir + "/scenes.txt", "late 1500 2500\nearly 500 1500\n" );
    int status = 0;
    const std::string output = RunBench( dir, "--record record.txt --scenes scenes.txt", status );
    EXPECT_NE( status, 0 );
    EXPECT_NE( output.find( "scenes.txt:2: expected \"name start_ms end_ms\" after the previous scene's end" ),
               std::string::npos )
        << output;
}
