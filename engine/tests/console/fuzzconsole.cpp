#include "console/fuzzconsole.h"

#include <memory>
#include <vector>

#include "tarn/console/basiccommands.h"
#include "tarn/console/ccommandfunction.h"
#include "tarn/console/ccommandregistry.h"
#include "tarn/console/cconsolevariable.h"
#include "tarn/console/cmainconsole.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/canycontainer.h"

namespace tarn {
namespace test {

namespace {

// The argument list as text, so that the stand-ins still use what the
// console made of the arguments.
std::string Describe( const std::string& name, CAnyContainer* args )
{
    std::string text = name + "(";
    for( std::size_t i = 0; args && i < args->Size(); ++i )
        text += ( i ? "," : "" ) + args->GetString( i );
    return text + ")";
}

CCommandFunction* StandIn( const std::string& name )
{
    static std::vector<std::unique_ptr<CCommandFunction>> standIns;
    standIns.push_back(
        std::make_unique<CCommandFunction>( [ name ]( CAnyContainer* args ) { return Describe( name, args ); } ) );
    return standIns.back().get();
}

// Made once: the registry keeps pointers to the commands.
struct CStandIns
{
    CCommandFunction* load = StandIn( "load" );
    CCommandFunction* taskLoad = StandIn( "taskload" );
    CCommandFunction* startTask = StandIn( "starttask" );
    CCommandFunction* quit = StandIn( "quit" );
};

} // namespace

void FuzzConsoleInput( const std::string& input )
{
    static CStandIns standIns;

    RegisterBasicCommands();
    CMainConsole console;
    CCommandRegistry::GetSingletonPtr()->ImportNamespace( BASIC_NAMESPACE, &console );
    console.AddCommand( "load", standIns.load );
    console.AddCommand( "taskload", standIns.taskLoad );
    console.AddCommand( "starttask", standIns.startTask );
    console.AddCommand( "quit", standIns.quit );

    int number = 0;
    bool flag = false;
    float ratio = 0.0f;
    console.AddVariable( "number", std::make_unique<CConsoleVar<int>>( "number", &number ) );
    console.AddVariable( "flag", std::make_unique<CConsoleVar<bool>>( "flag", &flag ) );
    console.AddVariable( "ratio", std::make_unique<CConsoleVar<float>>( "ratio", &ratio ) );
    console.AddVariable( "fixed", std::make_unique<CConsoleVar<int>>( "fixed", 7, true ) );

    std::string line;
    for( const char c : input + "\n" )
    {
        if( c != '\n' )
        {
            line += c;
            continue;
        }
        console.Execute( line, true );
        line.clear();
    }

    // Pause, resume and stop reach the task factory; it must not keep
    // anything from this input.
    CTaskFactory::DeleteSingleton();
    CTaskManager::DeleteSingleton();
}

} // namespace test
} // namespace tarn
