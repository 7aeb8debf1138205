#ifndef TARN_UTILS_CLOGGER_H
#define TARN_UTILS_CLOGGER_H

#include <list>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>

#include "tarn/utils/cloglistener.h"
#include "tarn/utils/csingleton.h"

namespace tarn {

class CLogListenerForFile;

// The engine log. Text is written to it like to a stream; every finished line
// (ended by a line feed, carriage return or NUL) goes with its level to each
// listener. The logger itself owns one listener that writes "log.txt".
class CLogger final : public CSingleton<CLogger>
{
public:
    // Longest output of one Printf call; longer output is cut and a warning
    // line says so.
    static constexpr int PRINTF_BUFFER_SIZE = 1024;
    // The engine's banner, the log's first line.
    static constexpr const char* VERSION = "Tarn version 0.23";

    ~CLogger();

    // Appends text to the pending line, handing each finished line on.
    void Write( const std::string& text );

    // printf-style formatting, then Write.
    void Printf( const char* format, ... ) __attribute__( ( format( printf, 2, 3 ) ) );

    template <class T>
    CLogger& operator<<( const T& value )
    {
        std::ostringstream stream;
        stream << value;
        Write( stream.str() );
        return *this;
    }

    // Manipulators such as std::endl (which ends the line).
    CLogger& operator<<( std::ostream& ( *manipulator )( std::ostream& ) );

    // Each sets the level of the next finished line only.
    CLogger& Error();
    CLogger& Warning();
    CLogger& Debug();

    // Sent to the listeners at once; the pending line is not touched.
    void Indent();
    void Unindent();

    // Listeners added here stay owned by the caller; null is ignored.
    void AddListener( CLogListener* listener );
    void RemoveListener( CLogListener* listener );

    // The file the log writes when it is created (at the first GetLog()):
    // "log.txt" in the working directory unless this was called before; ""
    // writes no file.
    static void SetFileName( const std::string& filename ) { myFileName = filename; }
    static const std::string& GetFileName() { return myFileName; }

    // Reopens the log file listener on another file; "" writes no file
    // (listeners still hear every line), for tools that run a loader
    // millions of times.
    void SetLogFile( const std::string& filename );

private:
    friend class CSingleton<CLogger>;
    CLogger();

    void Send( const std::string& text, int level );

    std::list<CLogListener*> myListeners;
    std::unique_ptr<CLogListenerForFile> myFileListener;
    int myNextLevel = LOG_NORMAL;
    std::string myPendingLine;

    static inline std::string myFileName = "log.txt";
};

// The engine log, created on first use.
CLogger& GetLog();

// Deletes the engine log; called last at shutdown.
void DeleteLog();

} // namespace tarn

#endif
