#include "tarn/gfx/cspriteupdater.h"

#include <algorithm>

#include "tarn/gfx/canimatable.h"
#include "tarn/gfx/cspriteeffect.h"

namespace tarn {

CSpriteUpdater::~CSpriteUpdater()
{
    while( !myEffects.empty() )
        delete myEffects.front();
}

void CSpriteUpdater::Update( types::ticks now )
{
    myCurrentTime = now;
    UpdateEffects( now );
    UpdateAnimations( now );
}

void CSpriteUpdater::UpdateEffects( types::ticks now )
{
    for( auto it = myEffects.begin(); it != myEffects.end(); )
    {
        CSpriteEffect* effect = *it;
        myCurrentEffect = effect;
        effect->Update( now );
        // The effect was destroyed while updating (its sprite went away):
        // the list may have changed under the walk.
        if( !myCurrentEffect )
            return;
        myCurrentEffect = nullptr;
        if( !effect->IsFinished() )
        {
            ++it;
            continue;
        }
        it = myEffects.erase( it );
        delete effect;
    }
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
    std::list<CSpriteEffect*> doomed;
    for( CSpriteEffect* effect : myEffects )
    {
        if( effect->IsForSprite( sprite ) )
            doomed.push_back( effect );
    }
    for( CSpriteEffect* effect : doomed )
        delete effect;
}

void CSpriteUpdater::AddEffect( CSpriteEffect* effect )
{
    myEffects.push_back( effect );
}

void CSpriteUpdater::RemoveEffect( CSpriteEffect* effect )
{
    myEffects.remove( effect );
    if( myCurrentEffect == effect )
        myCurrentEffect = nullptr;
}

} // namespace tarn
