#include "tarn/console/ccommandhelp.h"

#include "tarn/console/ccommand.h"
#include "tarn/console/cconsole.h"

namespace tarn {

void ApplyCommandHelp( CConsole& console, const CommandHelpTable& table )
{
    for( const CCommandHelp& help : table )
    {
        if( CCommand* command = console.FindCommand( help.name ) )
            command->SetHelp( help.usage, help.description );
    }
}

} // namespace tarn
