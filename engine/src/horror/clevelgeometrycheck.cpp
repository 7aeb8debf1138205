#include "horror/clevelgeometrycheck.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "horror/chorrorgameplay.h"
#include "horror/cwalkmask.h"
#include "tarn/utils/cxmlnode.h"
#include "tarn/utils/numberutils.h"
#include "tarn/utils/rect.h"
#include "tarn/utils/stringutils.h"
#include "tarn/utils/xmlobject.h"

using namespace tarn;

namespace horror {

namespace {

// Keys the game reads as numbers: attributes anywhere in a level, elements.
const std::vector<std::string> INT_ATTRIBUTES = { "x", "y", "w", "h" };
const std::vector<std::string> NUMBER_ELEMENTS = { "Range", "BadGuySpeed", "BadGuyAiRange" };

// Whether the whole of text reads as a finite number (within the int range
// when integer): "1e308" or "nan" would be read as something else.
bool IsUsableNumber( const std::string& text, bool integer )
{
    const std::string trimmed = TrimBlanks( text );
    char* end = nullptr;
    const double value = std::strtod( trimmed.c_str(), &end );
    if( trimmed.empty() || end != trimmed.c_str() + trimmed.size() || !std::isfinite( value ) )
        return false;
    return !integer || ( value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max() );
}

void CollectUnusableNumbers( const CXmlNode& node, const std::string& where,
                             std::vector<CLevelGeometryCheck::Fault>& faults )
{
    for( const std::string& name : INT_ATTRIBUTES )
    {
        if( node.HasAttribute( name ) && !IsUsableNumber( node.GetAttribute( name ), true ) )
            faults.push_back(
                { where + name, "\"" + node.GetAttribute( name ) + "\" is not a whole number in the int range" } );
    }
    const bool numberElement =
        std::find( NUMBER_ELEMENTS.begin(), NUMBER_ELEMENTS.end(), node.GetName() ) != NUMBER_ELEMENTS.end();
    if( numberElement && !IsUsableNumber( node.GetContent(), false ) )
        faults.push_back(
            { where.substr( 0, where.size() - 1 ), "\"" + TrimBlanks( node.GetContent() ) + "\" is not a number" } );
    for( std::size_t i = 0; i < node.GetChildCount(); ++i )
    {
        const CXmlNode& child = *node.GetChild( i );
        CollectUnusableNumbers( child, where + child.GetName() + "/", faults );
    }
}

} // namespace

std::vector<CLevelGeometryCheck::Fault> CLevelGeometryCheck::Check( const std::string& file,
                                                                   const types::rect& coveredAtStart )
{
    std::vector<Fault> faults;
    CHorrorGameplay gameplay;
    XmlLoadFromFile( gameplay, file );
    const CWalkMask mask( gameplay.GetLevelBackground() );

    // Where the level puts the icon's centre, even when the icon starts hidden.
    const CSprite* icon = gameplay.GetPlayerIcon();
    const types::rect r = icon ? icon->GetRect() : types::rect();
    types::point start{ TruncateToInt( r.x + r.w / 2.0f ), TruncateToInt( r.y + r.h / 2.0f ) };
    if( !gameplay.IsPlayerVisible() )
        start = gameplay.GetRememberedPlayerCentre();
    const std::string startText = std::to_string( start.x ) + "," + std::to_string( start.y );
    if( !mask.IsOpen( start ) )
        faults.push_back( Fault{ "PlayerPosition", "the player starts on closed floor at " + startText } );
    // A hidden icon is judged where it comes back: a dialogue line may show it.
    const types::rect startIcon{ start.x - r.w / 2, start.y - r.h / 2, r.w, r.h };
    if( coveredAtStart.w > 0 && coveredAtStart.h > 0 && Intersects( startIcon, coveredAtStart ) )
    {
        faults.push_back( Fault{ "PlayerPosition",
                                 "the player starts at " + startText + ", under the box of the dialogue the level opens "
                                 "with (y " + std::to_string( coveredAtStart.y ) + " and below): the icon cannot be "
                                 "seen while it shows",
                                 true } );
    }

    const std::vector<types::point>& path = gameplay.GetPath();
    const CSprite* badguy = gameplay.GetBadguySprite();
    const int halfW = badguy ? badguy->GetRect().w / 2 : 0;
    const int halfH = badguy ? badguy->GetRect().h / 2 : 0;
    for( std::size_t i = 0; i < path.size(); ++i )
    {
        // The first point is the picture's top-left corner; the bad guy
        // walks with its centre onto the others.
        const types::point p = i == 0 ? types::point{ path[ i ].x + halfW, path[ i ].y + halfH } : path[ i ];
        if( !mask.IsOpen( p ) )
        {
            faults.push_back( Fault{ "BadGuyPath/PathPoint " + std::to_string( i + 1 ),
                                     "on closed floor at " + std::to_string( p.x ) + "," + std::to_string( p.y ) } );
        }
    }

    constexpr int WIDTH = 800;
    constexpr int HEIGHT = 600;
    const std::vector<bool> reached = mask.ReachableFrom( start, WIDTH, HEIGHT );
    const std::vector<AreaEvent>& events = gameplay.GetAreaEvents();
    for( std::size_t i = 0; i < events.size(); ++i )
    {
        const AreaEvent& event = events[ i ];
        if( !event.forPlayer || event.howManyTimes <= 0 )
            continue;
        bool reachable = false;
        // The screen's pixels within the event's reach; in 64 bits, as an
        // event may lie anywhere in the int range and reach past the screen.
        const long long range = TruncateToInt( std::ceil( std::clamp( event.range, 0.0f, float( WIDTH + HEIGHT ) ) ) );
        const int top = static_cast<int>( std::max( 0LL, event.position.y - range ) );
        const int bottom = static_cast<int>( std::min( HEIGHT - 1LL, event.position.y + range ) );
        const int left = static_cast<int>( std::max( 0LL, event.position.x - range ) );
        const int right = static_cast<int>( std::min( WIDTH - 1LL, event.position.x + range ) );
        for( int y = top; !reachable && y <= bottom; ++y )
        {
            for( int x = left; x <= right; ++x )
            {
                if( !reached.empty() && reached[ y * WIDTH + x ] && event.Contains( types::point{ x, y } ) )
                {
                    reachable = true;
                    break;
                }
            }
        }
        if( !reachable )
        {
            faults.push_back( Fault{ "area event at " + std::to_string( event.position.x ) + "," +
                                         std::to_string( event.position.y ),
                                     "cannot be reached from the player's start over open floor (" + event.execute +
                                         ")" } );
        }
    }
    return faults;
}

std::vector<CLevelGeometryCheck::Fault> CLevelGeometryCheck::FindUnusableNumbers( const CXmlNode& root )
{
    std::vector<Fault> faults;
    CollectUnusableNumbers( root, "", faults );
    return faults;
}

} // namespace horror
