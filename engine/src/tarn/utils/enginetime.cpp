#include "tarn/utils/enginetime.h"

#include <chrono>

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

} // namespace

types::ticks EngineTime()
{
    return CurrentSource()->GetTicks();
}

void SetTimeSource( std::shared_ptr<CTimeSource> source )
{
    CurrentSource() = source ? std::move( source ) : std::make_shared<CSteadyTimeSource>();
}

std::shared_ptr<CTimeSource> GetTimeSource()
{
    return CurrentSource();
}

} // namespace tarn
