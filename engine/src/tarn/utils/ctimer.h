#ifndef TARN_UTILS_CTIMER_H
#define TARN_UTILS_CTIMER_H

#include "tarn/utils/types.h"

namespace tarn {

class CXmlFileSys;

// A pausable stopwatch in milliseconds, measured against a base timer (by
// default the global base timer, which reads the engine clock). A timer never
// reads negative: while its base is behind its start it reads 0.
class CTimer
{
public:
    CTimer();
    // base is not owned and must outlive this timer; null means the engine clock.
    explicit CTimer( CTimer* base );
    virtual ~CTimer() = default;

    // Copies the reading and the paused state; keeps this timer's base.
    CTimer& operator=( const CTimer& other );
    CTimer( const CTimer& other ) = default;

    // A copy of this timer, on the same base, reading ticks (or other's
    // reading) less; it reads 0 where that would be negative.
    virtual CTimer operator-( types::ticks ticks ) const;
    virtual CTimer operator-( const CTimer& other ) const;

    // Moves the start later by ticks (the reading drops by ticks).
    virtual void Offset( types::ticks ticks );
    virtual void Offset( const CTimer& other );

    virtual types::ticks GetTime() const;
    virtual double GetSeconds() const;
    // Time since the last UpdateDelta.
    virtual types::ticks GetDelta() const;
    virtual double GetDeltaSeconds() const;
    virtual void UpdateDelta();

    virtual void Pause();
    virtual void Resume();
    // Back to 0; the paused state is kept.
    virtual void Reset();
    virtual void SetTime( types::ticks time );
    // Keys "time" (the reading) and, for a paused timer, "pause". A timer
    // read back shows the saved time, paused or running from there.
    virtual void Serialize( CXmlFileSys* filesys );

    bool IsPaused() const { return myPaused; }

    // The timer every default-constructed timer measures against.
    static CTimer* GetBaseTimer();
    // A base on the engine clock, which runs on while the game is held, for
    // what must not stop under a menu (drawing the screen).
    static CTimer* GetEngineTimer();

protected:
    types::ticks BaseTime() const;

    CTimer* myBaseTimer;
    types::ticks myStart;
    types::ticks myPausedValue = 0;
    bool myPaused = false;
    types::ticks myDeltaMark = 0;
};

} // namespace tarn

#endif
