#ifndef TARN_CONSOLE_CCOMMANDREGISTRY_H
#define TARN_CONSOLE_CCOMMANDREGISTRY_H

#include <map>
#include <string>

#include "tarn/utils/csingleton.h"

namespace tarn {

class CCommand;
class CConsole;

// Named groups of commands that consoles can import in one step.
class CCommandRegistry final : public CSingleton<CCommandRegistry>
{
public:
    // Creates the namespace on first use; an existing binding of the same
    // name in that namespace is kept. The command is not owned.
    void RegisterCommand( const std::string& ns, const std::string& name, CCommand* command );

    // Adds every command of ns to console; nothing when ns does not exist.
    // Commands registered later do not reach that console.
    void ImportNamespace( const std::string& ns, CConsole* console );

    bool HasNamespace( const std::string& ns ) const { return myNamespaces.count( ns ) != 0; }

private:
    friend class CSingleton<CCommandRegistry>;
    CCommandRegistry() = default;

    // Namespace name to its commands by name. Consoles that imported one
    // are not remembered: they come and go with tasks.
    std::map<std::string, std::map<std::string, CCommand*>> myNamespaces;
};

} // namespace tarn

#endif
