#include "harness/fuzzrecord.h"

#include <cstdlib>
#include <memory>

#include "harness/fuzzsupport.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/tasks/cplaybackmouse.h"
#include "tarn/utils/enginetime.h"

namespace tarn {
namespace test {

namespace {

// Real time as the player sees it: at the end of all recorded time at once,
// so every Step delivers the events of one recorded instant.
class CLateClock final : public CTimeSource
{
public:
    types::ticks GetTicks() override { return 0xffffffffu; }
};

} // namespace

void FuzzRecordInput( const std::string& input )
{
    const std::string file = WriteFuzzFile( input, "record", ".txt" );
    {
        CFuzzClock engineClock;
        const std::shared_ptr<CTimeSource> before = GetTimeSource();
        CPlaybackMouse playback( file, std::make_shared<CLateClock>() );
        // One Step per distinct recorded time at most, and one to move on.
        const std::size_t events = playback.GetQueue().size();
        for( std::size_t step = 0; step <= events && !playback.GetQueue().empty(); ++step )
            playback.Step();
        if( !playback.GetQueue().empty() )
            std::abort();
        playback.Stop();
        if( GetTimeSource() != before )
            std::abort();
    }
    CInputDispatcher::DeleteSingleton();
}

} // namespace test
} // namespace tarn
