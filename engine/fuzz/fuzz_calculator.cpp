// libFuzzer target: the expression calculator in float and double.
#include <cstddef>
#include <cstdint>
#include <string>

#include "utils/fuzzinputs.h"

extern "C" int LLVMFuzzerTestOneInput( const std::uint8_t* data, std::size_t size )
{
    tarn::test::FuzzCalculatorInput( std::string( reinterpret_cast<const char*>( data ), size ) );
    return 0;
}
