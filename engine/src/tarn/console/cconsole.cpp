#include "tarn/console/cconsole.h"

#include <fstream>
#include <sstream>

#include "tarn/console/ccommand.h"
#include "tarn/io/datafile.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/stringutils.h"

namespace tarn {

namespace {

// A piece that is empty or made only of these characters is a number argument.
const char* const NUMBER_CHARACTERS = "0123456789.+-";

void AddArgument( CAnyContainer& args, const std::string& piece )
{
    const bool isString = !piece.empty() && piece.find_first_not_of( NUMBER_CHARACTERS ) != std::string::npos;
    if( !isString )
    {
        std::istringstream stream( piece );
        double value = 0;
        stream >> value;
        args.AddNumber( value );
        return;
    }

    if( piece.size() >= 2 && piece.front() == '"' && piece.back() == '"' )
        args.AddString( piece.substr( 1, piece.size() - 2 ) );
    else
        args.AddString( piece );
}

// The part of the line before its first "//" outside quotes.
std::string WithoutComment( const std::string& line )
{
    const std::string::size_type comment = FindOutsideQuotes( line, "//" );
    return comment == std::string::npos ? line : line.substr( 0, comment );
}

} // namespace

CConsole::~CConsole() = default;

std::string CConsole::Execute( const std::string& line, bool echo )
{
    (void)echo;
    // Arguments, assignments, namespaces and "load" all execute lines inside
    // a line; a script that loads itself, or a line of thousands of nested
    // calls, would otherwise run the stack out.
    static int depth = 0;
    if( depth >= MAX_NESTING )
    {
        GetLog().Error() << "Console: lines nested more than " << MAX_NESTING << " deep, not executed: "
                         << line.substr( 0, 80 ) << "\n";
        return "";
    }
    if( line.size() > MAX_LINE_LENGTH )
    {
        GetLog().Error() << "Console: line of " << line.size() << " characters, longer than " << MAX_LINE_LENGTH
                         << ", not executed: " << line.substr( 0, 80 ) << "\n";
        return "";
    }
    struct CDepth
    {
        CDepth() { ++depth; }
        ~CDepth() { --depth; }
    } nested;

    if( IsCompound( line ) )
        return ExecuteCompound( line );

    const std::string name = TrimBlanks( GetCommandName( line ) );
    CCommand* command = FindCommand( name );
    if( !command )
    {
        // The arguments of an unknown name still run, for their effects;
        // but not in an assignment, whose value Evaluate executes itself:
        // running "a=b(a=b(...))" twice at every level took exponential time.
        if( FindOutsideQuotes( line, "=" ) == std::string::npos )
            ParseArguments( line );
        return Evaluate( line, name );
    }
    std::unique_ptr<CAnyContainer> args = ParseArguments( line );
    return args ? command->Execute( *args ) : command->Execute();
}

std::string CConsole::ExecuteFile( const std::string& filename )
{
    // A missing script runs nothing, silently: the start-up script is
    // optional. Anything else that cannot be read is said.
    const std::string fault = DataFileFault( filename );
    if( fault == FILE_MISSING )
        return "";
    if( !fault.empty() )
    {
        GetLog().Error() << "Console: the script " << filename << " " << fault << ", not run\n";
        return "";
    }
    std::ifstream file( filename, std::ios::binary );
    std::string line;
    int number = 0;
    // Lines are cut at the limit while they are read, and CR LF line ends
    // run like LF ones.
    std::size_t length = 0;
    while( ReadBoundedLine( file, line, MAX_LINE_LENGTH, &length ) )
    {
        ++number;
        if( length > MAX_LINE_LENGTH )
        {
            GetLog().Error() << "Console: line " << number << " of " << filename << " has " << length
                             << " characters, more than " << MAX_LINE_LENGTH << ", not executed\n";
            continue;
        }
        Execute( line, false );
    }
    return "";
}

std::string CConsole::Evaluate( const std::string& line, const std::string& name )
{
    (void)name;
    if( FindOutsideQuotes( line, "=" ) == std::string::npos )
    {
        const std::string key = TrimBlanks( line );
        return HasVariable( key ) ? GetVariable( key ) : key;
    }

    const std::vector<std::string> pieces = SplitOutsideQuotes( line, "=", 2 );
    const std::string target = pieces.empty() ? "" : TrimBlanks( pieces[ 0 ] );
    const std::string value = pieces.size() > 1 ? TrimBlanks( Execute( pieces[ 1 ], false ) ) : "";
    SetVariable( target, value );
    return GetVariable( target );
}

void CConsole::AddCommand( const std::string& name, CCommand* command )
{
    RemoveCommand( name );
    myCommands[ Key( name ) ] = command;
}

void CConsole::RemoveCommand( const std::string& name )
{
    myCommands.erase( Key( name ) );
}

CCommand* CConsole::FindCommand( const std::string& name ) const
{
    const auto found = myCommands.find( Key( name ) );
    return found == myCommands.end() ? nullptr : found->second;
}

void CConsole::SetCaseSensitive( bool caseSensitive )
{
    myCaseSensitive = caseSensitive;
}

bool CConsole::IsCaseSensitive() const
{
    return myCaseSensitive;
}

CConsole::CommandMap CConsole::GetCommands() const
{
    return myCommands;
}

std::string CConsole::GetCommandName( const std::string& line ) const
{
    const std::string::size_type open = FindOutsideQuotes( line, "(" );
    return open == std::string::npos ? line : line.substr( 0, open );
}

bool CConsole::IsCompound( const std::string& line ) const
{
    if( TrimBlanks( line ).empty() )
        return true;
    for( const char* token : { "::", ";", "//" } )
    {
        if( FindOutsideQuotes( line, token ) != std::string::npos )
            return true;
    }
    return false;
}

std::string CConsole::ExecuteCompound( const std::string& line )
{
    if( TrimBlanks( line ).empty() )
        return "";
    if( line.compare( 0, 2, "//" ) == 0 )
        return "";

    if( FindOutsideQuotes( line, ";" ) != std::string::npos )
    {
        std::string result;
        for( const std::string& statement : SplitOutsideQuotes( WithoutComment( line ), ";" ) )
            result += Execute( statement, false ) + "\n";
        return result;
    }

    if( FindOutsideQuotes( line, "::" ) != std::string::npos )
    {
        const std::vector<std::string> parts = SplitOutsideQuotes( WithoutComment( line ), "::" );
        if( parts.size() < 2 )
            return "";
        return ExecuteInNamespace( parts[ 0 ], parts[ 1 ] );
    }

    // A "//" that does not start the line, with nothing before it that could
    // run: the line executes nothing.
    return "";
}

std::string CConsole::ExecuteInNamespace( const std::string& ns, const std::string& rest )
{
    (void)ns;
    return Execute( rest, false );
}

std::string CConsole::FindUnknownName( const std::string& line ) const
{
    // Follows Execute and ExecuteCompound: the same line runs the same way.
    if( line.size() > MAX_LINE_LENGTH )
        return "";
    if( IsCompound( line ) )
    {
        if( TrimBlanks( line ).empty() || line.compare( 0, 2, "//" ) == 0 )
            return "";
        if( FindOutsideQuotes( line, ";" ) != std::string::npos )
        {
            for( const std::string& statement : SplitOutsideQuotes( WithoutComment( line ), ";" ) )
            {
                const std::string name = FindUnknownName( statement );
                if( !name.empty() )
                    return name;
            }
            return "";
        }
        if( FindOutsideQuotes( line, "::" ) == std::string::npos )
            return "";
        const std::vector<std::string> parts = SplitOutsideQuotes( WithoutComment( line ), "::" );
        return parts.size() < 2 ? "" : FindUnknownNameInNamespace( parts[ 0 ], parts[ 1 ] );
    }
    const std::string name = TrimBlanks( GetCommandName( line ) );
    if( FindCommand( name ) || HasVariable( name ) || FindOutsideQuotes( line, "=" ) != std::string::npos )
        return "";
    // Numbers and quoted texts are values that come back as they are.
    if( name.find_first_not_of( NUMBER_CHARACTERS ) == std::string::npos || name.front() == '"' )
        return "";
    return name;
}

std::string CConsole::FindUnknownNameInNamespace( const std::string& ns, const std::string& rest ) const
{
    (void)ns;
    return FindUnknownName( rest );
}

std::unique_ptr<CAnyContainer> CConsole::ParseArguments( const std::string& line )
{
    const std::string::size_type open = FindOutsideQuotes( line, "(" );
    const std::string::size_type close = FindLastOutsideQuotes( line, ")" );
    if( open == std::string::npos || close == std::string::npos || close < open )
        return nullptr;

    auto args = std::make_unique<CAnyContainer>();
    const std::string inner = line.substr( open + 1, close - open - 1 );
    for( const std::string& piece : SplitOutsideQuotes( inner, "," ) )
        AddArgument( *args, TrimBlanks( Execute( piece, false ) ) );
    return args;
}

void CConsole::SetVariable( const std::string& name, const std::string& value )
{
    const std::string key = Key( name );
    auto found = myVariables.find( key );
    if( found != myVariables.end() )
        found->second->Set( value );
    else
        found = myVariables.emplace( key, std::make_unique<CConsoleVar<std::string>>( name, value ) ).first;
    if( myVariableListener )
        myVariableListener( *found->second );
}

std::string CConsole::GetVariable( const std::string& name ) const
{
    const auto found = myVariables.find( Key( name ) );
    return found == myVariables.end() ? "" : found->second->GetValue();
}

bool CConsole::HasVariable( const std::string& name ) const
{
    return myVariables.count( Key( name ) ) != 0;
}

void CConsole::AddVariable( const std::string& name, std::unique_ptr<CConsoleVariable> variable,
                            const std::string& description )
{
    if( !description.empty() )
        variable->SetDescription( description );
    myVariables[ Key( name ) ] = std::move( variable );
}

void CConsole::RemoveVariable( const std::string& name )
{
    myVariables.erase( Key( name ) );
}

std::vector<const CConsoleVariable*> CConsole::GetVariables() const
{
    std::vector<const CConsoleVariable*> variables;
    for( const auto& [ key, variable ] : myVariables )
        variables.push_back( variable.get() );
    return variables;
}

void CConsole::SetVariableListener( std::function<void( const CConsoleVariable& )> listener )
{
    myVariableListener = std::move( listener );
}

std::string CConsole::Key( const std::string& name ) const
{
    return myCaseSensitive ? name : ToUpper( name );
}

} // namespace tarn
