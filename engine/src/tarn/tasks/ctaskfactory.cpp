#include "tarn/tasks/ctaskfactory.h"

#include <utility>

#include "tarn/tasks/ctask.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/clogger.h"

namespace tarn {

namespace {

std::vector<std::pair<std::string, CTaskFactory::Creator>>& BuiltInTaskTypes()
{
    static std::vector<std::pair<std::string, CTaskFactory::Creator>> types;
    return types;
}

} // namespace

CTaskFactory::CTaskFactory()
{
    for( const auto& [ name, creator ] : BuiltInTaskTypes() )
        RegisterTaskType( name, creator );
}

CTaskFactory::~CTaskFactory() = default;

void CTaskFactory::AddBuiltInTaskType( const std::string& typeName, Creator creator )
{
    BuiltInTaskTypes().emplace_back( typeName, creator );
    if( HasSingleton() )
        GetSingletonPtr()->RegisterTaskType( typeName, std::move( creator ) );
}

void CTaskFactory::RegisterTaskType( const std::string& typeName, Creator creator )
{
    myTypes.emplace( typeName, std::move( creator ) );
}

bool CTaskFactory::StartTask( const std::string& typeName, const std::string& taskName, int priority,
                              CAnyContainer* parameters )
{
    const auto type = myTypes.find( typeName );
    if( type == myTypes.end() )
    {
        GetLog().Printf( "[ERROR] Trying to start a task %s that doesn't exist.\n", typeName.c_str() );
        return false;
    }

    if( CTaskManager::GetSingletonPtr()->HasFailed() )
    {
        GetLog().Error() << "Not starting the task " << taskName << ": the program is ending on an error\n";
        return false;
    }

    std::unique_ptr<CTask> task = type->second();
    task->SetPriority( priority );
    task->SetName( taskName );
    CTask* started = task.get();
    // A second task under the same name takes the name over; the first one
    // stays owned (and may still be in a task list) until the factory goes.
    myTasks.push_back( std::move( task ) );
    myTasksByName[ taskName ] = started;

    CTaskManager::GetSingletonPtr()->AddTask( started, parameters );
    return true;
}

void CTaskFactory::PauseTask( const std::string& taskName )
{
    if( CTask* task = FindOrReport( taskName, "[ERROR] Trying to pause a task %s that doesn't exist.\n" ) )
        CTaskManager::GetSingletonPtr()->PauseTask( task );
}

void CTaskFactory::ResumeTask( const std::string& taskName )
{
    if( CTask* task = FindOrReport( taskName, "[ERROR] Trying to resume a task %s that doesn't exist.\n" ) )
        CTaskManager::GetSingletonPtr()->ResumeTask( task );
}

void CTaskFactory::StopTask( const std::string& taskName )
{
    GetLog() << "CTaskFactory::StopTask() called\n";
    if( CTask* task = FindOrReport( taskName, "[ERROR] Trying to stop a task %s that doesn't exist.\n" ) )
        CTaskManager::GetSingletonPtr()->KillTask( task );
}

bool CTaskFactory::DoTaskCommand( const std::string& taskName, const std::string& command )
{
    CTask* task = FindOrReport( taskName, "[ERROR] Sorry the namespace or task %s doesn't exist.\n" );
    return task && task->HandleCommand( command );
}

CTask* CTaskFactory::FindTask( const std::string& taskName ) const
{
    const auto found = myTasksByName.find( taskName );
    return found == myTasksByName.end() ? nullptr : found->second;
}

std::vector<std::string> CTaskFactory::GetTaskNames() const
{
    std::vector<std::string> names;
    for( const auto& [ name, task ] : myTasksByName )
        names.push_back( name );
    return names;
}

CTask* CTaskFactory::FindOrReport( const std::string& taskName, const char* message ) const
{
    CTask* task = FindTask( taskName );
    if( !task )
        GetLog().Printf( message, taskName.c_str() );
    return task;
}

} // namespace tarn
