#include "harness/fuzzconsole.h"

#include <memory>
#include <sstream>
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

std::string DescribeCall( const std::string& name, CAnyContainer* args )
{
    if( !args )
        return name;
    std::string text = name + "(";
    for( std::size_t i = 0; i < args->Size(); ++i )
        text += ( i ? "; " : "" ) + std::string( args->IsType( i, CAnyContainer::TYPE_NUMBER ) ? "n:" : "s:" ) +
                args->GetString( i );
    return text + ")";
}

void FuzzConsoleInput( const std::string& input )
{
    // Made once: the consoles keep pointers to the commands.
    static std::vector<std::unique_ptr<CCommandFunction>> standIns;
    static const char* const replaced[] = { "load", "taskload", "starttask", "quit" };
    if( standIns.empty() )
    {
        for( const std::string name : replaced )
            standIns.push_back( std::make_unique<CCommandFunction>(
                [ name ]( CAnyContainer* args ) { return DescribeCall( name, args ); } ) );
    }

    RegisterBasicCommands();
    CMainConsole console;
    CCommandRegistry::GetSingletonPtr()->ImportNamespace( BASIC_NAMESPACE, &console );
    for( std::size_t i = 0; i < standIns.size(); ++i )
        console.AddCommand( replaced[ i ], standIns[ i ].get() );

    int number = 0;
    bool flag = false;
    float ratio = 0.0f;
    console.AddVariable( "number", std::make_unique<CConsoleVar<int>>( "number", &number ) );
    console.AddVariable( "flag", std::make_unique<CConsoleVar<bool>>( "flag", &flag ) );
    console.AddVariable( "ratio", std::make_unique<CConsoleVar<float>>( "ratio", &ratio ) );
    console.AddVariable( "fixed", std::make_unique<CConsoleVar<int>>( "fixed", 7, true ) );

    std::istringstream lines( input );
    for( std::string line; std::getline( lines, line ); )
        console.Execute( line, true );

    // Pause, resume and stop reach the task factory; it must not keep
    // anything from this input.
    CTaskFactory::DeleteSingleton();
    CTaskManager::DeleteSingleton();
}

} // namespace test
} // namespace tarn
