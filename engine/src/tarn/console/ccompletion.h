#ifndef TARN_CONSOLE_CCOMPLETION_H
#define TARN_CONSOLE_CCOMPLETION_H

#include <string>
#include <vector>

namespace tarn {

class CConsole;

// Completes the name being typed at the end of a console line: a command or
// variable, a namespace ("Audio::") or, after one, a command of its console
// ("Audio::PlayMusic"). Names match whatever their case and are written as
// they are known.
class CCompletion final
{
public:
    // The main console's commands and variables, and every running task as
    // a namespace with the commands of its console.
    static CCompletion ForMainConsole();

    // Adds console's commands and variables as names without namespace.
    void AddNames( const CConsole& console );
    // Adds a namespace and, with a console, its commands.
    void AddNamespace( const std::string& name, const CConsole* console );

    // The names the last word of line could become, sorted.
    std::vector<std::string> GetCandidates( const std::string& line ) const;
    // line with its last word completed as far as every candidate agrees;
    // line itself when none matches.
    std::string Complete( const std::string& line ) const;

private:
    void Add( std::vector<std::string>& names, const std::string& name );

    // Commands, variables and namespaces; then commands with their namespace.
    std::vector<std::string> myNames;
    std::vector<std::string> myQualifiedNames;
};

} // namespace tarn

#endif
