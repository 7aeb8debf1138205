#include "tarn/tasks/capplication.h"

#include "tarn/console/ccommandregistry.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/console/cconsolevariable.h"
#include "tarn/console/csettingsfile.h"
#include "tarn/gfx/cspriteupdater.h"
#include "tarn/tasks/cfakethread.h"
#include "tarn/tasks/ctaskdebug.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/tasks/quitsignals.h"
#include "tarn/ui/cconsolewindow.h"
#include "tarn/ui/cdesktop.h"

namespace tarn {

CApplication::CApplication( const std::string& startupScript, const std::string& settingsFile,
                            const std::vector<std::string>& lines, const std::string& historyFile ) :
    myStartupScript( startupScript ),
    myTaskManager( CTaskManager::GetSingletonPtr() )
{
    // Before any task starts SDL, which leaves handlers it finds alone.
    InstallQuitSignalHandlers();
    // Lets a start-up script make the main loop yield the processor.
    GetConsole()->AddVariable( "tasks_pass_sleep_ms",
                               std::make_unique<CConsoleVar<int>>( "tasks_pass_sleep_ms", &myTaskManager->PassSleep() ),
                               "Milliseconds the main loop rests after every pass; 0 never rests." );
    GetConsole()->AddVariable(
        "tasks_sleep_until_due",
        std::make_unique<CConsoleVar<int>>( "tasks_sleep_until_due", &myTaskManager->SleepUntilDue() ),
        "1 lets the main loop sleep until a task has work due (at most a frame's time); 0 runs every pass." );
    // The debug task's console is the widget console; the task itself knows
    // only the interface.
    if( historyFile.empty() )
        CTaskDebug::SetConsoleWindowMaker( &ui::CConsoleWindow::Create );
    else
        CTaskDebug::SetConsoleWindowMaker(
            [ historyFile ] { return std::make_unique<ui::CConsoleWindow>( historyFile ); } );
    GetConsole()->ExecuteFile( myStartupScript );
    // After the start-up script, whose tasks make the setting variables.
    if( !settingsFile.empty() )
    {
        mySettings = std::make_unique<CSettingsFile>( *GetConsole(), settingsFile );
        mySettings->Load();
    }
    for( const std::string& line : lines )
        GetConsole()->Execute( line, true );
}

CApplication::~CApplication()
{
    // Tasks normally died at the end of Run(); make sure none is left alive
    // before the objects they use go away.
    myTaskManager->KillAllTasks();
    mySettings.reset();
    DeleteAllFakeThreads();
    CTaskFactory::DeleteSingleton();
    CTaskDebug::SetConsoleWindowMaker( nullptr );
    // The widget tree goes while the mouse it listens to still exists.
    ui::CDesktop::DeleteSingleton();
    CSpriteUpdater::DeleteSingleton();
    CTaskManager::DeleteSingleton();
    myTaskManager = nullptr;
    // Deletes the consoles and, last, the log.
    CConsoleHolder::DeleteSingleton();
    // The commands it owns outlived every console that pointed at them.
    CCommandRegistry::DeleteSingleton();
}

int CApplication::Run()
{
    return myTaskManager->Run();
}

bool CApplication::RunOnce()
{
    return myTaskManager->RunOnce();
}

} // namespace tarn
