// libFuzzer target: the OGF font loader, with text written in the font.
#include <cstddef>
#include <cstdint>
#include <string>

#include "harness/fuzzgfx.h"
#include "harness/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput( const std::uint8_t* data, std::size_t size )
{
    static const bool quietLog = ( tarn::test::SilenceLogForFuzzing(), true );
    (void)quietLog;
    tarn::test::FuzzOgfInput( std::string( reinterpret_cast<const char*>( data ), size ) );
    return 0;
}
