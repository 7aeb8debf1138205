// tarn-bench: plays a record file through the real game, headless, and
// reports per scene what the frames cost: frames, the graphics task's work
// time (median and 99th percentile), pixels drawn and presented per frame,
// processor seconds per wall-clock second, and what SDL alone would take to
// blit the drawn pixels; then the latency of mouse input and the memory
// figures.
//
//   tarn-bench [--record FILE] [--scenes FILE] [--full-redraw] [--as-written]
//              [--scale N] [--exec "CONSOLE LINE"]...
//
// Run from the game's folder (where autoexec.txt and data/ are), with
// SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy. The game starts with its own
// autoexec.txt; --as-written then sets the engine's defaults back (the main
// loop never rests, every frame is presented whole), --full-redraw draws
// every sprite again each frame; --scale sets the window scale (0 to 4, 1
// when not given: the picture is the display); --exec runs a console line after the
// start-up script (a setting to try, say). Under callgrind the figures of every scene
// are dumped when the scene ends (see docs/performance.md).
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <algorithm>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#if __has_include( <valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define TARN_BENCH_DUMP( text ) CALLGRIND_DUMP_STATS_AT( text )
#else
#define TARN_BENCH_DUMP( text ) ( (void)( text ) )
#endif

#include "scenemeter.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/inputdevice/inputlisteners.h"
#include "tarn/tasks/capplication.h"
#include "tarn/tasks/cgfxtasksdl.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/enginetime.h"

namespace {

struct Options
{
    std::string record = "tools/bench/bench.txt";
    std::string scenes = "tools/bench/scenes.txt";
    bool fullRedraw = false;
    bool asWritten = false;
    std::string scale;
    std::vector<std::string> lines;
};

bool ParseOptions( int argc, char** argv, Options& options )
{
    for( int i = 1; i < argc; ++i )
    {
        const std::string arg = argv[ i ];
        if( arg == "--full-redraw" )
            options.fullRedraw = true;
        else if( arg == "--as-written" )
            options.asWritten = true;
        else if( arg == "--record" && i + 1 < argc )
            options.record = argv[ ++i ];
        else if( arg == "--scenes" && i + 1 < argc )
            options.scenes = argv[ ++i ];
        else if( arg == "--scale" && i + 1 < argc )
            options.scale = argv[ ++i ];
        else if( arg == "--exec" && i + 1 < argc )
            options.lines.push_back( argv[ ++i ] );
        else
            return false;
    }
    return true;
}

// Notes the resident size whenever the game logs a level load.
class CLevelLoadWatcher final : public tarn::CLogListener
{
public:
    void OnMessage( const std::string& text, int level ) override
    {
        (void)level;
        const std::string mark = "Level loaded: ";
        const std::size_t at = text.find( mark );
        if( at == std::string::npos )
            return;
        const std::string file = text.substr( at + mark.size(), text.find_last_not_of( "\r\n" ) + 1 - at - mark.size() );
        myLoads[ file ].push_back( bench::ResidentBytes() );
        myLoadTimes.push_back( tarn::EngineTime() );
    }

    // For the level loaded most often: its name and the size at each load.
    void Print( std::ostream& out ) const
    {
        const auto most = std::max_element( myLoads.begin(), myLoads.end(), []( const auto& a, const auto& b ) {
            return a.second.size() < b.second.size();
        } );
        if( most == myLoads.end() )
            return;
        out << "levels loaded at (engine s):";
        for( tarn::types::ticks time : myLoadTimes )
            out << " " << time / 1000.0;
        out << "\n";
        const std::vector<long long>& sizes = most->second;
        out << "level loaded most: " << most->first << ", " << sizes.size() << " times; resident MB at each load:";
        for( long long size : sizes )
            out << " " << Megabytes( size );
        out << "\n";
        // Load k + 1 is the k-th reload.
        if( sizes.size() >= 3 )
        {
            const double growth = ( sizes.back() - sizes[ 2 ] ) / 1048576.0;
            out << "resident size at its 2nd reload " << Megabytes( sizes[ 2 ] ) << " MB, at its "
                << sizes.size() - 1 << "th " << Megabytes( sizes.back() ) << " MB: growth " << std::fixed
                << std::setprecision( 2 ) << growth << " MB\n";
            out.unsetf( std::ios::floatfield );
        }
    }

