#include "tarn/console/ccommandregistry.h"

#include "tarn/console/cconsole.h"

namespace tarn {

void CCommandRegistry::RegisterCommand( const std::string& ns, const std::string& name, CCommand* command )
{
    myNamespaces[ ns ].emplace( name, command );
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
