#include "tarn/gfx/cspriteupdater.h"

#include <algorithm>

#include "tarn/gfx/canimatable.h"
#include "tarn/gfx/cspriteeffect.h"

namespace tarn {

CSpriteUpdater::CSpriteUpdater() = default;

CSpriteUpdater::~CSpriteUpdater() = default;

void CSpriteUpdater::Update( types::ticks now )
{
    myCurrentTime = now;
    UpdateEffects( now );
    UpdateAnimations( now );
}

void CSpriteUpdater::UpdateEffects( types::ticks now )
{
    // An effect may end others, or itself, by destroying a sprite while it
    // applies; they are only marked then, and let go of after the walk.
    myWalkingEffects = true;
    for( CRunningEffect& running : myEffects )
    {
        if( !running.ended )
            running.effect->Update( now );
    }
    myWalkingEffects = false;
    EraseEnded();
}

void CSpriteUpdater::EraseEnded()
{
    myEffects.remove_if(
        []( const CRunningEffect& running ) { return running.ended || running.effect->IsFinished(); } );
}

void CSpriteUpdater::UpdateAnimations( types::ticks now )
{
    for( auto it = myAnimated.begin(); it != myAnimated.end(); )
    {
        CAnimatable* sprite = *it;
        if( sprite->GetNextUpdateTime() > now )
            break;
        myCurrentAnimated = sprite;
        sprite->UpdateTime( now );
        sprite->UpdateAnimation();
        if( !myCurrentAnimated )
            break;
        myCurrentAnimated = nullptr;
        ++it;
    }
    myCurrentAnimated = nullptr;
    myAnimated.sort( []( const CAnimatable* a, const CAnimatable* b ) {
        return a->GetNextUpdateTime() < b->GetNextUpdateTime();
    } );
}

void CSpriteUpdater::AddAnimatedSprite( CAnimatable* sprite )
{
    if( !IsAnimating( sprite ) )
        myAnimated.push_back( sprite );
}

void CSpriteUpdater::RemoveAnimatedSprite( CAnimatable* sprite )
{
    myAnimated.remove( sprite );
    if( myCurrentAnimated == sprite )
        myCurrentAnimated = nullptr;
}

bool CSpriteUpdater::IsAnimating( const CAnimatable* sprite ) const
{
    return std::find( myAnimated.begin(), myAnimated.end(), sprite ) != myAnimated.end();
}

void CSpriteUpdater::RemoveEffectsOf( const CSprite* sprite )
{
    for( CRunningEffect& running : myEffects )
    {
        if( !running.ended && running.effect->IsForSprite( sprite ) )
            running.ended = true;
    }
    if( !myWalkingEffects )
        EraseEnded();
}

CSpriteEffect* StartEffect( std::unique_ptr<CSpriteEffect> effect )
{
    return CSpriteUpdater::GetSingletonPtr()->AddEffect( std::move( effect ) );
}

CSpriteEffect* CSpriteUpdater::AddEffect( std::unique_ptr<CSpriteEffect> effect )
{
    CSpriteEffect* added = effect.get();
    myEffects.push_back( CRunningEffect{ std::move( effect ), false } );
    return added;
}

std::size_t CSpriteUpdater::GetEffectCount() const
{
    return static_cast<std::size_t>( std::count_if( myEffects.begin(), myEffects.end(),
                                                    []( const CRunningEffect& running ) { return !running.ended; } ) );
}

} // namespace tarn
