// libFuzzer target: sprite description files of every kind, loaded,
// animated and drawn.
#include <cstddef>
#include <cstdint>
#include <string>

#include "harness/fuzzgfx.h"
#include "harness/fuzzsupport.h"

extern "C" int LLVMFuzzerInitialize( int*, char*** )
{
    tarn::test::SilenceLogForFuzzing();
    tarn::test::KeepGamePicturesLoaded();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput( const std::uint8_t* data, std::size_t size )
{
    tarn::test::FuzzSpriteInput( std::string( reinterpret_cast<const char*>( data ), size ) );
    return 0;
}
