#include "tarn/tasks/ctaskmouse.h"

#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/inputdevice/cmouse.h"
#include "tarn/inputdevice/cursorimages.h"
#include "tarn/tasks/ctaskfactory.h"

namespace tarn {

namespace {

CTaskRegistrar<CTaskMouse> registrar( "mouse" );

CInputDispatcher* Dispatcher()
{
    return CInputDispatcher::GetSingletonPtr();
}

} // namespace

CTaskMouse::CTaskMouse() :
    myCursorHide( &CTaskMouse::CursorHide ),
    myCursorShow( &CTaskMouse::CursorShow ),
    myCursorChangeTo( &CTaskMouse::CursorChangeTo ),
    myCaptureInput( &CTaskMouse::CaptureInput )
{
}

CTaskMouse::~CTaskMouse() = default;

bool CTaskMouse::Init()
{
    GetMouse();
    myConsole = CreateConsole();
    myConsole->AddCommand( "CursorHide", &myCursorHide );
    myConsole->AddCommand( "CursorShow", &myCursorShow );
    myConsole->AddCommand( "CursorChangeTo", &myCursorChangeTo );
    myConsole->AddCommand( "CaptureInput", &myCaptureInput );
    ApplyCommandHelp( *myConsole, GetCommandHelp() );
    return false;
}

void CTaskMouse::Exit()
{
    myConsole.reset();
}

bool CTaskMouse::HandleCommand( const std::string& command )
{
    if( myConsole )
        myConsole->Execute( command, false );
    return true;
}

const CConsole* CTaskMouse::GetCommandConsole() const
{
    return myConsole.get();
}

const CommandHelpTable& CTaskMouse::GetCommandHelp()
{
    static const CommandHelpTable table = {
        { "CursorHide", "CursorHide", "Hides the mouse cursor." },
        { "CursorShow", "CursorShow", "Shows the mouse cursor." },
        { "CursorChangeTo", "CursorChangeTo( \"cursor_cross\" )",
          "Changes the cursor to one of the named cursor types." },
        { "CaptureInput", "CaptureInput( 1 )", "Keeps the pointer in the window; 0 lets it go again." },
    };
    return table;
}

std::string CTaskMouse::CursorHide( CAnyContainer* )
{
    Dispatcher()->HideCursor();
    return "";
}

std::string CTaskMouse::CursorShow( CAnyContainer* )
{
    Dispatcher()->ShowCursor();
    return "";
}

std::string CTaskMouse::CursorChangeTo( CAnyContainer* args )
{
    if( !args )
        return "[ERROR] Needs a parameter to define to what we change our cursor( like arrow, cross, text... )";
    if( !args->IsType( 0, CAnyContainer::TYPE_STRING ) )
        return "[ERROR] Could not recognize your cursor type";
    Dispatcher()->ChangeCursor( CursorNameToType( args->GetString( 0 ) ) );
    return "";
}

std::string CTaskMouse::CaptureInput( CAnyContainer* args )
{
    if( !args || !args->IsType( 0, CAnyContainer::TYPE_NUMBER ) )
        return "[ERROR] Input need to be of number";
    Dispatcher()->GrabInput( args->GetNumber( 0 ) != 0 );
    return "";
}

} // namespace tarn
