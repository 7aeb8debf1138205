#include "tarn/utils/clogfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "tarn/utils/cloglistener.h"

namespace tarn {

namespace {

// The file most recently created by any CLogFile of this process.
std::string& LastCreatedLogFile()
{
    static std::string name;
    return name;
}

const char* const RULE = "--------------------------------------------------------------\n";

std::string CompilerName()
{
#if defined( __clang__ )
    return std::string( "clang " ) + __clang_version__;
#elif defined( __GNUC__ )
    return std::string( "GCC " ) + __VERSION__;
#else
    return "an unknown compiler";
#endif
}

} // namespace

CLogFile::CLogFile( const std::string& filename, const std::string& version ) :
    myFilename( filename ),
    myVersion( version ),
    myPrefixes{ { LOG_DEBUG, "(d) " },   { LOG_NORMAL, "( ) " },   { LOG_WARNING, "(!) " },
                { LOG_ERROR, "<!> " },   { LOG_INDENT, "(+) " },   { LOG_UNINDENT, "(-) " } }
{
    std::error_code error;
    const std::filesystem::file_type type = std::filesystem::status( filename, error ).type();
    if( type != std::filesystem::file_type::not_found && type != std::filesystem::file_type::regular )
    {
        myUnusable = true;
        ReportLost( "it is not a regular file" );
        return;
    }
    if( filename == LastCreatedLogFile() )
        return;

    LastCreatedLogFile() = filename;
    if( std::FILE* file = std::fopen( filename.c_str(), "w" ) )
        std::fclose( file );
    WriteHeader();
}

void CLogFile::ReportLost( const std::string& reason )
{
    if( myLossReported )
        return;
    myLossReported = true;
    std::fprintf( stderr, "Cannot write the log file %s: %s; the program runs on without its log.\n",
                  myFilename.c_str(), reason.c_str() );
}

void CLogFile::WriteHeader()
{
    char date[ 81 ] = "";
    const std::time_t now = std::time( nullptr );
    if( const std::tm* local = std::localtime( &now ) )
        std::strftime( date, sizeof( date ), "%a,%b %d,%I:%M %p", local );

    Write( RULE, LOG_NORMAL );
    Write( std::string( "New log created on " ) + date + "\n", LOG_NORMAL );
    Write( "Using " + myVersion + "\n", LOG_NORMAL );
    Write( "Build in " + CompilerName() + " at " + __DATE__ + " " + __TIME__ + "\n", LOG_NORMAL );
    Write( RULE, LOG_NORMAL );
}

void CLogFile::Write( const std::string& text, int level )
{
    if( level == LOG_INDENT )
        ++myIndent;
    else if( level == LOG_UNINDENT )
        --myIndent;

    if( text.empty() || myUnusable )
        return;

    std::FILE* file = std::fopen( myFilename.c_str(), "a" );
    if( !file )
    {
        ReportLost( std::strerror( errno ) );
        return;
    }

    const auto prefix = myPrefixes.find( level );
    if( prefix != myPrefixes.end() )
        std::fputs( prefix->second.c_str(), file );
    if( myIndent >= 1 )
    {
        for( int i = 0; i < myIndent; ++i )
            std::fputs( myIndentUnit.c_str(), file );
    }
    else
    {
        myIndent = 0;
    }
    const std::size_t written = std::fwrite( text.data(), 1, text.size(), file );
    // A full disk shows when the buffer is written out, at the latest.
    if( std::fclose( file ) != 0 || written != text.size() )
        ReportLost( std::strerror( errno ) );
}

} // namespace tarn
