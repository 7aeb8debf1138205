#include "tarn/console/csettingvar.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "tarn/utils/clogger.h"
#include "tarn/utils/numberutils.h"

namespace tarn {

CSettingVar::CSettingVar( const std::string& name, int* bound, int min, int max, ChangeHandler onChange ) :
    myName( name ), myValue( bound ), myMin( min ), myMax( max ), myOnChange( std::move( onChange ) )
{
    *myValue = std::clamp( *myValue, myMin, myMax );
}

void CSettingVar::Set( const std::string& text )
{
    // Scripts hand numbers over as the calculator writes them ("40.000000").
    char* end = nullptr;
    const double number = std::strtod( text.c_str(), &end );
    if( text.empty() || *end != '\0' || std::isnan( number ) )
    {
        GetLog().Warning() << "Setting " << myName << ": \"" << text << "\" is not a number, it stays " << *myValue
                           << "\n";
        return;
    }
    const int value = TruncateToInt( number );
    const int old = *myValue;
    *myValue = std::clamp( value, myMin, myMax );
    if( *myValue != value || value != std::trunc( number ) )
        GetLog().Warning() << "Setting " << myName << ": " << text << " is outside " << myMin << " to " << myMax
                           << ", set to " << *myValue << "\n";
    if( *myValue != old && myOnChange )
        myOnChange();
}

std::string CSettingVar::GetValue() const
{
    return std::to_string( *myValue );
}

} // namespace tarn
