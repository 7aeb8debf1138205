// libFuzzer target: the game's level files, loaded, played a little and
// checked. Runs from the game's folder: levels refer to data/.
#include <cstddef>
#include <cstdint>
#include <string>

#include "harness/fuzzhorror.h"
#include "harness/fuzzsupport.h"

extern "C" int LLVMFuzzerInitialize( int*, char*** )
{
    tarn::test::SilenceLogForFuzzing();
    tarn::test::KeepGamePicturesLoaded();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput( const std::uint8_t* data, std::size_t size )
{
    horror::test::FuzzLevelInput( std::string( reinterpret_cast<const char*>( data ), size ) );
    return 0;
}
