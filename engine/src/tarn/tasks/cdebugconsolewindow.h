#ifndef TARN_TASKS_CDEBUGCONSOLEWINDOW_H
#define TARN_TASKS_CDEBUGCONSOLEWINDOW_H

namespace tarn {

// The developer console window as the debug task drives it; the window
// itself (a widget) implements this and is installed with
// CTaskDebug::SetConsoleWindowMaker.
class CDebugConsoleWindow
{
public:
    CDebugConsoleWindow() = default;
    virtual ~CDebugConsoleWindow() = default;

    CDebugConsoleWindow( const CDebugConsoleWindow& ) = delete;
    CDebugConsoleWindow& operator=( const CDebugConsoleWindow& ) = delete;

    virtual void SetOpen( bool open ) = 0;
    // True once each time the window's own controls asked to be toggled
    // (its close button, say); the task then toggles it like the command.
    virtual bool TakeToggleRequest() = 0;
    // Once every pass of the task, for work that has to wait for a calm
    // moment (drawing what the log said, say).
    virtual void Update() {}
};

} // namespace tarn

#endif
