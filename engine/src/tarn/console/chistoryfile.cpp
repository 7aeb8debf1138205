#include "tarn/console/chistoryfile.h"

#include <algorithm>
#include <deque>
#include <fstream>

#include "tarn/console/cconsole.h"
#include "tarn/io/datafile.h"
#include "tarn/utils/clogger.h"

namespace tarn {

namespace {

// Typed lines hold printable characters; anything else means the file is
// not one this program wrote or could have.
bool IsDamaged( const std::string& line )
{
    const auto control = []( unsigned char c ) { return ( c < ' ' && c != '\t' ) || c == 127; };
    return std::any_of( line.begin(), line.end(), control );
}

} // namespace

CHistoryFile::CHistoryFile( const std::string& path ) :
    myPath( path )
{
}

std::vector<std::string> CHistoryFile::Load() const
{
    const std::string fault = DataFileFault( myPath );
    if( fault == FILE_MISSING )
        return {};
    if( !fault.empty() )
    {
        GetLog().Error() << "Console history: " << myPath << " " << fault << ": ignored\n";
        return {};
    }
    std::ifstream file( myPath, std::ios::binary );
    std::deque<std::string> lines;
    std::string line;
    std::size_t length = 0;
    int number = 0;
    while( ReadBoundedLine( file, line, CConsole::MAX_LINE_LENGTH, &length ) )
    {
        ++number;
        if( length > CConsole::MAX_LINE_LENGTH || IsDamaged( line ) )
        {
            GetLog().Error() << "Console history: line " << number << " of " << myPath
                             << " is not a console line: the file is ignored\n";
            return {};
        }
        lines.push_back( line );
        if( lines.size() > MAX_LINES )
            lines.pop_front();
    }
    if( file.bad() )
    {
        GetLog().Error() << "Console history: " << myPath << " cannot be read: ignored\n";
        return {};
    }
    return std::vector<std::string>( lines.begin(), lines.end() );
}

void CHistoryFile::Save( const std::vector<std::string>& lines ) const
{
    // A line longer than a console runs was refused when it was typed, and
    // would make the file unreadable.
    std::deque<const std::string*> kept;
    for( const std::string& line : lines )
    {
        if( line.size() > CConsole::MAX_LINE_LENGTH || IsDamaged( line ) )
            continue;
        kept.push_back( &line );
        if( kept.size() > MAX_LINES )
            kept.pop_front();
    }
    std::string text;
    for( const std::string* line : kept )
        text += *line + "\n";
    ReplaceFile( myPath, text, "Console history" );
}

} // namespace tarn
