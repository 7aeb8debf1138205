#ifndef TARN_TASKS_CTASKMOUSE_H
#define TARN_TASKS_CTASKMOUSE_H

#include <memory>
#include <string>

#include "tarn/console/ccommandfunction.h"
#include "tarn/console/ccommandhelp.h"
#include "tarn/tasks/ctask.h"

namespace tarn {

class CConsole;

// The "mouse" task: cursor commands only. It waits in the paused list from
// its start; its commands still work.
//   CursorHide, CursorShow
//   CursorChangeTo( "cursor_cross" )  (the names of CursorType)
//   CaptureInput( 1 )                 (0 lets the pointer go again)
class CTaskMouse final : public CTask
{
public:
    using CTask::Init;

    CTaskMouse();
    ~CTaskMouse() override;

    bool Init() override;
    void Exit() override;
    // The mouse works from its listener calls alone.
    types::ticks TimeUntilDue() const override { return NOTHING_DUE; }
    bool HandleCommand( const std::string& command ) override;
    const CConsole* GetCommandConsole() const override;
    // The usage and description of the task's commands.
    static const CommandHelpTable& GetCommandHelp();

    // The console the task's commands run in (null before Init).
    CConsole* GetTaskConsole() const { return myConsole.get(); }

private:
    static std::string CursorHide( CAnyContainer* args );
    static std::string CursorShow( CAnyContainer* args );
    static std::string CursorChangeTo( CAnyContainer* args );
    static std::string CaptureInput( CAnyContainer* args );

    std::unique_ptr<CConsole> myConsole;
    CCommandFunction myCursorHide;
    CCommandFunction myCursorShow;
    CCommandFunction myCursorChangeTo;
    CCommandFunction myCaptureInput;
};

} // namespace tarn

#endif
