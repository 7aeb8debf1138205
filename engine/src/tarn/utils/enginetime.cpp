#include "tarn/utils/enginetime.h"

#include <chrono>
#include <thread>

namespace tarn {

namespace {

// Milliseconds of the system's monotonic clock since the source was made:
// the clock counts from the first look at it, whatever SDL does later.
class CSteadyTimeSource final : public CTimeSource
{
public:
    types::ticks GetTicks() override
    {
        const auto elapsed = std::chrono::steady_clock::now() - myStart;
        return static_cast<types::ticks>( std::chrono::duration_cast<std::chrono::milliseconds>( elapsed ).count() );
    }

private:
    std::chrono::steady_clock::time_point myStart = std::chrono::steady_clock::now();
};

std::shared_ptr<CTimeSource>& CurrentSource()
{
    static std::shared_ptr<CTimeSource> source;
    if( !source )
        source = std::make_shared<CSteadyTimeSource>();
    return source;
}

// How long the game clock was held, and since when it is held now.
struct SGameClockHold
{
    bool held = false;
    types::ticks since = 0;
    types::ticks total = 0;
};

SGameClockHold& GameClockHold()
{
    static SGameClockHold hold;
    return hold;
}

} // namespace

void CTimeSource::Wait( types::ticks ms )
{
    std::this_thread::sleep_for( std::chrono::milliseconds( ms ) );
}

types::ticks EngineTime()
{
    return CurrentSource()->GetTicks();
}

types::ticks GameTime()
{
    const SGameClockHold& hold = GameClockHold();
    return ( hold.held ? hold.since : EngineTime() ) - hold.total;
}

void HoldGameClock( bool held )
{
    SGameClockHold& hold = GameClockHold();
    if( held == hold.held )
        return;
    if( held )
        hold.since = EngineTime();
    else
        hold.total += EngineTime() - hold.since;
    hold.held = held;
}

void SetTimeSource( std::shared_ptr<CTimeSource> source )
{
    CurrentSource() = source ? std::move( source ) : std::make_shared<CSteadyTimeSource>();
    // A new clock starts with nothing held.
    GameClockHold() = SGameClockHold();
}

std::shared_ptr<CTimeSource> GetTimeSource()
{
    return CurrentSource();
}

} // namespace tarn
