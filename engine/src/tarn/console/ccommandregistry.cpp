#include "tarn/console/ccommandregistry.h"

#include <algorithm>

#include "tarn/console/cconsole.h"

namespace tarn {

void CCommandRegistry::RegisterCommand( const std::string& ns, const std::string& name, CCommand* command )
{
    myNamespaces[ ns ].commands.emplace( name, command );
}

void CCommandRegistry::ImportNamespace( const std::string& ns, CConsole* console )
{
    const auto found = myNamespaces.find( ns );
    if( found == myNamespaces.end() || !console )
        return;

    CNamespace& space = found->second;
    if( std::find( space.importers.begin(), space.importers.end(), console ) == space.importers.end() )
        space.importers.push_back( console );
    for( const auto& [ name, command ] : space.commands )
        console->AddCommand( name, command );
}

} // namespace tarn
