// libFuzzer target: sprite description files of every kind, loaded,
// animated and drawn.
#include <cstddef>
#include <cstdint>
#include <string>

#include "gfx/fuzzgfx.h"
#include "support/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput( const std::uint8_t* data, std::size_t size )
{
    static const bool quietLog = ( tarn::test::SilenceLogForFuzzing(), true );
    (void)quietLog;
    tarn::test::FuzzSpriteInput( std::string( reinterpret_cast<const char*>( data ), size ) );
    return 0;
}