    static std::string Megabytes( long long bytes )
    {
        std::ostringstream text;
        text << std::fixed << std::setprecision( 2 ) << bytes / 1048576.0;
        return text.str();
    }

private:
    std::map<std::string, std::vector<long long>> myLoads;
    std::vector<tarn::types::ticks> myLoadTimes;
};

// Seconds SDL alone takes to blit one pixel into a 32-bit display surface
// like the game's, from a picture of the display's format (alpha false) or
// from one with an alpha channel: the best of a few whole-screen blits.
double BlitCostPerPixel( bool alpha )
{
    constexpr int WIDTH = 800;
    constexpr int HEIGHT = 600;
    constexpr int ROUNDS = 8;
    SDL_Surface* display = SDL_CreateRGBSurface( SDL_SWSURFACE, WIDTH, HEIGHT, 32, 0xff0000, 0xff00, 0xff, 0 );
    SDL_Surface* picture = SDL_CreateRGBSurface( SDL_SWSURFACE, WIDTH, HEIGHT, 32, 0xff0000, 0xff00, 0xff,
                                                 alpha ? 0xff000000 : 0 );
    double best = 0;
    if( display && picture )
    {
        // Half-transparent pixels, so that every one is blended.
        SDL_FillRect( picture, nullptr, alpha ? 0x80a06040 : 0xa06040 );
        SDL_SetAlpha( picture, alpha ? SDL_SRCALPHA : 0, SDL_ALPHA_OPAQUE );
        for( int round = 0; round < ROUNDS; ++round )
        {
            const double start = bench::WallSeconds();
            SDL_BlitSurface( picture, nullptr, display, nullptr );
            const double seconds = bench::WallSeconds() - start;
            best = round == 0 ? seconds : std::min( best, seconds );
        }
    }
    SDL_FreeSurface( picture );
    SDL_FreeSurface( display );
    return best / ( WIDTH * HEIGHT );
}

// Times every mouse event from its arrival to the end of the next frame,
// which shows it: the game moves what the pointer drags as it is told.
// Under playback an event arrives when real time reaches its recorded time;
// the engine clock, held there, says how long it waited to be delivered.
class CInputLatencyMeter final : public tarn::CMouseListener
{
public:
    explicit CInputLatencyMeter( std::shared_ptr<tarn::CTimeSource> realClock ) :
        myRealClock( std::move( realClock ) )
    {
    }

    void OnMouseMove( int, int ) override { Arrived(); }
    void OnMouseMoveRelative( int, int ) override {}
    void OnButtonDown( int ) override { Arrived(); }
    void OnButtonUp( int ) override { Arrived(); }

    // A frame ended: it shows every event that arrived before it.
    void OnFrame( bench::CSceneMeter& meter )
    {
        const double now = bench::WallSeconds();
        for( const auto& [ time, arrival ] : myWaiting )
            meter.AddInputLatency( time, now - arrival );
        myWaiting.clear();
    }

private:
    void Arrived()
    {
        const tarn::types::ticks time = tarn::EngineTime();
        const tarn::types::ticks real = myRealClock->GetTicks();
        const double waited = real > time ? ( real - time ) / 1000.0 : 0.0;
        myWaiting.emplace_back( time, bench::WallSeconds() - waited );
    }

    std::shared_ptr<tarn::CTimeSource> myRealClock;
    std::vector<std::pair<tarn::types::ticks, double>> myWaiting;
};

// The start-up script of the run: the game's own, then the bench's settings
// and the recording. Returns its file name ("" when it cannot be written).
std::string WriteStartupScript( const Options& options )
{
    char name[] = "/tmp/tarn-bench-XXXXXX";
    const int fd = mkstemp( name );
    if( fd < 0 )
        return "";
    close( fd );
    std::ofstream script( name );
    script << "load( \"autoexec.txt\" )\n";
    if( options.asWritten )
        script << "tasks_pass_sleep_ms = 0\ntasks_sleep_until_due = 0\ngfx_flip_update_rects = 0\n";
    if( options.fullRedraw )
        script << "gfx_redraw_every_frame = 1\n";
    if( !options.scale.empty() )
        script << "window_scale = " << options.scale << "\n";
    for( const std::string& line : options.lines )
        script << line << "\n";
    script << "Debug::PlaybackInput( \"" << std::filesystem::absolute( options.record ).string() << "\" )\n";
    return script ? std::string( name ) : std::string();
}

} // namespace

