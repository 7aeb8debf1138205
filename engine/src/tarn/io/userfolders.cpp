#include "tarn/io/userfolders.h"

#include <cstdlib>

namespace tarn {

namespace {

// The base-directory variable when it holds an absolute path (the only kind
// the convention allows), else home + fallback, else "".
std::string BaseFolder( const char* variable, const char* fallback )
{
    const char* base = std::getenv( variable );
    if( base && base[ 0 ] == '/' )
        return base;
    const char* home = std::getenv( "HOME" );
    if( home && home[ 0 ] != '\0' )
        return std::string( home ) + fallback;
    return "";
}

} // namespace

std::string UserConfigFolder( const std::string& program )
{
    const std::string base = BaseFolder( "XDG_CONFIG_HOME", "/.config" );
    return base.empty() ? "" : base + "/" + program;
}

std::string UserStateFolder( const std::string& program )
{
    const std::string base = BaseFolder( "XDG_STATE_HOME", "/.local/state" );
    return base.empty() ? "" : base + "/" + program;
}

} // namespace tarn
