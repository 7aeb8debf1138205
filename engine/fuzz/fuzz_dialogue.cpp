// libFuzzer target: the game's dialogue files, loaded and clicked
// through. Runs from the game's folder.
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
    horror::test::FuzzDialogueInput( std::string( reinterpret_cast<const char*>( data ), size ) );
    return 0;
}