int main( int argc, char** argv )
{
    Options options;
    if( !ParseOptions( argc, argv, options ) )
    {
        std::cerr << "usage: tarn-bench [--record FILE] [--scenes FILE] [--full-redraw] [--as-written] "
                     "[--scale N] [--exec \"CONSOLE LINE\"]...\n";
        return 2;
    }
    std::string errors;
    const std::vector<bench::Scene> scenes = bench::ReadScenes( options.scenes, errors );
    if( !std::ifstream( options.record ) )
        errors += "cannot read the record file " + options.record + "\n";
    if( !std::ifstream( "autoexec.txt" ) )
        errors += "no autoexec.txt here: run tarn-bench from the game's folder\n";
    const std::string script = errors.empty() ? WriteStartupScript( options ) : "";
    if( !errors.empty() || script.empty() )
    {
        std::cerr << "tarn-bench: " << ( errors.empty() ? "cannot write a start-up script in /tmp\n" : errors );
        return 2;
    }

    bench::CSceneMeter meter( scenes );
    meter.SetBlitCost( BlitCostPerPixel( false ), BlitCostPerPixel( true ) );
    // The clock a playback follows: the engine clock as the program starts.
    CInputLatencyMeter latency( tarn::GetTimeSource() );
    int current = -1;
    tarn::CGfxTaskSDL::SetFrameReportListener( [ & ]( const tarn::FrameReport& frame ) {
        const int scene = meter.Add( frame );
        latency.OnFrame( meter );
        if( scene != current || meter.IsFinished() )
        {
            // Named after the scene the frames since the last dump belong
            // to (all but this frame, which ends the scene).
            const std::string dump = ( current < 0 ? std::string( "between" ) : scenes[ current ].name ) + " " +
                                     std::to_string( meter.TakeFramesSinceChange() );
            TARN_BENCH_DUMP( dump.c_str() );
            current = scene;
        }
        if( meter.IsFinished() )
            tarn::CTaskManager::GetSingletonPtr()->RequestQuit();
    } );

    CLevelLoadWatcher levels;
    const double wallStart = bench::WallSeconds();
    const double cpuStart = bench::ProcessCpuSeconds();
    {
        tarn::CApplication application( script );
        tarn::GetLog().AddListener( &levels );
        tarn::CInputDispatcher::GetSingletonPtr()->AddMouseListener( &latency );
        application.Run();
        tarn::CInputDispatcher::GetSingletonPtr()->RemoveMouseListener( &latency );
        tarn::GetLog().RemoveListener( &levels );
    }
    tarn::CGfxTaskSDL::SetFrameReportListener( nullptr );
    std::remove( script.c_str() );

    std::cout << "record " << options.record << ( options.asWritten ? ", engine defaults" : ", shipped settings" )
              << ( options.fullRedraw ? ", full redraw every frame" : "" )
              << ( options.scale.empty() ? "" : ", window scale " + options.scale ) << "\n";
    meter.Print( std::cout );
    std::cout << std::fixed << std::setprecision( 3 ) << "whole run: "
              << ( bench::ProcessCpuSeconds() - cpuStart ) / ( bench::WallSeconds() - wallStart )
              << " cpu s per wall s over " << std::setprecision( 1 ) << bench::WallSeconds() - wallStart << " s\n";
    std::cout << "peak resident size " << CLevelLoadWatcher::Megabytes( bench::PeakResidentBytes() ) << " MB\n";
    levels.Print( std::cout );
    if( !meter.IsFinished() )
    {
        std::cout << "the game ended before the last scene did\n";
        return 1;
    }
    return 0;
}
