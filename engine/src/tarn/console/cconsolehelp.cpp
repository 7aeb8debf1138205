#include "tarn/console/cconsolehelp.h"

#include "tarn/console/basiccommands.h"
#include "tarn/console/ccommand.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/console/csettingvar.h"
#include "tarn/tasks/ctask.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/utils/stringutils.h"

namespace tarn {

namespace {

bool StartsWith( const std::string& text, const std::string& prefix )
{
    return ToUpper( text ).compare( 0, prefix.size(), ToUpper( prefix ) ) == 0;
}

// The command's name without its namespace.
std::string Bare( const std::string& qualified )
{
    const std::size_t colons = qualified.rfind( "::" );
    return colons == std::string::npos ? qualified : qualified.substr( colons + 2 );
}

bool Holds( const std::string& text, const std::string& word )
{
    return ToUpper( text ).find( ToUpper( word ) ) != std::string::npos;
}

// text fit for a Markdown table cell.
std::string Cell( const std::string& text )
{
    std::string cell;
    for( const char c : text )
        cell += c == '|' ? std::string( "\\|" ) : std::string( 1, c );
    return cell;
}

std::string VariableKind( const CConsoleVariable& variable )
{
    if( const auto* setting = dynamic_cast<const CSettingVar*>( &variable ) )
        return "player setting, " + std::to_string( setting->GetMin() ) + " to " + std::to_string( setting->GetMax() );
    return variable.IsReadOnly() ? "read-only" : "";
}

} // namespace

CConsoleHelp CConsoleHelp::ForMainConsole()
{
    CConsoleHelp help;
    help.AddNamespace( BASIC_NAMESPACE, *GetConsole() );
    CTaskFactory* factory = CTaskFactory::GetSingletonPtr();
    for( const std::string& name : factory->GetTaskNames() )
    {
        if( const CConsole* console = factory->FindTask( name )->GetCommandConsole() )
            help.AddNamespace( name, *console );
    }
    return help;
}

void CConsoleHelp::AddNamespace( const std::string& name, const CConsole& console )
{
    myNamespaces.emplace_back( name, &console );
}

std::string CConsoleHelp::Help() const
{
    std::string names;
    for( const auto& [ name, console ] : myNamespaces )
        names += ( names.empty() ? "" : ", " ) + name;
    return "Command namespaces: " + names + "\n" +
           "A task's commands are called as Task::Command( ... ), those of basic by their name alone.\n"
           "help( \"name\" ) shows a command (also as \"Task::Command\") or a namespace's commands; "
           "cmdlist( \"prefix\" ) lists commands, cvarlist( \"prefix\" ) variables and their values, "
           "apropos( \"word\" ) searches names and descriptions.\n";
}

std::string CConsoleHelp::Help( const std::string& name ) const
{
    std::string text;
    for( const Entry& entry : Entries() )
    {
        const std::string qualified = Qualified( entry );
        const std::string& description = entry.command->GetDescription();
        if( ToUpper( entry.ns ) == ToUpper( name ) )
            text += Line( entry ) + "\n";
        else if( ToUpper( qualified ) == ToUpper( name ) || ToUpper( Bare( qualified ) ) == ToUpper( name ) )
            text += Usage( entry ) + "\n    " + ( description.empty() ? "No description." : description ) + "\n";
    }
    return text.empty() ? "help: no command or namespace named " + name + "\n" : text;
}

std::string CConsoleHelp::CommandList( const std::string& prefix ) const
{
    std::string text;
    for( const Entry& entry : Entries() )
    {
        const std::string qualified = Qualified( entry );
        if( StartsWith( qualified, prefix ) || StartsWith( Bare( qualified ), prefix ) )
            text += Line( entry ) + "\n";
    }
    return text.empty() ? "cmdlist: no command starts with " + prefix + "\n" : text;
}

std::string CConsoleHelp::VariableList( const std::string& prefix ) const
{
    std::string text;
    for( const auto& [ name, variable ] : Variables() )
    {
        if( StartsWith( name, prefix ) || StartsWith( variable->GetName(), prefix ) )
            text += VariableLine( name, *variable );
    }
    return text.empty() ? "cvarlist: no variable starts with " + prefix + "\n" : text;
}

std::string CConsoleHelp::Apropos( const std::string& word ) const
{
    std::string text;
    for( const Entry& entry : Entries() )
    {
        if( Holds( Qualified( entry ), word ) || Holds( entry.command->GetUsage(), word ) ||
            Holds( entry.command->GetDescription(), word ) )
            text += Line( entry ) + "\n";
    }
    for( const auto& [ name, variable ] : Variables() )
    {
        if( Holds( name, word ) || Holds( variable->GetDescription(), word ) )
            text += VariableLine( name, *variable );
    }
    return text.empty() ? "apropos: nothing about " + word + "\n" : text;
}

std::string CConsoleHelp::Reference() const
{
    std::string text = "# Console commands and variables\n\n"
                       "Every command and variable of the main console and of the tasks the start-up script\n"
                       "starts, with the values it leaves. Written by `horror --list-commands`; in the game's\n"
                       "console `help`, `cmdlist`, `cvarlist` and `apropos` show the same.\n";
    for( const auto& [ ns, console ] : myNamespaces )
        text += CommandTable( ns );
    return text + VariableTable();
}

std::string CConsoleHelp::CommandTable( const std::string& ns ) const
{
    std::string rows;
    for( const Entry& entry : Entries() )
    {
        if( entry.ns == ns )
            rows += "| `" + Cell( Usage( entry ) ) + "` | " + Cell( entry.command->GetDescription() ) + " |\n";
    }
    if( rows.empty() )
        return "";
    const std::string how = ns == BASIC_NAMESPACE ? " (called by their names alone)" : " (called as " + ns + "::Command)";
    return "\n## " + ns + how + "\n\n| command | what it does |\n|---|---|\n" + rows;
}

std::string CConsoleHelp::VariableTable() const
{
    std::string text = "\n## Variables\n\n| variable | value | kind | what it does |\n|---|---|---|---|\n";
    for( const auto& [ name, variable ] : Variables() )
    {
        text += "| `" + Cell( name ) + "` | " + Cell( variable->GetValue() ) + " | " + VariableKind( *variable ) + " | " +
                Cell( variable->GetDescription() ) + " |\n";
    }
    return text;
}

std::vector<CConsoleHelp::Entry> CConsoleHelp::Entries() const
{
    std::vector<Entry> entries;
    for( const auto& [ ns, console ] : myNamespaces )
    {
        for( const auto& [ key, command ] : console->GetCommands() )
            entries.push_back( Entry{ ns, key, command } );
    }
    return entries;
}

std::vector<std::pair<std::string, const CConsoleVariable*>> CConsoleHelp::Variables() const
{
    std::vector<std::pair<std::string, const CConsoleVariable*>> variables;
    for( const auto& [ ns, console ] : myNamespaces )
    {
        for( const CConsoleVariable* variable : console->GetVariables() )
            variables.emplace_back( ( ns == BASIC_NAMESPACE ? "" : ns + "::" ) + variable->GetName(), variable );
    }
    return variables;
}

std::string CConsoleHelp::VariableLine( const std::string& name, const CConsoleVariable& variable )
{
    const std::string& description = variable.GetDescription();
    return name + " = " + variable.GetValue() + ( variable.IsReadOnly() ? " (read-only)" : "" ) +
           ( description.empty() ? "" : " - " + description ) + "\n";
}

std::string CConsoleHelp::Qualified( const Entry& entry )
{
    // The usage starts with the name as it is written; the key may be upper-cased.
    const std::string& usage = entry.command->GetUsage();
    const std::string name = usage.empty() ? entry.key : TrimBlanks( usage.substr( 0, usage.find_first_of( "( [" ) ) );
    return entry.ns == BASIC_NAMESPACE ? name : entry.ns + "::" + name;
}

std::string CConsoleHelp::Usage( const Entry& entry )
{
    const std::string& usage = entry.command->GetUsage();
    return usage.empty() ? Qualified( entry ) : ( entry.ns == BASIC_NAMESPACE ? "" : entry.ns + "::" ) + usage;
}

std::string CConsoleHelp::Line( const Entry& entry )
{
    std::string line = Usage( entry );
    if( !entry.command->GetDescription().empty() )
        line += " - " + entry.command->GetDescription();
    return line;
}

} // namespace tarn
