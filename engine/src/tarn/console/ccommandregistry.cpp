#include "tarn/console/ccommandregistry.h"

#include "tarn/console/ccommand.h"
#include "tarn/console/cconsole.h"

namespace tarn {

CCommandRegistry::CCommandRegistry() = default;

CCommandRegistry::~CCommandRegistry() = default;

void CCommandRegistry::RegisterCommand( const std::string& ns, const std::string& name, CCommand* command )
{
    myNamespaces[ ns ].emplace( name, command );
}

void CCommandRegistry::RegisterCommand( const std::string& ns, const std::string& name,
                                        std::unique_ptr<CCommand> command )
{
    if( !myNamespaces[ ns ].emplace( name, command.get() ).second )
        return;
    myOwnedCommands.push_back( std::move( command ) );
}

void CCommandRegistry::ImportNamespace( const std::string& ns, CConsole* console )
{
    const auto found = myNamespaces.find( ns );
    if( found == myNamespaces.end() || !console )
        return;
    for( const auto& [ name, command ] : found->second )
        console->AddCommand( name, command );
}

} // namespace tarn
