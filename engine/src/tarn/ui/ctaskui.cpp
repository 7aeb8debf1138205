#include "tarn/ui/ctaskui.h"

#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/gfx/font/csystemfont.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/ui/cdesktop.h"
#include "tarn/ui/cmenuwindow.h"
#include "tarn/utils/canycontainer.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/numberutils.h"

namespace tarn {
namespace ui {

namespace {

CTaskRegistrar<CTaskUI> registrar( "ui" );

// How each kind of row is declared: its command, its arguments ("s" a
// string, "n" a number) and what the log says when they do not fit.
struct ItemCommand
{
    CMenuItem::Kind kind;
    const char* name;
    const char* shape;
    const char* usage;
};

const ItemCommand ITEM_COMMANDS[] = {
    { CMenuItem::Kind::ACTION, "MenuAction", "ss", "a label and a console line" },
    { CMenuItem::Kind::CONFIRM, "MenuConfirm", "sss", "a label, a question and a console line" },
    { CMenuItem::Kind::RANGE, "MenuRange", "ssnnn", "a label, a variable, the lowest and highest value and a step" },
    { CMenuItem::Kind::TOGGLE, "MenuToggle", "ss", "a label and a variable" },
    { CMenuItem::Kind::CHOICE, "MenuChoice", "sss", "a label, a variable and choices like \"1:1x,0:Largest\"" },
};

bool Fits( const CAnyContainer* args, const std::string& shape )
{
    if( !args )
        return false;
    for( std::size_t i = 0; i < shape.size(); ++i )
    {
        if( !args->IsType( i, shape[ i ] == 's' ? CAnyContainer::TYPE_STRING : CAnyContainer::TYPE_NUMBER ) )
            return false;
    }
    return true;
}

CMenuItem MakeItem( CMenuItem::Kind kind, const CAnyContainer& args )
{
    const std::string label = args.GetString( 0 );
    switch( kind )
    {
    case CMenuItem::Kind::ACTION: return CMenuItem::Action( label, args.GetString( 1 ) );
    case CMenuItem::Kind::CONFIRM: return CMenuItem::Confirm( label, args.GetString( 1 ), args.GetString( 2 ) );
    case CMenuItem::Kind::RANGE:
        return CMenuItem::Range( label, args.GetString( 1 ), TruncateToInt( args.GetNumber( 2 ) ),
                                 TruncateToInt( args.GetNumber( 3 ) ), TruncateToInt( args.GetNumber( 4 ) ) );
    case CMenuItem::Kind::TOGGLE: return CMenuItem::Toggle( label, args.GetString( 1 ) );
    default: return CMenuItem::Choice( label, args.GetString( 1 ), args.GetString( 2 ) );
    }
}

} // namespace

CTaskUI::CTaskUI() :
    myItemFont( CSystemFont::FILE_NAME )
{
}

CTaskUI::~CTaskUI() = default;

bool CTaskUI::Init()
{
    GetDesktop();
    myConsole = CreateConsole();
    const auto add = [ this ]( const char* name, CCommandFunction::Function function ) {
        myCommands.push_back( std::make_unique<CCommandFunction>( std::move( function ) ) );
        myConsole->AddCommand( name, myCommands.back().get() );
    };
    add( "MenuTitle", [ this ]( CAnyContainer* args ) { return MenuTitle( args ); } );
    add( "MenuFont", [ this ]( CAnyContainer* args ) { return MenuFont( args ); } );
    for( const ItemCommand& command : ITEM_COMMANDS )
    {
        const CMenuItem::Kind kind = command.kind;
        add( command.name, [ this, kind ]( CAnyContainer* args ) { return AddItem( args, kind ); } );
    }
    add( "ToggleMenu", [ this ]( CAnyContainer* args ) { return ToggleMenu( args ); } );
    add( "CloseMenu", [ this ]( CAnyContainer* args ) { return CloseMenu( args ); } );
    ApplyCommandHelp( *myConsole, GetCommandHelp() );
    return true;
}

void CTaskUI::Update()
{
    GetDesktop()->Update();
    if( myMenu )
        myMenu->Update();
}

void CTaskUI::Exit()
{
    myMenu.reset();
    myConsole.reset();
    myCommands.clear();
}

bool CTaskUI::HandleCommand( const std::string& command )
{
    if( myConsole )
        myConsole->Execute( command, false );
    return true;
}

const CConsole* CTaskUI::GetCommandConsole() const
{
    return myConsole.get();
}

const CommandHelpTable& CTaskUI::GetCommandHelp()
{
    static const CommandHelpTable table = {
        { "MenuTitle", "MenuTitle( \"Paused\" [, \"font\"] )", "Sets the pause menu's heading and its font." },
        { "MenuFont", "MenuFont( [\"font\"] )", "Sets the font of the menu's rows (the system font without one)." },
        { "MenuAction", "MenuAction( \"label\", \"line\" )", "Adds a row that runs a console line." },
        { "MenuConfirm", "MenuConfirm( \"label\", \"question\", \"line\" )",
          "Adds a row that asks Yes / No before it runs a console line." },
        { "MenuRange", "MenuRange( \"label\", \"variable\", lowest, highest, step )",
          "Adds a row that sets a number variable in steps." },
        { "MenuToggle", "MenuToggle( \"label\", \"variable\" )",
          "Adds a row that switches a variable between 1 and 0." },
        { "MenuChoice", "MenuChoice( \"label\", \"variable\", \"1:1x,0:Largest\" )",
          "Adds a row that picks one of the named values of a variable." },
        { "ToggleMenu", "ToggleMenu",
          "Opens the menu, or steps back: from a question to the menu, from the menu to the game." },
        { "CloseMenu", "CloseMenu", "Closes the menu." },
    };
    return table;
}

std::string CTaskUI::MenuTitle( CAnyContainer* args )
{
    if( !Fits( args, "s" ) )
    {
        GetLog().Error() << "UI::MenuTitle - needs the title and may take its font\n";
        return "";
    }
    myTitle = args->GetString( 0 );
    myTitleFont = args->IsType( 1, CAnyContainer::TYPE_STRING ) ? args->GetString( 1 ) : "";
    myMenuStale = true;
    return "";
}

std::string CTaskUI::MenuFont( CAnyContainer* args )
{
    if( !Fits( args, "s" ) )
    {
        GetLog().Error() << "UI::MenuFont - needs a font file\n";
        return "";
    }
    myItemFont = args->GetString( 0 );
    myMenuStale = true;
    return "";
}

std::string CTaskUI::AddItem( CAnyContainer* args, CMenuItem::Kind kind )
{
    const ItemCommand* command = &ITEM_COMMANDS[ 0 ];
    while( command->kind != kind )
        ++command;
    if( !Fits( args, command->shape ) )
    {
        GetLog().Error() << "UI::" << command->name << " - needs " << command->usage << "\n";
        return "";
    }
    CMenuItem item = MakeItem( kind, *args );
    if( item.GetLabel().empty() )
    {
        GetLog().Error() << "UI::" << command->name << " - no row without a label or choices: \""
                         << args->GetString( 0 ) << "\"\n";
        return "";
    }
    myItems.push_back( std::move( item ) );
    myMenuStale = true;
    return "";
}

std::string CTaskUI::ToggleMenu( CAnyContainer* )
{
    if( myMenu && myMenu->IsShown() )
    {
        myMenu->StepBack();
        return "";
    }
    if( myItems.empty() )
        return "";
    // A declaration that changed waits for the menu to be closed, so that no
    // row goes while it is being clicked.
    if( !myMenu || myMenuStale )
    {
        myMenu.reset();
        myMenu = std::make_unique<CMenuWindow>( myItems, myTitle, myItemFont, myTitleFont );
        myMenuStale = false;
    }
    myMenu->SetOpen( true );
    return "";
}

std::string CTaskUI::CloseMenu( CAnyContainer* )
{
    if( myMenu )
        myMenu->SetOpen( false );
    return "";
}

} // namespace ui
} // namespace tarn
