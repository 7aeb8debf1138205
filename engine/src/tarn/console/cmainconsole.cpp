#include "tarn/console/cmainconsole.h"

#include "tarn/tasks/ctask.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/utils/clogger.h"

namespace tarn {

std::string CMainConsole::Execute( const std::string& line, bool echo )
{
    if( !echo )
        return CConsole::Execute( line, false );

    GetLog() << line << "\n";
    const std::string result = CConsole::Execute( line, false );
    if( !result.empty() )
        GetLog() << result << "\n";
    return result;
}

std::string CMainConsole::ExecuteInNamespace( const std::string& ns, const std::string& rest )
{
    if( CTaskFactory::GetSingletonPtr()->DoTaskCommand( ns, rest ) )
        return "";
    return "No namespace named space\n";
}

std::string CMainConsole::FindUnknownNameInNamespace( const std::string& ns, const std::string& rest ) const
{
    const CTask* task = CTaskFactory::GetSingletonPtr()->FindTask( ns );
    const CConsole* console = task ? task->GetCommandConsole() : nullptr;
    if( !console )
        return "";
    const std::string name = console->FindUnknownName( rest );
    return name.empty() ? "" : ns + "::" + name;
}

} // namespace tarn
