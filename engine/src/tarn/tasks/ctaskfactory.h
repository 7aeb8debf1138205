#ifndef TARN_TASKS_CTASKFACTORY_H
#define TARN_TASKS_CTASKFACTORY_H

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tarn/utils/csingleton.h"

namespace tarn {

class CAnyContainer;
class CTask;

// Knows task types by name, starts tasks on request, owns every task it made
// until it is deleted, and routes console commands to tasks by name.
class CTaskFactory final : public CSingleton<CTaskFactory>
{
public:
    // Makes a new task of one class.
    using Creator = std::function<std::unique_ptr<CTask>()>;

    ~CTaskFactory();

    // A name that is already registered keeps its first creator.
    void RegisterTaskType( const std::string& typeName, Creator creator );
    bool HasTaskType( const std::string& typeName ) const { return myTypes.count( typeName ) != 0; }

    // Creates, names and adds the task to the task manager. False (with an
    // error line in the log) only for an unknown type; a task whose Init
    // fails waits in the paused list and still counts as started.
    bool StartTask( const std::string& typeName, const std::string& taskName, int priority,
                    CAnyContainer* parameters );
    void PauseTask( const std::string& taskName );
    void ResumeTask( const std::string& taskName );
    void StopTask( const std::string& taskName );
    // Hands command to the task's HandleCommand; false for an unknown task.
    bool DoTaskCommand( const std::string& taskName, const std::string& command );

    // The task started under that name, or null.
    CTask* FindTask( const std::string& taskName ) const;
    // The names of the tasks started, sorted.
    std::vector<std::string> GetTaskNames() const;

    // Registers, for every factory made from now on, a task type known from
    // program start (used by CTaskRegistrar).
    static void AddBuiltInTaskType( const std::string& typeName, Creator creator );

private:
    friend class CSingleton<CTaskFactory>;
    CTaskFactory();

    // Logs message (with one %s) for an unknown name; else returns the task.
    CTask* FindOrReport( const std::string& taskName, const char* message ) const;

    std::map<std::string, Creator> myTypes;
    std::map<std::string, CTask*> myTasksByName;
    std::vector<std::unique_ptr<CTask>> myTasks;
};

// A static object of this type registers a task class at program start:
//   static CTaskRegistrar<CMyTask> registrar( "mytask" );
template <class Task>
class CTaskRegistrar
{
public:
    explicit CTaskRegistrar( const std::string& typeName )
    {
        CTaskFactory::AddBuiltInTaskType( typeName, [] { return std::make_unique<Task>(); } );
    }
};

} // namespace tarn

#endif
