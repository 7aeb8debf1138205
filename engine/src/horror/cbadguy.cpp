#include "horror/cbadguy.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "horror/cwalkmask.h"
#include "horror/datafilekeys.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/utils/enginetime.h"
#include "tarn/utils/numberutils.h"
#include "tarn/utils/random.h"
#include "tarn/utils/xmlbind.h"

using namespace tarn;

namespace horror {

namespace {

constexpr float MAX_STEP_SECONDS = 0.25f;
constexpr int PATH_DISTANCE_REFRESH = 7;
constexpr float ALARM_SECONDS = 5.0f;

} // namespace

void CBadGuy::Read( CXmlFileSys* filesys )
{
    std::string image;
    XmlBind( filesys, image, keys::BAD_GUY_IMAGE );
    mySprite = CSpriteFactory::LoadSprite( image );
    XmlBind( filesys, mySpeed, keys::BAD_GUY_SPEED );
    XmlBind( filesys, myAiRange, keys::BAD_GUY_AI_RANGE );
    mySquaredAiRange = myAiRange * myAiRange;
    XmlBind( filesys, myChasesPlayer, keys::BAD_GUY_CHASES_PLAYER );
    XmlBindList( filesys, myPath, keys::BAD_GUY_PATH, keys::PATH_POINT );

    if( !myPath.empty() )
    {
        // The first point is the top-left corner of the bad guy's picture;
        // it walks with its centre onto the later ones.
        const types::rect r = mySprite ? mySprite->GetRect() : types::rect();
        myPosition = types::vector2{ myPath.front().x + r.w / 2.0f, myPath.front().y + r.h / 2.0f };
        myPathIndex = 1;
        PlaceSprite();
    }
    myChasing = false;
    myBoost = 0.0f;
    myAlarm = 0.0f;
}

float CBadGuy::Step( types::ticks now, const types::vector2& player, const CWalkMask& mask )
{
    if( ++myStepCounter > PATH_DISTANCE_REFRESH )
    {
        UpdatePathDistance( player, mask );
        myStepCounter = 0;
    }
    if( myPathIndex >= myPath.size() )
        return 0.0f;

    const float dt = std::min( ( now - myLastStepTime ) / 1000.0f, MAX_STEP_SECONDS );
    myLastStepTime = now;

    bool chase = false;
    types::vector2 target;
    const types::vector2 toPlayer = player - myPosition;
    if( toPlayer.SquaredLength() < mySquaredAiRange && mask.HasLineOfSight( myPosition, player ) && myChasesPlayer )
    {
        chase = true;
        if( !myChasing )
            myAlarm = ALARM_SECONDS;
        myChasing = true;
        target = player;
    }
    if( !chase )
        target = PatrolTarget( mask );

    const types::vector2 delta = target - myPosition;
    const float dist = delta.Length();
    float step = dt * mySpeed;

    float boostFactor = 1.0f;
    float alarmFactor = 1.0f;
    if( myBoost > 0.0f )
    {
        boostFactor = BoostFactor( myBoost );
        myBoost -= std::max( step, step * boostFactor );
    }
    if( myChasing )
        alarmFactor = AlarmFactor( myAlarm );
    const float factor = std::max( boostFactor, alarmFactor );
    if( factor > 1.0f )
        step *= factor;
    myAlarm = myAlarm > 0.0f ? myAlarm - dt : 0.0f;

    if( step > dist )
    {
        myPosition = target;
        if( !chase )
            ++myPathIndex;
    }
    else if( dist > 0.0f )
    {
        myPosition.x += delta.x * ( step / dist );
        myPosition.y += delta.y * ( step / dist );
    }
    PlaceSprite();
    return factor;
}

types::vector2 CBadGuy::PatrolTarget( const CWalkMask& mask )
{
    if( !myChasing )
        return types::vector2::From( myPath[ myPathIndex ] );

    // Just lost sight of the player: back to the last path point in view.
    myChasing = false;
    for( std::size_t i = 0; i < myPath.size(); ++i )
    {
        if( mask.HasLineOfSight( myPosition, types::vector2::From( myPath[ i ] ) ) )
            myPathIndex = i;
    }
    return types::vector2::From( myPath[ myPathIndex ] );
}

std::string CBadGuy::ShriekFile( int number )
{
    return "data/sfx/shriek_0" + std::to_string( number ) + ".wav";
}

void CBadGuy::Shriek( float factor )
{
    if( factor / myPreviousSpeedFactor > 4.0f )
    {
        const std::string file = ShriekFile( RandomRange( 1, SHRIEK_COUNT ) );
        GetConsole()->Execute( "Audio::PlayEffect( \"" + file + "\" );", false );
    }
    myPreviousSpeedFactor = factor;
}

void CBadGuy::UpdatePathDistance( const types::vector2& player, const CWalkMask& mask )
{
    float distance = 0.0f;
    bool found = false;
    if( mask.HasLineOfSight( myPosition, player ) )
    {
        distance = ( myPosition - player ).Length();
        found = true;
    }
    else if( myPathIndex < myPath.size() )
    {
        distance = ( types::vector2::From( myPath[ myPathIndex ] ) - myPosition ).Length();
        for( std::size_t k = myPathIndex; k < myPath.size(); ++k )
        {
            const types::vector2 point = types::vector2::From( myPath[ k ] );
            if( mask.HasLineOfSight( point, player ) )
            {
                distance += ( point - player ).Length();
                found = true;
                break;
            }
            if( k + 1 < myPath.size() )
                distance += ( types::vector2::From( myPath[ k + 1 ] ) - point ).Length();
        }
    }
    if( !found )
        return;
    myPathDistance = distance;
    mySharedPathDistance = distance;
}

float CBadGuy::NoiseBoost( float boost )
{
    const types::ticks now = GameTime();
    const float elapsed = static_cast<float>( now - myLastBumpTime ) / 7000.0f;
    myLastBumpTime = now;
    myNoiseDecay *= 0.9f;
    const float factor = std::clamp( elapsed * myNoiseDecay, 0.5f, 2.5f );
    return mySharedPathDistance * factor + boost;
}

void CBadGuy::HearRelease()
{
    if( myPathDistance > 200.0f && myBoost < 100.0f )
        myBoost += myPathDistance / 5.0f;
}

void CBadGuy::Appear( types::ticks now )
{
    myLastStepTime = now;
    myLastBumpTime = GameTime();
    myNoiseDecay = 1.2f;
    PlaceSprite();
}

void CBadGuy::PlaceSprite()
{
    if( !mySprite )
        return;
    const types::rect r = mySprite->GetRect();
    mySprite->SetPosition( TruncateToInt( myPosition.x - r.w / 2.0f + 0.5f ),
                           TruncateToInt( myPosition.y - r.h / 2.0f + 0.5f ) );
}

void CBadGuy::PlaceSpriteAt( const types::point& corner )
{
    if( mySprite )
        mySprite->SetPosition( corner.x, corner.y );
}

float CBadGuy::BoostFactor( float boost )
{
    const double p = boost / ( 250.0 / 3.8 );
    const double v = std::sin( p ) * std::sin( p ) * ( p - 0.5 ) + 1.0 + p;
    return static_cast<float>( std::clamp( v, 1.0, 14.0 ) );
}

float CBadGuy::AlarmFactor( float alarm )
{
    const float a = std::clamp( alarm, 0.0f, 5.0f );
    return 1.0f / ( 5.1f - a ) + 2.0f;
}

} // namespace horror
