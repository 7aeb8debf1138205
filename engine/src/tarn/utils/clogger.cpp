#include "tarn/utils/clogger.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "tarn/utils/cloglistenerforfile.h"

namespace tarn {

namespace {
} // namespace

CLogger::CLogger() :
    myFileListener( std::make_unique<CLogListenerForFile>(
        myFileName.empty() ? nullptr : std::make_unique<CLogFile>( myFileName, VERSION ) ) )
{
    myFileListener->SetMinimumLevel( LOG_DEBUG );
    AddListener( myFileListener.get() );
}

CLogger::~CLogger()
{
    RemoveListener( myFileListener.get() );
}

void CLogger::Write( const std::string& text )
{
    for( const char c : text )
    {
        if( c != '\n' && c != '\r' && c != '\0' )
        {
            myPendingLine += c;
            continue;
        }
        const std::string line = myPendingLine + "\n";
        const int level = myNextLevel;
        myPendingLine.clear();
        myNextLevel = LOG_NORMAL;
        Send( line, level );
    }
}

void CLogger::Printf( const char* format, ... )
{
    char buffer[ PRINTF_BUFFER_SIZE ];
    va_list args;
    va_start( args, format );
    const int length = std::vsnprintf( buffer, sizeof( buffer ), format, args );
    va_end( args );
    if( length < 0 )
    {
        Warning() << "CLogger::Printf could not format \"" << format << "\"\n";
        return;
    }

    Write( buffer );
    if( length < PRINTF_BUFFER_SIZE )
        return;

    // The end of the message, with its line end, was cut: end the line here
    // so the warning stands on its own.
    if( !myPendingLine.empty() )
        Write( "\n" );
    Warning() << "CLogger::Printf cut a message of " << length << " characters to "
              << ( PRINTF_BUFFER_SIZE - 1 ) << "\n";
}

CLogger& CLogger::operator<<( std::ostream& ( *manipulator )( std::ostream& ) )
{
    std::ostringstream stream;
    manipulator( stream );
    Write( stream.str() );
    return *this;
}

CLogger& CLogger::Error()
{
    myNextLevel = LOG_ERROR;
    return *this;
}

CLogger& CLogger::Warning()
{
    myNextLevel = LOG_WARNING;
    return *this;
}

CLogger& CLogger::Debug()
{
    myNextLevel = LOG_DEBUG;
    return *this;
}

void CLogger::Indent()
{
    Send( "", LOG_INDENT );
}

void CLogger::Unindent()
{
    Send( "", LOG_UNINDENT );
}

void CLogger::AddListener( CLogListener* listener )
{
    if( listener )
        myListeners.push_back( listener );
}

void CLogger::RemoveListener( CLogListener* listener )
{
    myListeners.remove( listener );
}

void CLogger::SetLogFile( const std::string& filename )
{
    if( filename.empty() )
    {
        myFileListener->SetFile( nullptr );
        return;
    }
    const std::string version = myFileListener->GetFile() ? myFileListener->GetFile()->GetVersion() : VERSION;
    myFileListener->SetFile( std::make_unique<CLogFile>( filename, version ) );
}

void CLogger::Send( const std::string& text, int level )
{
    // A listener may remove itself (or another) while being told.
    const std::list<CLogListener*> listeners( myListeners );
    for( CLogListener* listener : listeners )
    {
        if( std::find( myListeners.begin(), myListeners.end(), listener ) != myListeners.end() )
            listener->OnMessage( text, level );
    }
}

CLogger& GetLog()
{
    return *CLogger::GetSingletonPtr();
}

void DeleteLog()
{
    CLogger::DeleteSingleton();
}

} // namespace tarn
