#ifndef TARN_TASKS_CTASKKEYBOARD_H
#define TARN_TASKS_CTASKKEYBOARD_H

#include <memory>
#include <string>

#include "tarn/console/ccommandfunction.h"
#include "tarn/console/ccommandhelp.h"
#include "tarn/tasks/ctask.h"

namespace tarn {

class CConsole;

// The "keyboard" task: applies the queued key events each pass, so that
// key bindings run, and offers the command
//   bind( key, "command" [, priority] )
// where key is a key name ("space"), a key code (32) or names separated by
// blanks for a combination ("left_ctrl s"); priority defaults to 10.
class CTaskKeyboard final : public CTask
{
public:
    using CTask::Init;

    CTaskKeyboard();
    ~CTaskKeyboard() override;

    bool Init() override;
    void Update() override;
    // Keys arrive from the event task earlier in the same pass.
    types::ticks TimeUntilDue() const override { return NOTHING_DUE; }
    bool HandleCommand( const std::string& command ) override;
    const CConsole* GetCommandConsole() const override;
    // The usage and description of the task's commands.
    static const CommandHelpTable& GetCommandHelp();

    // The console the task's commands run in (null before Init).
    CConsole* GetTaskConsole() const { return myConsole.get(); }

    static constexpr const char* BIND_ERROR = "[ERROR] You cannot bind unless you give us something to bind to something\n";
    static constexpr int DEFAULT_PRIORITY = 10;

private:
    static std::string Bind( CAnyContainer* args );

    std::unique_ptr<CConsole> myConsole;
    CCommandFunction myBindCommand;
};

} // namespace tarn

#endif
