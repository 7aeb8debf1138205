#ifndef TARN_UI_CTASKUI_H
#define TARN_UI_CTASKUI_H

#include <memory>
#include <string>
#include <vector>

#include "tarn/console/ccommandfunction.h"
#include "tarn/console/ccommandhelp.h"
#include "tarn/tasks/ctask.h"
#include "tarn/ui/cmenuitem.h"

namespace tarn {

class CConsole;

namespace ui {

class CMenuWindow;

// The task type "ui": makes the desktop and keeps its pointer state current
// once per pass. Its commands declare a game's pause menu, in the order of
// its rows (labels and variables are strings, numbers are numbers):
//   MenuTitle( "Paused", "data/fonts/title.ogf" )  the heading and its font
//   MenuFont( "data/fonts/dialog.ogf" )   the rows' font (the system font without)
//   MenuAction( "Resume", "UI::CloseMenu" )   a row that runs a console line
//   MenuConfirm( "Quit", "Quit the game?", "quit" )   one that asks Yes / No first
//   MenuRange( "Music volume", "music_volume", 0, 100, 10 )   a number in steps
//   MenuToggle( "Captions", "captions" )   a variable switched between 1 and 0
//   MenuChoice( "Window size", "window_scale", "1:1x,0:Largest" )   values and their names
//   ToggleMenu   opens the menu, or steps back: from a question to the menu, from the menu to the game
//   CloseMenu    closes it
// Without rows the menu never opens.
class CTaskUI final : public CTask
{
public:
    using CTask::Init;

    CTaskUI();
    ~CTaskUI() override;

    bool Init() override;
    void Update() override;
    // The widgets follow the input handled earlier in the same pass.
    types::ticks TimeUntilDue() const override { return NOTHING_DUE; }
    void Exit() override;
    bool HandleCommand( const std::string& command ) override;
    const CConsole* GetCommandConsole() const override;
    // The usage and description of the task's commands.
    static const CommandHelpTable& GetCommandHelp();

    // Null until the menu first opens.
    CMenuWindow* GetMenu() const { return myMenu.get(); }

private:
    std::string MenuTitle( CAnyContainer* args );
    std::string MenuFont( CAnyContainer* args );
    std::string AddItem( CAnyContainer* args, CMenuItem::Kind kind );
    std::string ToggleMenu( CAnyContainer* args );
    std::string CloseMenu( CAnyContainer* args );

    std::unique_ptr<CConsole> myConsole;
    std::vector<std::unique_ptr<CCommandFunction>> myCommands;
    std::vector<CMenuItem> myItems;
    std::string myTitle;
    std::string myTitleFont;
    std::string myItemFont;
    std::unique_ptr<CMenuWindow> myMenu;
    // The declaration changed since the window was made.
    bool myMenuStale = false;
};

} // namespace ui
} // namespace tarn

#endif
