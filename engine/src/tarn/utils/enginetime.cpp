#include "tarn/utils/enginetime.h"

#include <SDL.h>

namespace tarn {

namespace {

class CSDLTimeSource final : public CTimeSource
{
public:
    CSDLTimeSource()
    {
        // Starts SDL's tick counter without opening any subsystem, so the
        // clock counts from here and does not jump when SDL_Init runs later.
        SDL_InitSubSystem( 0 );
    }

    types::ticks GetTicks() override { return SDL_GetTicks(); }
};

std::shared_ptr<CTimeSource>& CurrentSource()
{
    static std::shared_ptr<CTimeSource> source;
    if( !source )
        source = std::make_shared<CSDLTimeSource>();
    return source;
}

} // namespace

types::ticks EngineTime()
{
    return CurrentSource()->GetTicks();
}

void SetTimeSource( std::shared_ptr<CTimeSource> source )
{
    CurrentSource() = source ? std::move( source ) : std::make_shared<CSDLTimeSource>();
}

std::shared_ptr<CTimeSource> GetTimeSource()
{
    return CurrentSource();
}

} // namespace tarn
