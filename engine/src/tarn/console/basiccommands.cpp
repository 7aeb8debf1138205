#include "tarn/console/basiccommands.h"

#include <memory>
#include <string>
#include <vector>

#include "tarn/console/ccommandfunction.h"
#include "tarn/console/ccommandregistry.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/console/cconsole.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/tasks/tasklibrary.h"
#include "tarn/utils/numberutils.h"

namespace tarn {

namespace {

using Args = CAnyContainer*;

bool FirstIsString( Args args )
{
    return args && args->IsType( 0, CAnyContainer::TYPE_STRING );
}

std::string Quit( Args )
{
    CTaskManager::GetSingletonPtr()->RequestQuit();
    return "bye bye";
}

std::string Load( Args args )
{
    if( !FirstIsString( args ) )
        return "Error: Load() You need to give a filename as a parameter.";
    return GetConsole()->ExecuteFile( args->GetString( 0 ) );
}

std::string TaskLoad( Args args )
{
    if( !FirstIsString( args ) )
        return "Error: TaskLoad() You need to give a task library name as a parameter.";
    LoadTaskLibrary( args->GetString( 0 ) );
    return "";
}

std::string StartTask( Args args )
{
    if( !FirstIsString( args ) )
        return "Error: StartTask( tasktype, taskname, priority ) requires atleast one parameter.";

    const std::string taskType = args->GetString( 0 );
    args->PopFront();

    std::string taskName = taskType;
    if( args->IsType( 0, CAnyContainer::TYPE_STRING ) )
    {
        taskName = args->GetString( 0 );
        args->PopFront();
    }

    int priority = 100;
    if( args->IsType( 0, CAnyContainer::TYPE_NUMBER ) )
    {
        priority = TruncateToInt( args->GetNumber( 0 ) );
        args->PopFront();
    }

    if( CTaskFactory::GetSingletonPtr()->StartTask( taskType, taskName, priority, args ) )
        return taskType + " started";
    return "failed to start " + taskType;
}

std::string RunLater( Args args )
{
    const bool usable = args && args->IsType( 0, CAnyContainer::TYPE_NUMBER ) &&
                        args->IsType( 1, CAnyContainer::TYPE_STRING ) && args->GetNumber( 0 ) >= 0;
    if( !usable )
        return "Error: RunLater( milliseconds, line ) needs the milliseconds to wait and the line to run.";
    const int delay = TruncateToInt( args->GetNumber( 0 ) );
    CTaskManager::GetSingletonPtr()->RunLater( static_cast<types::ticks>( delay ), args->GetString( 1 ) );
    return "";
}

// pausetask, resumetask and stoptask differ only in the factory call.
CCommandFunction::Function TaskNameCommand( const std::string& usage,
                                            void ( CTaskFactory::*operation )( const std::string& ) )
{
    return [ usage, operation ]( Args args ) -> std::string {
        if( !FirstIsString( args ) )
            return usage;
        ( CTaskFactory::GetSingletonPtr()->*operation )( args->GetString( 0 ) );
        return "";
    };
}

} // namespace

void RegisterBasicCommands()
{
    CCommandRegistry* registry = CCommandRegistry::GetSingletonPtr();
    if( registry->HasNamespace( BASIC_NAMESPACE ) )
        return;

    const std::pair<const char*, CCommandFunction::Function> table[] = {
        { "quit", Quit },
        { "load", Load },
        { "taskload", TaskLoad },
        { "starttask", StartTask },
        { "pausetask", TaskNameCommand( "Error: PauseTask( taskname ) requires atleast one parameter.",
                                        &CTaskFactory::PauseTask ) },
        { "resumetask", TaskNameCommand( "Error: ResumeTask( taskname ) requires atleast one parameter.",
                                         &CTaskFactory::ResumeTask ) },
        { "stoptask", TaskNameCommand( "Error: StopTask( taskname ) requires atleast one parameter.",
                                       &CTaskFactory::StopTask ) },
        { "runlater", RunLater },
    };
    // The registry owns them: consoles point at them, and it outlives them.
    for( const auto& entry : table )
        registry->RegisterCommand( BASIC_NAMESPACE, entry.first, std::make_unique<CCommandFunction>( entry.second ) );
}

} // namespace tarn
