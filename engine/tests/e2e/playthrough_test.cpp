// The whole game played by a recording: the real horror program, headless,
// with the shipped data and start-up script, plays back
// engine/tests/data/records/playthrough.txt (written by
// tools/make-playthrough.py). The recording ends the title, answers the
// questions yes, crosses every level through its portal and clicks through
// the ending, after which the program quits by itself.
//
// The levels are followed through the log, and the debug task saves a
// screenshot every two seconds of the replayed clock; one of each level must
// show a picture, different from the previous level's.
//
// TARN_PLAYTHROUGH_DATA may name another data folder to play through, a
// level author's work in progress, say.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>

#include "support/testsupport.h"

using namespace tarn;
using Strings = std::vector<std::string>;

namespace {

const std::string RECORD = std::string( TARN_SOURCE_DIR ) + "/engine/tests/data/records/playthrough.txt";
const std::string LEVEL_LINE = "Level loaded: ";
const std::string ERROR_MARK = "<!>";
// Logged for every recorded pointer move the playback delivers.
const std::string MOTION_LINE = "HelperPlayback doesn't work properly with delta";

// About 85 s on an idle machine, and as long with both cores busy: 75 s of
// recording and the ten seconds the ending stays on screen.
constexpr double TIME_LIMIT_SECONDS = 180;
// The recording ends a little after the ending starts; a program still
// running this long after its last pointer move has not reached the end.
constexpr double AFTER_RECORDING_SECONDS = 20;
constexpr std::size_t LOG_TAIL_LINES = 25;

const Strings LEVELS = { "data/levels/level_01.xml", "data/levels/level_02.xml", "data/levels/level_03.xml",
                         "data/levels/level_04.xml", "data/levels/level_05.xml" };

bool Contains( const std::string& line, const std::string& text )
{
    return line.find( text ) != std::string::npos;
}

std::string DataDir()
{
    const char* other = std::getenv( "TARN_PLAYTHROUGH_DATA" );
    return other && *other ? std::filesystem::absolute( other ).string() : std::string( TARN_SOURCE_DIR ) + "/data";
}

// A scratch working directory with the game's data and a start-up script
// that runs the shipped one and then plays the recording back.
std::string MakeGameDir()
{
    const std::string dir = test::MakeTempDir( "game" );
    std::filesystem::create_directory_symlink( DataDir(), dir + "/data" );
    test::WriteFile( dir + "/autoexec.txt", "load( \"" TARN_SOURCE_DIR "/autoexec.txt\" )\n"
                                            "Debug::PlaybackInput( \"" + RECORD + "\" )\n"
                                            "Debug::ScreenshotEvery( 2000, \"shot\" )\n" );
    return dir;
}

// The levels loaded so far, in order; a level caught in loads again.
Strings LoadedLevels( const Strings& log )
{
    Strings levels;
    for( const std::string& line : log )
    {
        const std::size_t at = line.find( LEVEL_LINE );
        if( at != std::string::npos )
            levels.push_back( line.substr( at + LEVEL_LINE.size() ) );
    }
    return levels;
}

bool CaughtOrBroken( const Strings& log )
{
    const Strings levels = LoadedLevels( log );
    if( levels.size() > LEVELS.size() || !std::equal( levels.begin(), levels.end(), LEVELS.begin() ) )
        return true;
    return std::any_of( log.begin(), log.end(), [ & ]( const std::string& line ) {
        return Contains( line, "Could not read the level file" );
    } );
}

// For every level loaded, a screenshot saved a little into the level (the
// second after its load, so that fades are over; the first when there is
// only one), as a file name; "" when none was.
Strings ScreenshotOfEachLevel( const Strings& log )
{
    const std::string saved = "Screenshot saved: ";
    Strings shots;
    int seen = 0;
    for( const std::string& line : log )
    {
        if( Contains( line, LEVEL_LINE ) )
        {
            shots.push_back( "" );
            seen = 0;
        }
        const std::size_t at = line.find( saved );
        if( at != std::string::npos && !shots.empty() && seen++ < 2 )
            shots.back() = line.substr( at + saved.size() );
    }
    return shots;
}

// How a screenshot looks: "" when it is a picture that is not blank, else
// what is wrong; pixels holds its pixels for comparing.
std::string ExamineScreenshot( const std::string& file, std::vector<Uint32>& pixels )
{
    SDL_Surface* loaded = IMG_Load( file.c_str() );
    if( !loaded )
        return "cannot load " + file;
    SDL_Surface* image = SDL_CreateRGBSurface( SDL_SWSURFACE, loaded->w, loaded->h, 32, 0xff0000, 0xff00, 0xff, 0 );
    SDL_BlitSurface( loaded, nullptr, image, nullptr );
    SDL_FreeSurface( loaded );
    pixels.assign( static_cast<Uint32*>( image->pixels ), static_cast<Uint32*>( image->pixels ) + image->w * image->h );
    SDL_FreeSurface( image );
    const std::size_t unlike = std::count_if( pixels.begin(), pixels.end(), [ & ]( Uint32 p ) { return p != pixels[ 0 ]; } );
    return unlike * 10 < pixels.size() ? file + " is blank" : "";
}

std::size_t CountMotions( const Strings& log )
{
    return std::count_if( log.begin(), log.end(), []( const std::string& line ) { return Contains( line, MOTION_LINE ); } );
}

// The recording's time of every pointer move, in order.
std::vector<long> MotionTimes()
{
    std::vector<long> times;
    std::istringstream record( test::ReadFile( RECORD ) );
    std::string line;
    std::getline( record, line ); // the random start value
    while( std::getline( record, line ) )
    {
        std::istringstream words( line );
        long ticks = 0;
        std::string type;
        if( words >> ticks >> type && type == "mm" )
            times.push_back( ticks );
    }
    return times;
}

struct CRun
{
    std::string dir;
    bool endedByItself = false;
    int exitCode = -1;
    double seconds = 0;
    Strings log;
};

// Runs the program in dir until it ends by itself, is caught, meets a broken
// level, outlives the recording or runs out of time; then it is asked to
// quit as Ctrl+C would, and killed when it does not listen.
CRun Play( const std::string& dir, std::size_t motionCount )
{
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    CRun run;
    const pid_t pid = test::StartProgram( dir );
    if( pid < 0 )
        return run;

    const auto seconds = []( double count ) {
        return std::chrono::duration_cast<Clock::duration>( std::chrono::duration<double>( count ) );
    };
    Clock::time_point deadline = start + seconds( TIME_LIMIT_SECONDS );
    bool recordingDone = false;
    int status = 0;
    while( true )
    {
        if( waitpid( pid, &status, WNOHANG ) == pid )
        {
            run.endedByItself = true;
            break;
        }
        const Strings log = test::SplitLines( test::ReadFile( dir + "/log.txt" ) );
        if( !recordingDone && CountMotions( log ) >= motionCount )
        {
            recordingDone = true;
            deadline = std::min( deadline, Clock::now() + seconds( AFTER_RECORDING_SECONDS ) );
        }
        if( Clock::now() > deadline || CaughtOrBroken( log ) )
        {
            kill( pid, SIGTERM );
            const auto grace = Clock::now() + std::chrono::seconds( 10 );
            bool ended = false;
            while( !( ended = waitpid( pid, &status, WNOHANG ) == pid ) && Clock::now() < grace )
                std::this_thread::sleep_for( std::chrono::milliseconds( 50 ) );
            if( !ended )
            {
                kill( pid, SIGKILL );
                waitpid( pid, &status, 0 );
            }
            break;
        }
        std::this_thread::sleep_for( std::chrono::milliseconds( 200 ) );
    }
    run.seconds = std::chrono::duration<double>( Clock::now() - start ).count();
    run.exitCode = WIFEXITED( status ) ? WEXITSTATUS( status ) : -1;
    run.log = test::SplitLines( test::ReadFile( dir + "/log.txt" ) );
    return run;
}

// Where the run got to, for a failure message: the last level loaded, how
// far the recording was played, and the end of the log without the lines
// of the pointer moves.
std::string Report( const CRun& run, const std::vector<long>& motionTimes )
{
    std::ostringstream text;
    const Strings levels = LoadedLevels( run.log );
    text << "reached: " << ( levels.empty() ? "no level" : levels.back() );
    if( levels.size() > 1 )
    {
        text << " (levels loaded:";
        for( const std::string& level : levels )
            text << " " << std::filesystem::path( level ).stem().string();
        text << ")";
    }
    const std::size_t motions = CountMotions( run.log );
    text << "\nthe playback delivered " << motions << " of " << motionTimes.size() << " pointer moves";
    if( motions > 0 && motions <= motionTimes.size() )
        text << ", up to " << motionTimes[ motions - 1 ] / 1000.0 << " s of the recording";
    text << "; the program ran " << std::fixed << std::setprecision( 1 ) << run.seconds << " s and "
         << ( run.endedByItself ? "ended by itself with code " + std::to_string( run.exitCode ) : "was stopped" );

    Strings tail;
    for( auto line = run.log.rbegin(); line != run.log.rend() && tail.size() < LOG_TAIL_LINES; ++line )
    {
        if( !Contains( *line, MOTION_LINE ) )
            tail.insert( tail.begin(), *line );
    }
    text << "\nthe end of log.txt:\n";
    for( const std::string& line : tail )
        text << "  " << line << "\n";
    return text.str();
}

} // namespace

