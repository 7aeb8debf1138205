// libFuzzer target: the XML parser with the tree builder, the writer and the
// member serialisation.
#include <cstddef>
#include <cstdint>
#include <string>

#include "harness/fuzzsupport.h"
#include "utils/fuzzinputs.h"

extern "C" int LLVMFuzzerTestOneInput( const std::uint8_t* data, std::size_t size )
{
    // Warnings about the input are expected; keep them off the disk.
    static const bool quietLog = ( tarn::test::SilenceLogForFuzzing(), true );
    (void)quietLog;
    tarn::test::FuzzXmlInput( std::string( reinterpret_cast<const char*>( data ), size ) );
    return 0;
}
