#ifndef TARN_UI_CCONSOLEWINDOW_H
#define TARN_UI_CCONSOLEWINDOW_H

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "tarn/tasks/cdebugconsolewindow.h"
#include "tarn/ui/ctextinputwidget.h"
#include "tarn/ui/cwindowwidget.h"
#include "tarn/utils/cloglistener.h"

namespace tarn {

class CTextSprite;

namespace ui {

// The developer console: a window over the top half of the screen with the
// log's latest lines above an input line. A line typed there goes to the
// input history and runs in the main console with echo, so the line and its
// result come back through the log. Up and down walk the history, page up
// and page down scroll the log view. The debug task opens and closes it
// (ToggleConsole); its close box asks the task to close it.
class CConsoleWindow final : public CWindowWidget, public CDebugConsoleWindow, public CLogListener
{
public:
    static constexpr const char* TITLE = "Dev-tool: console";
    // Log lines kept for the view; older ones are dropped.
    static constexpr std::size_t MAX_LOG_LINES = 1000;

    CConsoleWindow();
    ~CConsoleWindow() override;

    // What the debug task installs as its console window maker.
    static std::unique_ptr<CDebugConsoleWindow> Create();

    void SetOpen( bool open ) override;
    bool TakeToggleRequest() override;
    // Shows the log lines that came since the last pass.
    void Update() override;
    // Only keeps the line: the log may not be written while it is delivered,
    // and drawing could write to it.
    void OnMessage( const std::string& text, int level ) override;
    void OnGeometryChanged() override;

    CTextInputWidget* GetInput() { return &myInput; }
    CTextSprite* GetLogView() const { return myLogView.get(); }
    const std::vector<std::string>& GetHistory() const { return myHistory; }

private:
    void OnShown( bool shown ) override;
    void OnEnter();
    void OnHistoryBack();
    void OnHistoryForward();
    void OnPageUp();
    void OnPageDown();
    void RefreshLogView();
    int GetViewRows() const;

    CTextInputWidget myInput;
    std::unique_ptr<CTextSprite> myLogView;
    std::deque<std::string> myLogLines;
    bool myLogChanged = false;
    std::vector<std::string> myHistory;
    // Steps back from the newest history line; 0 is the line being typed,
    // kept in myDraft while older lines are shown.
    std::size_t myHistoryPosition = 0;
    std::string myDraft;
    // View rows scrolled back from the newest log line.
    int myScroll = 0;
};

} // namespace ui
} // namespace tarn

#endif
