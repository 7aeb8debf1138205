#include "tarn/tasks/ctaskkeyboard.h"

#include <memory>
#include <sstream>
#include <vector>

#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/inputdevice/ckeybinding.h"
#include "tarn/inputdevice/ckeyboard.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/utils/numberutils.h"

namespace tarn {

namespace {

CTaskRegistrar<CTaskKeyboard> registrar( "keyboard" );

// The names of a combination, split at blanks.
std::vector<int> ComboKeys( const std::string& names )
{
    std::vector<int> keys;
    std::istringstream stream( names );
    std::string name;
    while( stream >> name )
        keys.push_back( NameToKey( name ) );
    return keys;
}

} // namespace

CTaskKeyboard::CTaskKeyboard() : myBindCommand( &CTaskKeyboard::Bind ) {}

CTaskKeyboard::~CTaskKeyboard() = default;

bool CTaskKeyboard::Init()
{
    // The keyboard starts listening now, so no key is missed before the
    // first update.
    GetKeyboard();
    myConsole = CreateConsole();
    myConsole->AddCommand( "bind", &myBindCommand );
    ApplyCommandHelp( *myConsole, GetCommandHelp() );
    return true;
}

void CTaskKeyboard::Update()
{
    GetKeyboard()->Update();
}

bool CTaskKeyboard::HandleCommand( const std::string& command )
{
    if( myConsole )
        myConsole->Execute( command, false );
    return true;
}

const CConsole* CTaskKeyboard::GetCommandConsole() const
{
    return myConsole.get();
}

const CommandHelpTable& CTaskKeyboard::GetCommandHelp()
{
    static const CommandHelpTable table = {
        { "bind", "bind( key, \"command\" [, priority] )",
          "Runs the console line when the key (a name, a code, or names separated by blanks for a combination) "
          "goes down and up; priority defaults to 10." },
    };
    return table;
}

std::string CTaskKeyboard::Bind( CAnyContainer* args )
{
    if( !args || args->Size() < 2 || !args->IsType( 1, CAnyContainer::TYPE_STRING ) )
        return BIND_ERROR;
    const std::string command = args->GetString( 1 );
    const int priority = args->IsType( 2, CAnyContainer::TYPE_NUMBER ) ? TruncateToInt( args->GetNumber( 2 ) )
                                                                       : DEFAULT_PRIORITY;
    CKeyboard* keyboard = GetKeyboard();

    if( args->IsType( 0, CAnyContainer::TYPE_NUMBER ) )
    {
        // Key codes beyond the key-state table are refused.
        const double code = args->GetNumber( 0 );
        if( !( code >= 0 && code < KEY_COUNT ) )
            return BIND_ERROR;
        keyboard->AddBinding( static_cast<int>( code ), std::make_shared<CKeyBinding>( command ), priority );
        return "";
    }
    if( !args->IsType( 0, CAnyContainer::TYPE_STRING ) )
        return BIND_ERROR;

    const std::string key = args->GetString( 0 );
    if( key.find( ' ' ) == std::string::npos )
    {
        keyboard->AddBinding( NameToKey( key ), std::make_shared<CKeyBinding>( command ), priority );
        return "";
    }
    const std::vector<int> keys = ComboKeys( key );
    if( keys.empty() )
        return BIND_ERROR;
    keyboard->AddComboBinding( keys, std::make_shared<CKeyComboBinding>( keys, command ), priority );
    return "";
}

} // namespace tarn
