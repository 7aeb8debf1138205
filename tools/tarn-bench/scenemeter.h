#ifndef TARN_BENCH_SCENEMETER_H
#define TARN_BENCH_SCENEMETER_H

#include <iosfwd>
#include <string>
#include <vector>

#include "tarn/tasks/framereport.h"

namespace bench {

// A stretch of the recording, in engine milliseconds [start, end).
struct Scene
{
    std::string name;
    tarn::types::ticks start = 0;
    tarn::types::ticks end = 0;
};

// Reads a scene file: one "name start_ms end_ms" a line, "#" starts a
// comment. Problems go to errors, one line each, naming the file and line.
std::vector<Scene> ReadScenes( const std::string& filename, std::string& errors );

// Collects the frames of every scene and what the process spent meanwhile,
// and prints the table.
class CSceneMeter
{
public:
    explicit CSceneMeter( std::vector<Scene> scenes );

    // Takes one frame; returns the scene index the frame belongs to, -1
    // when it falls between scenes.
    int Add( const tarn::FrameReport& frame );
    // What SDL alone takes to blit one pixel of the display's format, from
    // an opaque picture and from one with an alpha channel (seconds).
    void SetBlitCost( double opaque, double alpha );
    // An input event that arrived at engine time `time` was shown by a frame
    // `seconds` later.
    void AddInputLatency( tarn::types::ticks time, double seconds );
    // True once a frame came after the last scene's end.
    bool IsFinished() const { return myFinished; }
    // Frames taken since the scene (or gap) before changed; set back by
    // TakeFramesSinceChange.
    int TakeFramesSinceChange();

    void Print( std::ostream& out ) const;

private:
    struct Measures
    {
        std::vector<double> workSeconds;
        long long pixelsDrawn = 0;
        long long pixelsPresented = 0;
        long long displayPixels = 0;
        double cpuAtStart = 0;
        double mainCpuAtStart = 0;
        double mainCpuSeconds = 0;
        double wallAtStart = 0;
        double cpuSeconds = 0;
        double wallSeconds = 0;
        std::vector<double> inputLatency;
    };

    void PrintInputLatency( std::ostream& out ) const;

    int SceneAt( tarn::types::ticks time ) const;
    void Enter( int scene );
    void Leave( int scene );

    std::vector<Scene> myScenes;
    std::vector<Measures> myMeasures;
    int myCurrent = -1;
    int myFramesSinceChange = 0;
    bool myFinished = false;
    double myOpaqueBlitCost = 0;
    double myAlphaBlitCost = 0;
};

// Seconds of processor time (user and system) the process used so far, and
// the calling thread (the main loop's, when called from a frame report).
double ProcessCpuSeconds();
double ThreadCpuSeconds();
// Seconds of a monotonic wall clock.
double WallSeconds();
// The resident size of the process now, and its peak, in bytes.
long long ResidentBytes();
long long PeakResidentBytes();

} // namespace bench

#endif
