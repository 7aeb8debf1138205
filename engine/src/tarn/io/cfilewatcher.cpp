#include "tarn/io/cfilewatcher.h"

#include <algorithm>
#include <system_error>

namespace tarn {

void CFileWatcher::Watch( const std::vector<std::string>& files )
{
    myFiles.clear();
    myStates.clear();
    for( const std::string& file : files )
    {
        if( std::find( myFiles.begin(), myFiles.end(), file ) != myFiles.end() )
            continue;
        myFiles.push_back( file );
        myStates.push_back( StateOf( file ) );
    }
}

std::vector<std::string> CFileWatcher::Changed()
{
    std::vector<std::string> changed;
    for( std::size_t i = 0; i < myFiles.size(); ++i )
    {
        const State now = StateOf( myFiles[ i ] );
        if( now == myStates[ i ] )
            continue;
        myStates[ i ] = now;
        changed.push_back( myFiles[ i ] );
    }
    return changed;
}

CFileWatcher::State CFileWatcher::StateOf( const std::string& file )
{
    // Without throwing: a name the system refuses is a file that is not there.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status( file, error );
    if( error || !std::filesystem::exists( status ) )
        return State{};
    State state;
    state.exists = true;
    state.time = std::filesystem::last_write_time( file, error );
    if( std::filesystem::is_regular_file( status ) )
        state.size = std::filesystem::file_size( file, error );
    return state;
}

} // namespace tarn
