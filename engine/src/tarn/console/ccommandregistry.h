#ifndef TARN_CONSOLE_CCOMMANDREGISTRY_H
#define TARN_CONSOLE_CCOMMANDREGISTRY_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tarn/utils/csingleton.h"

namespace tarn {

class CCommand;
class CConsole;

// Named groups of commands that consoles can import in one step.
class CCommandRegistry final : public CSingleton<CCommandRegistry>
{
public:
    ~CCommandRegistry();

    // Creates the namespace on first use; an existing binding of the same
    // name in that namespace is kept. The command is not owned and must
    // outlive every console that imports it.
    void RegisterCommand( const std::string& ns, const std::string& name, CCommand* command );
    // The same, the registry owning the command: it lives as long as the
    // registry, which outlives the consoles (deleted after them at shutdown).
    void RegisterCommand( const std::string& ns, const std::string& name, std::unique_ptr<CCommand> command );

    // Adds every command of ns to console; nothing when ns does not exist.
    // Commands registered later do not reach that console.
    void ImportNamespace( const std::string& ns, CConsole* console );

    bool HasNamespace( const std::string& ns ) const { return myNamespaces.count( ns ) != 0; }

private:
    friend class CSingleton<CCommandRegistry>;
    CCommandRegistry();

    // Namespace name to its commands by name. Consoles that imported one
    // are not remembered: they come and go with tasks.
    std::map<std::string, std::map<std::string, CCommand*>> myNamespaces;
    std::vector<std::unique_ptr<CCommand>> myOwnedCommands;
};

} // namespace tarn

#endif