TEST( Playthrough, TheRecordingPlaysTheWholeGameAndTheProgramEndsByItself )
{
    const std::vector<long> motionTimes = MotionTimes();
    ASSERT_FALSE( motionTimes.empty() ) << "cannot read " << RECORD;

    const std::string dir = MakeGameDir();
    CRun run = Play( dir, motionTimes.size() );
    run.dir = dir;

    EXPECT_EQ( LoadedLevels( run.log ), LEVELS )
        << "every level once, in order: a level that loads again caught the player, one missing was not finished";
    EXPECT_TRUE( run.endedByItself ) << "the ending quits the program: time limit " << TIME_LIMIT_SECONDS << " s, or "
                                     << AFTER_RECORDING_SECONDS << " s after the recording";
    EXPECT_EQ( run.exitCode, 0 );
    EXPECT_EQ( CountMotions( run.log ), motionTimes.size() ) << "the whole recording was played";

    Strings errors;
    for( const std::string& line : run.log )
    {
        if( Contains( line, ERROR_MARK ) && !Contains( line, MOTION_LINE ) )
            errors.push_back( line );
    }
    EXPECT_EQ( errors, Strings{} );

    // A picture in every level, each unlike the one before.
    const Strings shots = ScreenshotOfEachLevel( run.log );
    std::vector<Uint32> previous;
    for( std::size_t i = 0; i < shots.size(); ++i )
    {
        if( shots[ i ].empty() )
        {
            ADD_FAILURE() << "no screenshot in " << LEVELS[ std::min( i, LEVELS.size() - 1 ) ];
            continue;
        }
        std::vector<Uint32> pixels;
        EXPECT_EQ( ExamineScreenshot( run.dir + "/" + shots[ i ], pixels ), "" );
        EXPECT_NE( pixels, previous ) << shots[ i ] << " shows the same as the level before";
        previous = pixels;
    }

    if( HasFailure() )
        ADD_FAILURE() << Report( run, motionTimes );
}
