#include "tarn/console/csettingsfile.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <vector>

#include "tarn/console/cconsole.h"
#include "tarn/io/datafile.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/stringutils.h"

namespace tarn {

namespace {

const char* const HEADER = "// The player's settings, written by the program whenever one changes.\n";

bool IsName( const std::string& text )
{
    if( text.empty() || std::isdigit( static_cast<unsigned char>( text[ 0 ] ) ) )
        return false;
    return std::all_of( text.begin(), text.end(),
                        []( unsigned char c ) { return std::isalnum( c ) || c == '_'; } );
}

bool IsNumber( const std::string& text )
{
    const std::size_t digits = text.size() > 1 && text[ 0 ] == '-' ? 1 : 0;
    return text.size() > digits && text.size() <= 12 &&
           std::all_of( text.begin() + digits, text.end(), []( unsigned char c ) { return std::isdigit( c ); } );
}

// The lines of text, CR LF ends read like LF ones.
std::vector<std::string> Lines( const std::string& text )
{
    std::vector<std::string> lines;
    std::istringstream stream( text );
    std::string line;
    while( std::getline( stream, line ) )
    {
        if( !line.empty() && line.back() == '\r' )
            line.pop_back();
        lines.push_back( line );
    }
    return lines;
}

} // namespace

CSettingsFile::CSettingsFile( CConsole& console, const std::string& path ) :
    myConsole( console ), myPath( path )
{
    myConsole.SetVariableListener( [ this ]( const CConsoleVariable& variable ) { OnAssigned( variable ); } );
}

CSettingsFile::~CSettingsFile()
{
    myConsole.SetVariableListener( nullptr );
}

void CSettingsFile::Load()
{
    const std::string fault = DataFileFault( myPath, MAX_FILE_SIZE );
    if( fault == FILE_MISSING )
        return;
    if( !fault.empty() )
    {
        GetLog().Error() << "Settings: " << myPath << " " << fault << ": ignored, the settings stay as they are\n";
        return;
    }
    std::ifstream file( myPath, std::ios::binary );
    std::ostringstream text;
    text << file.rdbuf();
    const std::string damage = file ? Damage( text.str() ) : "it cannot be read";
    if( !damage.empty() )
    {
        GetLog().Error() << "Settings: " << myPath << " is damaged (" << damage
                         << "): ignored, the settings stay as they are\n";
        return;
    }
    GetLog() << "Settings read from " << myPath << "\n";
    myRunningFile = true;
    for( const std::string& line : Lines( text.str() ) )
        myConsole.Execute( line );
    myRunningFile = false;
    // Written again at the first change only when it holds something else.
    myWritten = text.str();
}

std::string CSettingsFile::Damage( const std::string& text )
{
    int number = 0;
    for( const std::string& line : Lines( text ) )
    {
        ++number;
        const std::string trimmed = TrimBlanks( line );
        if( trimmed.empty() || trimmed.compare( 0, 2, "//" ) == 0 )
            continue;
        const std::size_t equals = trimmed.find( '=' );
        if( equals == std::string::npos || !IsName( TrimBlanks( trimmed.substr( 0, equals ) ) ) ||
            !IsNumber( TrimBlanks( trimmed.substr( equals + 1 ) ) ) )
            return "line " + std::to_string( number ) + " is not `name = number`";
    }
    return "";
}

std::string CSettingsFile::CurrentText() const
{
    std::vector<std::string> lines;
    for( const CConsoleVariable* variable : myConsole.GetVariables() )
    {
        if( variable->IsSetting() )
            lines.push_back( variable->GetName() + " = " + variable->GetValue() + "\n" );
    }
    std::sort( lines.begin(), lines.end() );
    std::string text = HEADER;
    for( const std::string& line : lines )
        text += line;
    return text;
}

void CSettingsFile::SaveIfChanged()
{
    const std::string text = CurrentText();
    if( text == myWritten )
        return;
    myWritten = text;
    ReplaceFile( myPath, text, "Settings" );
}

void CSettingsFile::OnAssigned( const CConsoleVariable& variable )
{
    // Lines run while loading set what the file already holds.
    if( !myRunningFile && variable.IsSetting() )
        SaveIfChanged();
}

} // namespace tarn
