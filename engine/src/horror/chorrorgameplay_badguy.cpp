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
    const types::vector2 toPlayer = player - myBadguyPosition;
    if( toPlayer.SquaredLength() < mySquaredAiRange &&
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

    const types::vector2 delta = target - myBadguyPosition;
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
        return types::vector2::From( myPath[ myPathIndex ] );

    // Just lost sight of the player: back to the last path point in view.
    myChasing = false;
    for( std::size_t i = 0; i < myPath.size(); ++i )
    {
        if( HasLineOfSight( myBadguyPosition, types::vector2::From( myPath[ i ] ) ) )
            myPathIndex = i;
    }
    return types::vector2::From( myPath[ myPathIndex ] );
}

void CHorrorGameplay::TestCapture()
{
    if( ( PlayerCentre() - myBadguyPosition ).Length() < CATCH_DISTANCE )
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
        distance = ( myBadguyPosition - player ).Length();
        found = true;
    }
    else if( myPathIndex < myPath.size() )
    {
        distance = ( types::vector2::From( myPath[ myPathIndex ] ) - myBadguyPosition ).Length();
        for( std::size_t k = myPathIndex; k < myPath.size(); ++k )
        {
            const types::vector2 point = types::vector2::From( myPath[ k ] );
            if( HasLineOfSight( point, player ) )
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
