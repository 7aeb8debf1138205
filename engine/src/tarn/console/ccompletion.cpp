#include "tarn/console/ccompletion.h"

#include <algorithm>
#include <cctype>

#include "tarn/console/ccommand.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/tasks/ctask.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/utils/stringutils.h"

namespace tarn {

namespace {

const char* const NAMESPACE_SEPARATOR = "::";
// What ends the name being typed: blanks and the language's punctuation.
const char* const WORD_ENDS = " \t(),;=\"";

bool StartsWith( const std::string& text, const std::string& prefix )
{
    return text.size() >= prefix.size() && ToUpper( text.substr( 0, prefix.size() ) ) == ToUpper( prefix );
}

bool LessIgnoringCase( const std::string& a, const std::string& b )
{
    const std::string upperA = ToUpper( a );
    const std::string upperB = ToUpper( b );
    return upperA != upperB ? upperA < upperB : a < b;
}

// A case-insensitive console keeps its command names upper-cased; the usage
// starts with the name as its author wrote it.
std::string KnownName( const std::string& key, const CCommand* command )
{
    const std::string& usage = command ? command->GetUsage() : std::string();
    return usage.empty() ? key : TrimBlanks( usage.substr( 0, usage.find_first_of( "( [" ) ) );
}

std::string::size_type WordStart( const std::string& line )
{
    const std::string::size_type end = line.find_last_of( WORD_ENDS );
    return end == std::string::npos ? 0 : end + 1;
}

} // namespace

CCompletion CCompletion::ForMainConsole()
{
    CCompletion completion;
    completion.AddNames( *GetConsole() );
    const CTaskFactory* factory = CTaskFactory::GetSingletonPtr();
    for( const std::string& name : factory->GetTaskNames() )
        completion.AddNamespace( name, factory->FindTask( name )->GetCommandConsole() );
    return completion;
}

void CCompletion::AddNames( const CConsole& console )
{
    for( const auto& [ key, command ] : console.GetCommands() )
        Add( myNames, KnownName( key, command ) );
    for( const CConsoleVariable* variable : console.GetVariables() )
        Add( myNames, variable->GetName() );
}

void CCompletion::AddNamespace( const std::string& name, const CConsole* console )
{
    Add( myNames, name + NAMESPACE_SEPARATOR );
    if( !console )
        return;
    for( const auto& [ key, command ] : console->GetCommands() )
        Add( myQualifiedNames, name + NAMESPACE_SEPARATOR + KnownName( key, command ) );
}

std::vector<std::string> CCompletion::GetCandidates( const std::string& line ) const
{
    const std::string word = line.substr( WordStart( line ) );
    const bool qualified = word.find( NAMESPACE_SEPARATOR ) != std::string::npos;
    std::vector<std::string> candidates;
    for( const std::string& name : qualified ? myQualifiedNames : myNames )
    {
        if( StartsWith( name, word ) )
            candidates.push_back( name );
    }
    std::sort( candidates.begin(), candidates.end(), LessIgnoringCase );
    return candidates;
}

std::string CCompletion::Complete( const std::string& line ) const
{
    const std::vector<std::string> candidates = GetCandidates( line );
    if( candidates.empty() )
        return line;
    std::string common = candidates.front();
    for( const std::string& candidate : candidates )
    {
        std::string::size_type length = 0;
        while( length < common.size() && length < candidate.size() &&
               std::toupper( static_cast<unsigned char>( common[ length ] ) ) ==
                   std::toupper( static_cast<unsigned char>( candidate[ length ] ) ) )
            ++length;
        common.resize( length );
    }
    // The typed word is a prefix of every candidate, so common is never shorter.
    return line.substr( 0, WordStart( line ) ) + common;
}

void CCompletion::Add( std::vector<std::string>& names, const std::string& name )
{
    // A command and a variable may share a name; it completes once.
    const auto same = [ &name ]( const std::string& known ) { return ToUpper( known ) == ToUpper( name ); };
    if( std::none_of( names.begin(), names.end(), same ) )
        names.push_back( name );
}

} // namespace tarn
