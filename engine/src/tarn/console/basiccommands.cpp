#include "tarn/console/basiccommands.h"

#include <memory>
#include <string>
#include <vector>

#include "tarn/console/ccommandfunction.h"
#include "tarn/console/ccommandregistry.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsolehelp.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/tasks/tasklibrary.h"
#include "tarn/utils/clogger.h"
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

// help, cmdlist, cvarlist and apropos: the text for the string argument (""
// when there is none) goes to the log, as the console window shows it.
CCommandFunction::Function HelpCommand( std::string ( *text )( const CConsoleHelp&, const std::string& ) )
{
    return [ text ]( Args args ) -> std::string {
        GetLog() << text( CConsoleHelp::ForMainConsole(), FirstIsString( args ) ? args->GetString( 0 ) : "" );
        return "";
    };
}

std::string HelpText( const CConsoleHelp& help, const std::string& name )
{
    return name.empty() ? help.Help() : help.Help( name );
}

std::string CommandListText( const CConsoleHelp& help, const std::string& prefix )
{
    return help.CommandList( prefix );
}

std::string VariableListText( const CConsoleHelp& help, const std::string& prefix )
{
    return help.VariableList( prefix );
}

std::string AproposText( const CConsoleHelp& help, const std::string& word )
{
    return word.empty() ? "Error: apropos( word ) needs the word to look for.\n" : help.Apropos( word );
}

struct BasicCommand
{
    const char* name;
    CCommandFunction::Function function;
    const char* usage;
    const char* description;
};

} // namespace

void RegisterBasicCommands()
{
    CCommandRegistry* registry = CCommandRegistry::GetSingletonPtr();
    if( registry->HasNamespace( BASIC_NAMESPACE ) )
        return;

    const BasicCommand table[] = {
        { "quit", Quit, "quit", "Ends the program after the current pass." },
        { "load", Load, "load( filename )", "Runs every line of a script file in the main console." },
        { "taskload", TaskLoad, "taskload( library )",
          "Makes the task types of a built-in task library (sdl, sdl_mixer) available." },
        { "starttask", StartTask, "starttask( tasktype [, taskname [, priority ]] [, further arguments] )",
          "Starts a task of a type under a name (the type's by default) and priority (100 by default); "
          "further arguments go to the task." },
        { "pausetask",
          TaskNameCommand( "Error: PauseTask( taskname ) requires atleast one parameter.", &CTaskFactory::PauseTask ),
          "pausetask( taskname )", "Pauses the task of that name." },
        { "resumetask",
          TaskNameCommand( "Error: ResumeTask( taskname ) requires atleast one parameter.",
                           &CTaskFactory::ResumeTask ),
          "resumetask( taskname )", "Resumes the paused task of that name." },
        { "stoptask",
          TaskNameCommand( "Error: StopTask( taskname ) requires atleast one parameter.", &CTaskFactory::StopTask ),
          "stoptask( taskname )", "Stops the task of that name for good." },
        { "runlater", RunLater, "runlater( milliseconds, line )",
          "Runs a console line in the main console once that many milliseconds have passed." },
        { "help", HelpCommand( HelpText ), "help [( name )]",
          "Lists the command namespaces; with a name, shows that command (also as Task::Command) or namespace." },
        { "cmdlist", HelpCommand( CommandListText ), "cmdlist [( prefix )]",
          "Lists the commands, or those whose name starts with prefix, with their usage and description." },
        { "cvarlist", HelpCommand( VariableListText ), "cvarlist [( prefix )]",
          "Lists the console variables, or those whose name starts with prefix, with their values and descriptions." },
        { "apropos", HelpCommand( AproposText ), "apropos( word )",
          "Lists the commands whose name, usage or description holds word, and the variables whose name or "
          "description does." },
    };
    // The registry owns them: consoles point at them, and it outlives them.
    for( const BasicCommand& entry : table )
        registry->RegisterCommand( BASIC_NAMESPACE, entry.name,
                                   std::make_unique<CCommandFunction>( entry.function, entry.usage,
                                                                       entry.description ) );
}

} // namespace tarn
