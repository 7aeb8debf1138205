#ifndef TARN_UTILS_CLOGLISTENER_H
#define TARN_UTILS_CLOGLISTENER_H

#include <string>

namespace tarn {

// Log levels. The two markers carry no text; they change the indentation of
// the listeners that keep one.
enum LogLevel
{
    LOG_INDENT = -2,
    LOG_UNINDENT = -1,
    LOG_DEBUG = 0,
    LOG_NORMAL = 1,
    LOG_WARNING = 2,
    LOG_ERROR = 3
};

// Receives every finished log line. A listener may not write to the log from
// OnMessage: the line being delivered is not finished yet.
class CLogListener
{
public:
    virtual ~CLogListener() = default;

    // text ends with "\n", or is empty for the indent markers.
    virtual void OnMessage( const std::string& text, int level ) = 0;
};

} // namespace tarn

#endif
