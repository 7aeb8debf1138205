// The bad guy's step, its sight of the player and the noise rules of
// CHorrorGameplay.
#include "horror/chorrorgameplay.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/utils/enginetime.h"
#include "tarn/utils/numberutils.h"
#include "tarn/utils/random.h"

using namespace tarn;

namespace horror {

namespace {

constexpr float MAX_STEP_SECONDS = 0.25f;
constexpr int PATH_DISTANCE_REFRESH = 7;
constexpr float ALARM_SECONDS = 5.0f;

float Length( const types::vector2& v )
{
    return std::sqrt( v.x * v.x + v.y * v.y );
}

types::vector2 Minus( const types::vector2& a, const types::vector2& b )
{
    return types::vector2{ a.x - b.x, a.y - b.y };
}

types::vector2 ToVector( const types::point& p )
{
    return types::vector2{ static_cast<float>( p.x ), static_cast<float>( p.y ) };
}

} // namespace

void CHorrorGameplay::Tick()
{
    if( !myBadguyEnabled || !myBadguyVisible )
        return;

    if( ++myStepCounter > PATH_DISTANCE_REFRESH )
    {
        UpdatePathDistance();
        myStepCounter = 0;
    }
    if( myPathIndex >= myPath.size() )
        return;

    const types::ticks now = myClock.GetTime();
    const float dt = std::min( ( now - myLastStepTime ) / 1000.0f, MAX_STEP_SECONDS );
    myLastStepTime = now;

    bool chase = false;
    const types::vector2 player = PlayerCentre();
    types::vector2 target;
    const types::vector2 toPlayer = Minus( player, myBadguyPosition );
    if( toPlayer.x * toPlayer.x + toPlayer.y * toPlayer.y < mySquaredAiRange &&
        HasLineOfSight( myBadguyPosition, player ) && myChasesPlayer )
    {
        chase = true;
        if( !myChasing )
            myAlarm = ALARM_SECONDS;
        myChasing = true;
        target = player;
    }
    if( !chase )
        target = PatrolTarget();

    const types::vector2 delta = Minus( target, myBadguyPosition );
    const float dist = Length( delta );
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
        myBadguyPosition = target;
        if( !chase )
            ++myPathIndex;
    }
    else if( dist > 0.0f )
    {
        myBadguyPosition.x += delta.x * ( step / dist );
        myBadguyPosition.y += delta.y * ( step / dist );
    }

    PlaceBadguySprite();
    CheckAreaEvents( types::point{ TruncateToInt( myBadguyPosition.x ), TruncateToInt( myBadguyPosition.y ) }, false,
                     true );
    TestCapture();
    Shriek( factor );
}

types::vector2 CHorrorGameplay::PatrolTarget()
{
    if( !myChasing )
        return ToVector( myPath[ myPathIndex ] );

    // Just lost sight of the player: back to the last path point in view.
    myChasing = false;
    for( std::size_t i = 0; i < myPath.size(); ++i )
    {
        if( HasLineOfSight( myBadguyPosition, ToVector( myPath[ i ] ) ) )
            myPathIndex = i;
    }
    return ToVector( myPath[ myPathIndex ] );
}

void CHorrorGameplay::TestCapture()
{
    if( Length( Minus( PlayerCentre(), myBadguyPosition ) ) < CATCH_DISTANCE )
        myCaught = true;
}

void CHorrorGameplay::Shriek( float factor )
{
    if( factor / myPreviousSpeedFactor > 4.0f )
    {
        const std::string file = "data/sfx/shriek_0" + std::to_string( RandomRange( 1, 3 ) ) + ".wav";
        GetConsole()->Execute( "Audio::PlayEffect( \"" + file + "\" );", false );
    }
    myPreviousSpeedFactor = factor;
}

void CHorrorGameplay::UpdatePathDistance()
{
    const types::vector2 player = PlayerCentre();
    float distance = 0.0f;
    bool found = false;
    if( HasLineOfSight( myBadguyPosition, player ) )
    {
        distance = Length( Minus( myBadguyPosition, player ) );
        found = true;
    }
    else if( myPathIndex < myPath.size() )
    {
        distance = Length( Minus( ToVector( myPath[ myPathIndex ] ), myBadguyPosition ) );
        for( std::size_t k = myPathIndex; k < myPath.size(); ++k )
        {
            const types::vector2 point = ToVector( myPath[ k ] );
            if( HasLineOfSight( point, player ) )
            {
                distance += Length( Minus( point, player ) );
                found = true;
                break;
            }
            if( k + 1 < myPath.size() )
                distance += Length( Minus( ToVector( myPath[ k + 1 ] ), point ) );
        }
    }
    if( !found )
        return;
    myPathDistance = distance;
    mySharedPathDistance = distance;
}

float CHorrorGameplay::NoiseBoost( float boost )
{
    const types::ticks now = EngineTime();
    const float elapsed = static_cast<float>( now - myLastBumpTime ) / 7000.0f;
    myLastBumpTime = now;
    myNoiseDecay *= 0.9f;
    const float factor = std::clamp( elapsed * myNoiseDecay, 0.5f, 2.5f );
    return mySharedPathDistance * factor + boost;
}

float CHorrorGameplay::BoostFactor( float boost )
{
    const double p = boost / ( 250.0 / 3.8 );
    const double v = std::sin( p ) * std::sin( p ) * ( p - 0.5 ) + 1.0 + p;
    return static_cast<float>( std::clamp( v, 1.0, 14.0 ) );
}

float CHorrorGameplay::AlarmFactor( float alarm )
{
    const float a = std::clamp( alarm, 0.0f, 5.0f );
    return 1.0f / ( 5.1f - a ) + 2.0f;
}

} // namespace horror
