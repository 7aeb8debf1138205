#include "tarn/utils/ctimer.h"

#include <cstdint>

#include "tarn/utils/enginetime.h"
#include "tarn/utils/xmlbind.h"

namespace tarn {

namespace {

// The root of all timers: reads the game clock itself.
class CEngineClockTimer final : public CTimer
{
public:
    CEngineClockTimer() : CTimer( this ) {}
    types::ticks GetTime() const override { return GameTime(); }
};

class CUnheldClockTimer final : public CTimer
{
public:
    CUnheldClockTimer() : CTimer( this ) {}
    types::ticks GetTime() const override { return EngineTime(); }
};

} // namespace

CTimer* CTimer::GetBaseTimer()
{
    static CEngineClockTimer baseTimer;
    return &baseTimer;
}

CTimer* CTimer::GetEngineTimer()
{
    static CUnheldClockTimer engineTimer;
    return &engineTimer;
}

CTimer::CTimer() : CTimer( nullptr )
{
}

CTimer::CTimer( CTimer* base ) :
    myBaseTimer( base ? base : GetBaseTimer() ),
    myStart( base == this ? 0 : BaseTime() )
{
}

CTimer& CTimer::operator=( const CTimer& other )
{
    myStart = other.myStart;
    myPausedValue = other.myPausedValue;
    myPaused = other.myPaused;
    myDeltaMark = other.myDeltaMark;
    return *this;
}

types::ticks CTimer::BaseTime() const
{
    return myBaseTimer == this ? GameTime() : myBaseTimer->GetTime();
}

CTimer CTimer::operator-( types::ticks ticks ) const
{
    CTimer earlier( *this );
    earlier.Offset( ticks );
    return earlier;
}

CTimer CTimer::operator-( const CTimer& other ) const
{
    CTimer earlier( *this );
    earlier.Offset( other );
    return earlier;
}

void CTimer::Offset( types::ticks ticks )
{
    myStart += ticks;
    myPausedValue -= ticks;
}

void CTimer::Offset( const CTimer& other )
{
    Offset( other.GetTime() );
}

types::ticks CTimer::GetTime() const
{
    if( myPaused )
        return static_cast<std::int32_t>( myPausedValue ) >= 0 ? myPausedValue : 0;

    const types::ticks now = BaseTime();
    return myStart <= now ? now - myStart : 0;
}

double CTimer::GetSeconds() const
{
    return GetTime() / 1000.0;
}

types::ticks CTimer::GetDelta() const
{
    return GetTime() - myDeltaMark;
}

double CTimer::GetDeltaSeconds() const
{
    return GetDelta() / 1000.0;
}

void CTimer::UpdateDelta()
{
    myDeltaMark = GetTime();
}

void CTimer::Pause()
{
    if( myPaused )
        return;
    myPausedValue = GetTime();
    myPaused = true;
}

void CTimer::Resume()
{
    if( !myPaused )
        return;
    myPaused = false;
    SetTime( myPausedValue );
}

void CTimer::Reset()
{
    myPausedValue = 0;
    myStart = BaseTime();
    myDeltaMark = 0;
}

void CTimer::SetTime( types::ticks time )
{
    myStart = BaseTime() - time;
    myPausedValue = time;
}

// The loaded time is taken as the paused value too: setting the paused flag
// first and then asking GetTime would freeze the timer at its old paused
// value instead of the time that was saved.
void CTimer::Serialize( CXmlFileSys* filesys )
{
    if( !filesys )
        return;
    types::ticks time = GetTime();
    bool paused = myPaused;
    if( filesys->IsWriting() )
    {
        XmlBind( filesys, time, "time" );
        if( paused )
            XmlBind( filesys, paused, "pause" );
        return;
    }

    XmlBind( filesys, time, "time" );
    XmlBind( filesys, paused, "pause" );
    myStart = BaseTime() - time;
    myPausedValue = time;
    myPaused = paused;
}

} // namespace tarn
