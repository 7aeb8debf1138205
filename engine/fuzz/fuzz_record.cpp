// libFuzzer target: record files of the input player, read and played.
#include <cstddef>
#include <cstdint>
#include <string>

#include "harness/fuzzrecord.h"
#include "harness/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput( const std::uint8_t* data, std::size_t size )
{
    static const bool quietLog = ( tarn::test::SilenceLogForFuzzing(), true );
    (void)quietLog;
    tarn::test::FuzzRecordInput( std::string( reinterpret_cast<const char*>( data ), size ) );
    return 0;
}
