#include "tarn/ui/cmenuitem.h"

#include <algorithm>
#include <cstdlib>

#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/utils/numberutils.h"
#include "tarn/utils/stringutils.h"

namespace tarn {
namespace ui {

namespace {

// A script's numbers come as the calculator writes them ("2.000000"), so
// numbers are compared as numbers.
bool ReadNumber( const std::string& text, double& number )
{
    char* end = nullptr;
    number = std::strtod( text.c_str(), &end );
    return !text.empty() && *end == '\0';
}

bool SameValue( const std::string& a, const std::string& b )
{
    double x = 0;
    double y = 0;
    if( ReadNumber( a, x ) && ReadNumber( b, y ) )
        return x == y;
    return a == b;
}

} // namespace

CMenuItem::CMenuItem( Kind kind, const std::string& label ) :
    myKind( kind ), myLabel( label )
{
}

CMenuItem CMenuItem::Action( const std::string& label, const std::string& line )
{
    CMenuItem item( Kind::ACTION, label );
    item.myLine = line;
    return item;
}

CMenuItem CMenuItem::Confirm( const std::string& label, const std::string& question, const std::string& line )
{
    CMenuItem item( Kind::CONFIRM, label );
    item.myQuestion = question;
    item.myLine = line;
    return item;
}

CMenuItem CMenuItem::Range( const std::string& label, const std::string& variable, int min, int max, int step )
{
    CMenuItem item( Kind::RANGE, label );
    item.myVariable = variable;
    item.myMin = std::min( min, max );
    item.myMax = std::max( min, max );
    item.myStep = std::max( step, 1 );
    return item;
}

CMenuItem CMenuItem::Toggle( const std::string& label, const std::string& variable )
{
    CMenuItem item( Kind::TOGGLE, label );
    item.myVariable = variable;
    return item;
}

CMenuItem CMenuItem::Choice( const std::string& label, const std::string& variable, const std::string& choices )
{
    CMenuItem item( Kind::CHOICE, label );
    item.myVariable = variable;
    for( const std::string& piece : SplitOutsideQuotes( choices, "," ) )
    {
        const std::string::size_type colon = piece.find( ':' );
        const std::string value = TrimBlanks( piece.substr( 0, colon ) );
        const std::string name = colon == std::string::npos ? value : TrimBlanks( piece.substr( colon + 1 ) );
        if( !value.empty() )
            item.myChoices.emplace_back( value, name );
    }
    if( item.myChoices.empty() )
        item.myLabel.clear();
    return item;
}

std::string CMenuItem::GetValueText() const
{
    switch( myKind )
    {
    case Kind::RANGE: return std::to_string( GetNumber() );
    case Kind::TOGGLE: return GetNumber() != 0 ? ON : OFF;
    case Kind::CHOICE:
    {
        const int found = FindChoice();
        return found < 0 ? GetConsole()->GetVariable( myVariable ) : myChoices[ found ].second;
    }
    default: return "";
    }
}

void CMenuItem::Step( int direction, bool wrap ) const
{
    std::string value;
    switch( myKind )
    {
    case Kind::RANGE: value = std::to_string( Next( GetNumber(), direction * myStep, myMin, myMax, wrap ) ); break;
    case Kind::TOGGLE: value = GetNumber() != 0 ? "0" : "1"; break;
    case Kind::CHOICE:
    {
        // A value that is none of the choices steps onto the first or last.
        const int found = FindChoice();
        const int count = static_cast<int>( myChoices.size() );
        const int at = found < 0 ? ( direction > 0 ? 0 : count - 1 ) : Next( found, direction, 0, count - 1, wrap );
        value = myChoices[ at ].first;
        break;
    }
    default: return;
    }
    GetConsole()->SetVariable( myVariable, value );
}

int CMenuItem::GetNumber() const
{
    double number = 0;
    return ReadNumber( GetConsole()->GetVariable( myVariable ), number ) ? TruncateToInt( number ) : 0;
}

int CMenuItem::FindChoice() const
{
    const std::string value = GetConsole()->GetVariable( myVariable );
    for( std::size_t i = 0; i < myChoices.size(); ++i )
    {
        if( SameValue( myChoices[ i ].first, value ) )
            return static_cast<int>( i );
    }
    return -1;
}

int CMenuItem::Next( int value, int delta, int min, int max, bool wrap )
{
    // Only a value already at the end goes round: 95 up by 10 stops at 100.
    if( wrap && delta > 0 && value >= max )
        return min;
    if( wrap && delta < 0 && value <= min )
        return max;
    const long long next = static_cast<long long>( value ) + delta;
    return static_cast<int>( std::clamp<long long>( next, min, max ) );
}

} // namespace ui
} // namespace tarn
