#ifndef TARN_TASKS_CINPUTRECORDER_H
#define TARN_TASKS_CINPUTRECORDER_H

#include <cstdint>
#include <string>

#include "tarn/inputdevice/inputlisteners.h"
#include "tarn/tasks/cdebuginputdevice.h"

namespace tarn {

// Writes the mouse input it hears to a record file while it exists: the
// random start value on the first line, then "<ticks> mm <x> <y>", "<ticks> md <mask>" and "<ticks> mu <mask>"
// lines stamped with the engine clock. Keys and relative motion are left out.
class CInputRecorder final : public CDebugInputDevice, public CMouseListener
{
public:
    // Starts the file afresh with the random start value (the calendar time
    // in seconds), starts the engine's uniform generator from it and starts
    // listening.
    explicit CInputRecorder( const std::string& filename );
    ~CInputRecorder() override;

    void Stop() override;
    void OnMouseMove( int x, int y ) override;
    void OnMouseMoveRelative( int dx, int dy ) override;
    void OnButtonDown( int button ) override;
    void OnButtonUp( int button ) override;

    std::uint32_t GetRandomStart() const { return myRandomStart; }
    const std::string& GetFileName() const { return myFileName; }

private:
    // Opens the file for each line, so that what was recorded is on disk
    // even if the program dies.
    void AppendLine( const std::string& line ) const;

    std::string myFileName;
    std::uint32_t myRandomStart = 0;
};

} // namespace tarn

#endif
