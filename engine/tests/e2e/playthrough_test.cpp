// The whole game played by a recording: the real horror program, headless,
// with the shipped data and start-up script, plays back
// engine/tests/data/records/playthrough.txt (from tools/make-playthrough.py),
// which ends the title, answers the questions yes, crosses every level
// through its portal and clicks through the ending; the program then quits
// by itself. The levels are followed through the log, and a screenshot every
// two seconds of the replayed clock must show a picture in each level, unlike
// the previous level's. TARN_PLAYTHROUGH_DATA may name another data folder to
// play through, a level author's work in progress, say.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>

#include "e2e/programrun.h"

using namespace tarn;
using test::Contains;
using test::Strings;

namespace {

const std::string RECORD = std::string( TARN_SOURCE_DIR ) + "/engine/tests/data/records/playthrough.txt";
const std::string LEVEL_LINE = "Level loaded: ";
const std::string ERROR_MARK = "<!>";
// Logged for every recorded pointer move the playback delivers.
const std::string MOTION_LINE = "HelperPlayback doesn't work properly with delta";

// About 85 s on an idle machine, and as long with both cores busy: 75 s of
// recording and the ten seconds the ending stays on screen.
constexpr double TIME_LIMIT_SECONDS = 180;
constexpr std::size_t LOG_TAIL_LINES = 25;

const Strings LEVELS = { "data/levels/level_01.xml", "data/levels/level_02.xml", "data/levels/level_03.xml",
                         "data/levels/level_04.xml", "data/levels/level_05.xml" };

std::string DataDir()
{
    const char* other = std::getenv( "TARN_PLAYTHROUGH_DATA" );
    return other && *other ? std::filesystem::absolute( other ).string() : std::string( TARN_SOURCE_DIR ) + "/data";
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
    const std::size_t unlike =
        std::count_if( pixels.begin(), pixels.end(), [ & ]( Uint32 p ) { return p != pixels[ 0 ]; } );
    return unlike * 10 < pixels.size() ? file + " is blank" : "";
}

} // namespace

TEST( Playthrough, TheRecordingPlaysTheWholeGameAndTheProgramEndsByItself )
{
    // Every pointer move of the recording is logged when it is played.
    const std::size_t motionCount = test::CountLines( test::SplitLines( test::ReadFile( RECORD ) ), " mm " );
    ASSERT_GT( motionCount, 0u ) << "cannot read " << RECORD;
    const std::string dir = test::ShippedGame( "game", "Debug::PlaybackInput( \"" + RECORD + "\" )\n"
                                                       "Debug::ScreenshotEvery( 2000, \"shot\" )\n", DataDir() );
    const test::CRunResult run = test::RunProgram( dir, TIME_LIMIT_SECONDS );
    const Strings log = test::SplitLines( test::ReadFile( dir + "/log.txt" ) );
    EXPECT_EQ( LoadedLevels( log ), LEVELS )
        << "every level once, in order: a level that loads again caught the player, one missing was not finished";
    EXPECT_EQ( run.exitCode, 0 ) << "the ending quits the program (124: still running after " << TIME_LIMIT_SECONDS
                                 << " s)";
    EXPECT_EQ( test::CountLines( log, MOTION_LINE ), motionCount ) << "the whole recording was played";
    Strings errors;
    std::copy_if( log.begin(), log.end(), std::back_inserter( errors ), []( const std::string& line ) {
        return Contains( line, ERROR_MARK ) && !Contains( line, MOTION_LINE );
    } );
    EXPECT_EQ( errors, Strings{} );
    // A picture in every level, each unlike the one before.
    const Strings shots = ScreenshotOfEachLevel( log );
    std::vector<Uint32> previous;
    for( std::size_t i = 0; i < shots.size(); ++i )
    {
        if( shots[ i ].empty() )
        {
            ADD_FAILURE() << "no screenshot in " << LEVELS[ std::min( i, LEVELS.size() - 1 ) ];
            continue;
        }
        std::vector<Uint32> pixels;
        EXPECT_EQ( ExamineScreenshot( dir + "/" + shots[ i ], pixels ), "" );
        EXPECT_NE( pixels, previous ) << shots[ i ] << " shows the same as the level before";
        previous = pixels;
    }
    // Where it got to: the end of the log, without the lines of the pointer moves.
    if( HasFailure() )
    {
        std::string tail;
        std::size_t lines = 0;
        for( auto line = log.rbegin(); line != log.rend() && lines < LOG_TAIL_LINES; ++line )
        {
            if( Contains( *line, MOTION_LINE ) )
                continue;
            tail = "  " + *line + "\n" + tail;
            ++lines;
        }
        ADD_FAILURE() << "the program ran " << run.seconds << " s; the end of log.txt:\n" << tail;
    }
}
