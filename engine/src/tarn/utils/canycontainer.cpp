#include "tarn/utils/canycontainer.h"

#include <sstream>

namespace tarn {

int CAnyContainer::GetType( std::size_t i ) const
{
    if( i >= myValues.size() )
        return TYPE_EMPTY;
    return static_cast<int>( myValues[ i ].index() );
}

std::string CAnyContainer::GetString( std::size_t i ) const
{
    if( i >= myValues.size() )
        return "";
    if( const std::string* text = std::get_if<std::string>( &myValues[ i ] ) )
        return *text;
    if( const double* number = std::get_if<double>( &myValues[ i ] ) )
    {
        std::ostringstream stream;
        stream << *number;
        return stream.str();
    }
    return "";
}

double CAnyContainer::GetNumber( std::size_t i ) const
{
    if( i >= myValues.size() )
        return 0;
    if( const double* number = std::get_if<double>( &myValues[ i ] ) )
        return *number;
    if( const std::string* text = std::get_if<std::string>( &myValues[ i ] ) )
    {
        std::istringstream stream( *text );
        double value = 0;
        if( stream >> value )
            return value;
    }
    return 0;
}

void CAnyContainer::PopFront()
{
    if( !myValues.empty() )
        myValues.pop_front();
}

} // namespace tarn
