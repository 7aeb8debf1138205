#ifndef TARN_CONSOLE_CCONSOLEHELP_H
#define TARN_CONSOLE_CCONSOLEHELP_H

#include <string>
#include <vector>

namespace tarn {

class CCommand;
class CConsole;
class CConsoleVariable;

// The texts of the console's help commands (help, cmdlist, cvarlist,
// apropos) over named command namespaces, each a console. The commands of the
// namespace "basic" are written without their namespace, as scripts call
// them; the others as `Namespace::Command`. Every text ends in a newline.
class CConsoleHelp final
{
public:
    // The main console as "basic" and the console of every running task
    // that has one, by task name.
    static CConsoleHelp ForMainConsole();

    // Adds a namespace; console must outlive this object.
    void AddNamespace( const std::string& name, const CConsole& console );

    // The namespaces and how to learn more.
    std::string Help() const;
    // The usage and description of every command called name (with or
    // without namespace), or the commands of the namespace called name.
    std::string Help( const std::string& name ) const;
    // One line per command whose name (bare or with namespace) starts with
    // prefix, case-insensitively.
    std::string CommandList( const std::string& prefix ) const;
    // One `name = value` line per variable whose name starts with prefix.
    std::string VariableList( const std::string& prefix ) const;
    // The commands whose name, usage or description holds word, then the
    // variables whose name or description holds it.
    std::string Apropos( const std::string& word ) const;
    // Every namespace's commands and every variable with its value, as a
    // Markdown document: the command reference authors read.
    std::string Reference() const;

private:
    struct Entry
    {
        std::string ns;
        std::string key;
        const CCommand* command;
    };

    // Every command of every namespace, namespaces in order, commands by name.
    std::vector<Entry> Entries() const;
    // Every variable of every namespace with its name as cvarlist writes it.
    std::vector<std::pair<std::string, const CConsoleVariable*>> Variables() const;
    // `name = value`, read-only marked, and " - description".
    static std::string VariableLine( const std::string& name, const CConsoleVariable& variable );
    // `Namespace::Command` (or the bare name in basic).
    static std::string Qualified( const Entry& entry );
    // The call form, with the namespace.
    static std::string Usage( const Entry& entry );
    // The call form and " - description" on one line.
    static std::string Line( const Entry& entry );
    // The table of the commands of namespace ns; "" when it has none.
    std::string CommandTable( const std::string& ns ) const;
    // The table of every namespace's variables.
    std::string VariableTable() const;

    std::vector<std::pair<std::string, const CConsole*>> myNamespaces;
};

} // namespace tarn

#endif
