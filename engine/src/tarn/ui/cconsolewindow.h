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

class CHistoryFile;
class CTextSprite;

namespace ui {

// The developer console: a window over the top half of the screen with the
// log's latest lines above an input line. A line typed there goes to the
// input history and runs in the main console with echo, so the line and its
// result come back through the log, followed by a warning when it names no
// command, variable or namespace. Up and down walk the history, page up and
// page down scroll the log view, Tab completes the name being typed (twice
// in a row, it lists the names that could follow). The debug task opens and
// closes it (ToggleConsole); its close box asks the task to close it.
class CConsoleWindow final : public CWindowWidget, public CDebugConsoleWindow, public CLogListener
{
public:
    static constexpr const char* TITLE = "Dev-tool: console";
    // Log lines kept for the view; older ones are dropped.
    static constexpr std::size_t MAX_LOG_LINES = 1000;

    // With a historyFile, the input history is read from it now and
    // written to it after every line, so that it outlives the program.
    explicit CConsoleWindow( const std::string& historyFile = "" );
    ~CConsoleWindow() override;

    // What the debug task installs as its console window maker: a window
    // whose history lives as long as it does.
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
    void OnTab();
    void OnHistoryBack();
    void OnHistoryForward();
    void OnPageUp();
    void OnPageDown();
    void RefreshLogView();
    // A line in the view only, not in the log.
    void ShowLine( const std::string& line );
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
    std::unique_ptr<CHistoryFile> myHistoryFile;
    // The input as the last Tab left it; a Tab finding it unchanged lists.
    bool myTabbed = false;
    std::string myTabbedText;
    // View rows scrolled back from the newest log line.
    int myScroll = 0;
};

} // namespace ui
} // namespace tarn

#endif
