#include "tarn/io/datafile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <istream>

#include "tarn/utils/clogger.h"

namespace tarn {

std::string DataFileFault( const std::string& path, std::uintmax_t maxBytes )
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status( path, error );
    // A name too long for the system names no file either.
    const bool missing = status.type() == std::filesystem::file_type::not_found || path.empty() ||
                         error == std::errc::filename_too_long || error == std::errc::not_a_directory;
    if( missing )
        return FILE_MISSING;
    if( error )
        return "cannot be read: " + error.message();
    if( status.type() != std::filesystem::file_type::regular )
        return FILE_NOT_REGULAR;
    const std::uintmax_t size = std::filesystem::file_size( path, error );
    if( error )
        return "cannot be read: " + error.message();
    if( size > maxBytes )
        return "is " + std::to_string( size ) + " bytes, more than " + std::to_string( maxBytes );
    return "";
}

bool ReadBoundedLine( std::istream& stream, std::string& line, std::size_t limit, std::size_t* length )
{
    line.clear();
    std::istream::int_type c;
    bool any = false;
    std::size_t count = 0;
    bool endsWithCr = false;
    while( ( c = stream.get() ) != std::istream::traits_type::eof() )
    {
        any = true;
        if( c == '\n' )
            break;
        ++count;
        endsWithCr = c == '\r';
        if( line.size() <= limit )
            line.push_back( static_cast<char>( c ) );
    }
    if( endsWithCr )
    {
        --count;
        if( line.size() == count + 1 )
            line.pop_back();
    }
    if( length )
        *length = count;
    return any;
}

bool ReplaceFile( const std::string& path, const std::string& text, const std::string& owner )
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path target( path );
    if( target.has_parent_path() )
        fs::create_directories( target.parent_path(), error );
    const std::string temporary = path + ".new";
    {
        std::ofstream file( temporary, std::ios::binary | std::ios::trunc );
        file << text;
        file.close();
        if( !file )
        {
            GetLog().Error() << owner << ": cannot write " << temporary << "\n";
            std::remove( temporary.c_str() );
            return false;
        }
    }
    fs::rename( temporary, target, error );
    if( !error )
        return true;
    GetLog().Error() << owner << ": cannot write " << path << ": " << error.message() << "\n";
    return false;
}

} // namespace tarn
