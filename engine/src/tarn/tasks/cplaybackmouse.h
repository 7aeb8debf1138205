#ifndef TARN_TASKS_CPLAYBACKMOUSE_H
#define TARN_TASKS_CPLAYBACKMOUSE_H

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "tarn/tasks/cdebuginputdevice.h"
#include "tarn/tasks/cplaybacktimesource.h"
#include "tarn/utils/types.h"

namespace tarn {

// Replays a record file of CInputRecorder: while it exists the engine clock
// is its own playback clock, which follows real time but is held at the next
// recorded event until that event has been delivered, so every event reaches
// the input dispatcher at exactly its recorded engine time.
class CPlaybackMouse final : public CDebugInputDevice
{
public:
    enum EventType
    {
        EVENT_MOVE,
        EVENT_BUTTON_DOWN,
        EVENT_BUTTON_UP
    };

    // One line of the record file.
    struct CEvent
    {
        types::ticks ticks = 0;
        EventType type = EVENT_MOVE;
        int x = 0;
        int y = 0;
        int mask = 0;
    };

    // Longer lines are not events of ours; reading stops at this length so a
    // damaged file cannot make us hold a huge line.
    static constexpr std::size_t MAX_LINE_LENGTH = 256;
    // Hours of input; anything beyond is ignored (and logged).
    static constexpr std::size_t MAX_EVENTS = 1000000;

    // Reads the file and installs the playback clock, starting at the engine
    // time of now. realTicks is where real time is read; null means the
    // engine clock as it was before (SDL's ticks in the program). Bad lines
    // are logged with the file name and line number and skipped.
    explicit CPlaybackMouse( const std::string& filename, std::shared_ptr<CTimeSource> realTicks = nullptr );
    // Gives the engine clock back to the source it had before.
    ~CPlaybackMouse() override;

    // Delivers every event that is due on the engine clock, then moves the
    // clock to real time, but no further than the next event.
    void Step() override;
    // Until the next event is due.
    types::ticks TimeUntilDue() const override;
    // Gives the engine clock back and forgets the events still queued.
    void Stop() override;

    const std::deque<CEvent>& GetQueue() const { return myQueue; }
    bool HasSeed() const { return myHasSeed; }
    std::uint32_t GetRandomStart() const { return myRandomStart; }

private:
    void ReadFile( const std::string& filename );
    // The event of one line; "" or a description of what is wrong with it.
    static std::string ParseEvent( const std::string& line, CEvent& event );
    static void Deliver( const CEvent& event );

    std::deque<CEvent> myQueue;
    std::shared_ptr<CTimeSource> myPreviousSource;
    std::shared_ptr<CTimeSource> myRealTicks;
    std::shared_ptr<CPlaybackTimeSource> myClock;
    bool myStopped = false;
    bool myHasSeed = false;
    std::uint32_t myRandomStart = 0;
};

} // namespace tarn

#endif
