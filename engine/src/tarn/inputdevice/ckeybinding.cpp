#include "tarn/inputdevice/ckeybinding.h"

#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"

namespace tarn {

void CKeyBinding::Fire( int key )
{
    (void)key;
    GetConsole()->Execute( myCommand, false );
}

void CKeyComboBinding::Fire( int key )
{
    (void)key;
    if( AllKeysDown() )
        GetConsole()->Execute( myCommand, false );
}

bool CKeyComboBinding::AllKeysDown() const
{
    if( !myKeyStates )
        return false;
    for( int key : myKeys )
    {
        if( key < 0 || key >= KEY_COUNT || !( *myKeyStates )[ key ] )
            return false;
    }
    return true;
}

} // namespace tarn
