#include "scenemeter.h"

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <iomanip>
#include <numeric>
#include <ostream>
#include <sstream>
#include <utility>

#include "tarn/tasks/cgfxtasksdl.h"

namespace bench {

namespace {


double Percentile( std::vector<double> values, double fraction )
{
    if( values.empty() )
        return 0;
    std::sort( values.begin(), values.end() );
    // Nearest rank: the smallest value with at least fraction of all values
    // at or below it.
    const std::size_t rank = static_cast<std::size_t>( std::ceil( fraction * values.size() ) );
    return values[ std::max<std::size_t>( rank, 1 ) - 1 ];
}

double Ratio( double part, double whole )
{
    return whole > 0 ? part / whole : 0.0;
}

} // namespace

std::vector<Scene> ReadScenes( const std::string& filename, std::string& errors )
{
    std::vector<Scene> scenes;
    std::ifstream in( filename );
    if( !in )
    {
        errors += "cannot read the scene file " + filename + "\n";
        return scenes;
    }
    std::string line;
    for( int number = 1; std::getline( in, line ); ++number )
    {
        line = line.substr( 0, line.find( '#' ) );
        std::istringstream fields( line );
        Scene scene;
        if( !( fields >> scene.name ) )
            continue;
        std::string rest;
        if( !( fields >> scene.start >> scene.end ) || ( fields >> rest ) || scene.end <= scene.start ||
            ( !scenes.empty() && scene.start < scenes.back().end ) )
        {
            errors += filename + ":" + std::to_string( number ) +
                      ": expected \"name start_ms end_ms\" after the previous scene's end\n";
            continue;
        }
        scenes.push_back( scene );
    }
    if( scenes.empty() && errors.empty() )
        errors += filename + ": no scenes\n";
    return scenes;
}

CSceneMeter::CSceneMeter( std::vector<Scene> scenes ) : myScenes( std::move( scenes ) ), myMeasures( myScenes.size() )
{
}

int CSceneMeter::Add( const tarn::FrameReport& frame )
{
    if( !myScenes.empty() && frame.time >= myScenes.back().end )
        myFinished = true;
    const int scene = SceneAt( frame.time );
    if( scene != myCurrent )
    {
        Leave( myCurrent );
        Enter( scene );
        myCurrent = scene;
    }
    ++myFramesSinceChange;
    if( scene < 0 )
        return scene;
    Measures& measures = myMeasures[ scene ];
    measures.workSeconds.push_back( frame.workSeconds );
    measures.pixelsDrawn += frame.pixelsDrawn;
    measures.pixelsPresented += frame.pixelsPresented;
    measures.displayPixels += frame.displayPixels;
    return scene;
}

void CSceneMeter::SetBlitCost( double opaque, double alpha )
{
    myOpaqueBlitCost = opaque;
    myAlphaBlitCost = alpha;
}

void CSceneMeter::AddInputLatency( tarn::types::ticks time, double seconds )
{
    const int scene = SceneAt( time );
    if( scene >= 0 )
        myMeasures[ scene ].inputLatency.push_back( seconds );
}

int CSceneMeter::TakeFramesSinceChange()
{
    return std::exchange( myFramesSinceChange, 0 );
}

int CSceneMeter::SceneAt( tarn::types::ticks time ) const
{
    for( std::size_t i = 0; i < myScenes.size(); ++i )
    {
        if( time >= myScenes[ i ].start && time < myScenes[ i ].end )
            return static_cast<int>( i );
    }
    return -1;
}

void CSceneMeter::Enter( int scene )
{
    if( scene < 0 )
        return;
    myMeasures[ scene ].cpuAtStart = ProcessCpuSeconds();
    myMeasures[ scene ].mainCpuAtStart = ThreadCpuSeconds();
    myMeasures[ scene ].wallAtStart = WallSeconds();
}

void CSceneMeter::Leave( int scene )
{
    if( scene < 0 )
        return;
    Measures& measures = myMeasures[ scene ];
    measures.cpuSeconds += ProcessCpuSeconds() - measures.cpuAtStart;
    measures.mainCpuSeconds += ThreadCpuSeconds() - measures.mainCpuAtStart;
    measures.wallSeconds += WallSeconds() - measures.wallAtStart;
}

void CSceneMeter::Print( std::ostream& out ) const
{
    out << std::left << std::setw( 10 ) << "scene" << std::right << std::setw( 7 ) << "frames" << std::setw( 10 )
        << "median ms" << std::setw( 9 ) << "p99 ms" << std::setw( 12 ) << "drawn px" << std::setw( 13 )
        << "presented px" << std::setw( 11 ) << "presented" << std::setw( 9 ) << "cpu/wall" << std::setw( 10 ) << "main/wall" << std::setw( 10 ) << "work/wall"
        << std::setw( 9 ) << "sdl ms" << std::setw( 10 ) << "sdl+a ms" << std::setw( 9 ) << "work/sdl" << std::setw( 11 )
        << "work/sdl+a" << "\n";
    for( std::size_t i = 0; i < myScenes.size(); ++i )
    {
        const Measures& measures = myMeasures[ i ];
        const double frames = static_cast<double>( measures.workSeconds.size() );
        const double perFrame = frames > 0 ? 1.0 / frames : 0.0;
        const double presented = measures.pixelsPresented * perFrame;
        out << std::left << std::setw( 10 ) << myScenes[ i ].name << std::right << std::setw( 7 )
            << measures.workSeconds.size() << std::fixed << std::setprecision( 3 ) << std::setw( 10 )
            << Percentile( measures.workSeconds, 0.5 ) * 1000 << std::setw( 9 )
            << Percentile( measures.workSeconds, 0.99 ) * 1000 << std::setprecision( 0 ) << std::setw( 12 )
            << measures.pixelsDrawn * perFrame << std::setw( 13 ) << presented << std::setprecision( 4 )
            << std::setw( 11 ) << Ratio( static_cast<double>( measures.pixelsPresented ), measures.displayPixels )
            << std::setprecision( 3 ) << std::setw( 9 )
            << Ratio( measures.cpuSeconds, measures.wallSeconds ) << std::setw( 10 )
            << Ratio( measures.mainCpuSeconds, measures.wallSeconds ) << std::setw( 10 )
            << Ratio( std::accumulate( measures.workSeconds.begin(), measures.workSeconds.end(), 0.0 ),
                      measures.wallSeconds );
        // What SDL alone would take for the frame's drawn pixels, all opaque or all with alpha.
        const double work = std::accumulate( measures.workSeconds.begin(), measures.workSeconds.end(), 0.0 );
        const double opaque = static_cast<double>( measures.pixelsDrawn ) * myOpaqueBlitCost;
        const double alpha = static_cast<double>( measures.pixelsDrawn ) * myAlphaBlitCost;
        out << std::setw( 9 ) << opaque * perFrame * 1000 << std::setw( 10 ) << alpha * perFrame * 1000
            << std::setprecision( 2 ) << std::setw( 9 ) << Ratio( work, opaque ) << std::setw( 11 )
            << Ratio( work, alpha ) << "\n";
    }
    out.unsetf( std::ios::floatfield );
    PrintInputLatency( out );
}

void CSceneMeter::PrintInputLatency( std::ostream& out ) const
{
    // In frames of the graphics task's gate.
    const double frame = tarn::CGfxTaskSDL::FRAME_INTERVAL / 1000.0;
    bool any = false;
    for( std::size_t i = 0; i < myScenes.size(); ++i )
    {
        const std::vector<double>& latency = myMeasures[ i ].inputLatency;
        if( latency.empty() )
            continue;
        if( !any )
            out << "input latency, mouse event to the end of the next frame:\n"
                << std::left << std::setw( 10 ) << "scene" << std::right << std::setw( 7 ) << "events"
                << std::setw( 10 ) << "median ms" << std::setw( 9 ) << "max ms" << std::setw( 14 ) << "median frames"
                << std::setw( 11 ) << "max frames" << "\n";
        any = true;
        const double median = Percentile( latency, 0.5 );
        const double most = *std::max_element( latency.begin(), latency.end() );
        out << std::left << std::setw( 10 ) << myScenes[ i ].name << std::right << std::setw( 7 ) << latency.size()
            << std::fixed << std::setprecision( 3 ) << std::setw( 10 ) << median * 1000 << std::setw( 9 )
            << most * 1000 << std::setprecision( 2 ) << std::setw( 14 ) << median / frame << std::setw( 11 )
            << most / frame << "\n";
    }
    out.unsetf( std::ios::floatfield );
}

double ProcessCpuSeconds()
{
    rusage usage{};
    getrusage( RUSAGE_SELF, &usage );
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + ( usage.ru_utime.tv_usec + usage.ru_stime.tv_usec ) / 1e6;
}

double ThreadCpuSeconds()
{
    timespec now{};
    clock_gettime( CLOCK_THREAD_CPUTIME_ID, &now );
    return now.tv_sec + now.tv_nsec / 1e9;
}

double WallSeconds()
{
    return std::chrono::duration<double>( std::chrono::steady_clock::now().time_since_epoch() ).count();
}

long long ResidentBytes()
{
    std::ifstream status( "/proc/self/status" );
    std::string key;
    long long kilobytes = 0;
    while( status >> key )
    {
        if( key == "VmRSS:" && status >> kilobytes )
            return kilobytes * 1024;
        status.ignore( 4096, '\n' );
    }
    return 0;
}

long long PeakResidentBytes()
{
    rusage usage{};
    getrusage( RUSAGE_SELF, &usage );
    return static_cast<long long>( usage.ru_maxrss ) * 1024;
}

} // namespace bench
