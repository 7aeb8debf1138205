#include "tarn/gfx/cspriteeffect.h"

#include <sstream>

#include "tarn/gfx/cspriteupdater.h"

namespace tarn {

CSpriteEffect::CSpriteEffect( CSprite* sprite, types::ticks duration ) :
    mySprite( sprite ),
    myStartTime( CSpriteUpdater::GetSingletonPtr()->GetCurrentTime() ),
    myDuration( duration ),
    myLastUpdateTime( myStartTime )
{
}

CSpriteEffect::~CSpriteEffect() = default;

void CSpriteEffect::Update( types::ticks now )
{
    if( myPaused || myDuration == 0 )
    {
        myStartTime += now - myLastUpdateTime;
        myLastUpdateTime = now;
        return;
    }

    myLastUpdateTime = now;
    float progress = static_cast<float>( now - myStartTime ) / static_cast<float>( myDuration );
    if( progress >= 1.0f )
    {
        SetFinished( true );
        progress = 1.0f;
    }
    else if( progress < 0.0f )
    {
        progress = 0.0f;
    }
    Apply( progress );
}

bool CSpriteEffect::IsForSprite( const CSprite* sprite ) const
{
    return mySprite == sprite;
}

bool CSpriteEffect::IsFinished() const
{
    return myFinished;
}

void CSpriteEffect::SetFinished( bool finished )
{
    myFinished = finished;
}

void CSpriteEffect::Pause()
{
    myPaused = true;
}

void CSpriteEffect::Resume()
{
    myPaused = false;
}

void CSpriteEffect::SetTimeScale( float factor )
{
    if( factor <= 0.0f || myDuration == 0 )
        return;
    const types::ticks now = myLastUpdateTime;
    const double done = static_cast<double>( now - myStartTime ) / myDuration;
    myDuration = static_cast<types::ticks>( myDuration / factor );
    myStartTime = now - static_cast<types::ticks>( done * myDuration );
    myTimeScale *= factor;
}

float CSpriteEffect::Evaluate( CCalculator<float>& calculator, const std::string& expression, float progress,
                               float emptyValue )
{
    if( expression.empty() )
        return emptyValue;

    std::ostringstream number;
    number << progress;
    std::string text;
    for( const char c : expression )
    {
        if( c == 't' )
            text += number.str();
        else
            text += c;
    }
    return calculator.Calculate( text );
}

} // namespace tarn
