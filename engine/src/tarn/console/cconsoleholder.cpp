#include "tarn/console/cconsoleholder.h"

#include "tarn/console/basiccommands.h"
#include "tarn/console/ccommandregistry.h"
#include "tarn/console/cmainconsole.h"
#include "tarn/utils/clogger.h"

namespace tarn {

CConsoleHolder::CConsoleHolder() = default;

CConsoleHolder::~CConsoleHolder()
{
    myMainConsole.reset();
    DeleteLog();
}

CConsole* CConsoleHolder::GetConsole()
{
    if( !myMainConsole )
    {
        myMainConsole = CreateConsole();
        RegisterBasicCommands();
        CCommandRegistry::GetSingletonPtr()->ImportNamespace( BASIC_NAMESPACE, myMainConsole.get() );
    }
    return myMainConsole.get();
}

std::unique_ptr<CConsole> CConsoleHolder::CreateConsole()
{
    return std::make_unique<CMainConsole>();
}

CConsole* GetConsole()
{
    return CConsoleHolder::GetSingletonPtr()->GetConsole();
}

std::unique_ptr<CConsole> CreateConsole()
{
    return CConsoleHolder::GetSingletonPtr()->CreateConsole();
}

} // namespace tarn
