// libFuzzer target: the console interpreter with the basic commands, the
// file, task and quit commands replaced by stand-ins.
#include <cstddef>
#include <cstdint>
#include <string>

#include "harness/fuzzconsole.h"
#include "harness/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput( const std::uint8_t* data, std::size_t size )
{
    static const bool quietLog = ( tarn::test::SilenceLogForFuzzing(), true );
    (void)quietLog;
    tarn::test::FuzzConsoleInput( std::string( reinterpret_cast<const char*>( data ), size ) );
    return 0;
}
