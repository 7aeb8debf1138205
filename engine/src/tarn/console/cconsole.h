#ifndef TARN_CONSOLE_CCONSOLE_H
#define TARN_CONSOLE_CCONSOLE_H

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tarn/console/cconsolevariable.h"
#include "tarn/utils/canycontainer.h"

namespace tarn {

class CCommand;

// Interpreter of the console language: one line at a time, text in, result
// text out. Holds named commands (not owned) and string variables (owned).
// Names are case-insensitive unless SetCaseSensitive( true ).
//
// A line is a command call `Name( arg, "text arg", other() )`, a bare `Name`,
// a variable read `x` or assignment `x = value`, a compound line of
// statements separated by ";", a namespace call `Task::Command( ... )`, or a
// comment starting with "//". Arguments are evaluated as lines themselves.
class CConsole
{
public:
    using CommandMap = std::map<std::string, CCommand*>;

    // Deepest nesting of lines executed inside lines (arguments, assigned
    // values, namespaces, loaded files); deeper lines are refused with an
    // error in the log.
    static constexpr int MAX_NESTING = 200;
    // Longest line executed, typed or read from a script; longer lines are
    // refused with an error in the log (naming the script and line).
    static constexpr std::size_t MAX_LINE_LENGTH = 65536;

    CConsole() = default;
    virtual ~CConsole();

    CConsole( const CConsole& ) = delete;
    CConsole& operator=( const CConsole& ) = delete;

    // Executes one line and returns its result text; echo is for consoles
    // that log what they run.
    virtual std::string Execute( const std::string& line, bool echo = false );
    // Executes every line of a text file; a missing file executes nothing.
    // Lines may end in LF or CR LF. Returns "".
    virtual std::string ExecuteFile( const std::string& filename );
    // Fallback for a line that names no command: reads or assigns a variable;
    // an unknown name comes back as the line's own text.
    virtual std::string Evaluate( const std::string& line, const std::string& name );
    // Binds name to command, replacing an earlier binding. Not owned: its
    // owner (the command registry, or the object that binds it) keeps it
    // alive until it is removed or this console is gone.
    virtual void AddCommand( const std::string& name, CCommand* command );
    virtual void RemoveCommand( const std::string& name );
    virtual CCommand* FindCommand( const std::string& name ) const;
    virtual void SetCaseSensitive( bool caseSensitive );
    virtual bool IsCaseSensitive() const;
    virtual CommandMap GetCommands() const;
    // Text before the first "(" (untrimmed), or the whole line.
    virtual std::string GetCommandName( const std::string& line ) const;
    // True for a line with "::", ";" or "//" outside quotes, or a blank line.
    virtual bool IsCompound( const std::string& line ) const;
    virtual std::string ExecuteCompound( const std::string& line );
    // This console ignores the namespace and executes rest itself.
    virtual std::string ExecuteInNamespace( const std::string& ns, const std::string& rest );
    // The name a line would call or read without this console knowing a
    // command, variable or namespace of that name (the first such of a
    // compound line); "" for known names, assignments, values, comments,
    // blank lines and lines too long to run. Nothing is executed.
    std::string FindUnknownName( const std::string& line ) const;
    // FindUnknownName for rest, handed to the namespace ns; this console
    // looks rest up itself.
    virtual std::string FindUnknownNameInNamespace( const std::string& ns, const std::string& rest ) const;

    // Evaluates the arguments between the first "(" and the last ")";
    // null when the line has no argument list.
    std::unique_ptr<CAnyContainer> ParseArguments( const std::string& line );

    // Creates a read-write variable when there is none of that name.
    void SetVariable( const std::string& name, const std::string& value );
    // "" when there is no such variable.
    std::string GetVariable( const std::string& name ) const;
    bool HasVariable( const std::string& name ) const;
    // Takes ownership; replaces (and deletes) a variable of the same name.
    void AddVariable( const std::string& name, std::unique_ptr<CConsoleVariable> variable,
                      const std::string& description = "" );
    void RemoveVariable( const std::string& name );
    // Every variable, by name (upper-cased unless case-sensitive).
    std::vector<const CConsoleVariable*> GetVariables() const;
    // Called with the variable after every assignment through SetVariable (a
    // script's `x = value` included); it may not add or remove variables.
    void SetVariableListener( std::function<void( const CConsoleVariable& )> listener );

private:
    std::string Key( const std::string& name ) const;

    CommandMap myCommands;
    std::map<std::string, std::unique_ptr<CConsoleVariable>> myVariables;
    bool myCaseSensitive = false;
    std::function<void( const CConsoleVariable& )> myVariableListener;
};

} // namespace tarn

#endif
