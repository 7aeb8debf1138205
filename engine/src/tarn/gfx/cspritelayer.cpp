#include "tarn/gfx/cspritelayer.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

namespace tarn {

CSpriteLayer::~CSpriteLayer()
{
    for( CSprite* child : myChildren )
        child->DetachFromParent();
    for( CSprite* child : myHiddenChildren )
        child->DetachFromParent();
}

int CSpriteLayer::GetType() const
{
    return KIND_LAYER;
}

bool CSpriteLayer::IsEmpty() const
{
    return myChildren.empty();
}

bool CSpriteLayer::Redraw( CSprite* target )
{
    (void)target;
    if( myChildren.empty() )
        return false;

    EraseOverMovedSprites();
    bool visited = false;
    int lastZ = myRedrawDepth;
    for( auto child = myChildren.rbegin(); child != myChildren.rend(); ++child )
    {
        if( ( *child )->GetZ() > myRedrawDepth )
            continue;
        ( *child )->Redraw( myTarget );
        myRedrawDepth = ( *child )->GetZ();
        lastZ = myRedrawDepth;
        visited = true;
    }
    if( visited )
        myRedrawDepth = lastZ - 1;
    SetDrawState( DRAW_CLEAN );
    ClearChanged();
    return visited;
}

void CSpriteLayer::AddSprite( CSprite* sprite )
{
    MarkChanged();
    auto position = myChildren.begin();
    for( ; position != myChildren.end() && ( *position )->GetZ() < sprite->GetZ(); ++position )
        ( *position )->Erase( myTarget );
    myChildren.insert( position, sprite );
    RaiseRedrawDepth( sprite->GetZ() );
}

void CSpriteLayer::RemoveSprite( CSprite* sprite )
{
    MarkChanged();
    TakeOut( sprite );
}

void CSpriteLayer::ResortChildren()
{
    myChildren.sort( []( const CSprite* a, const CSprite* b ) { return a->GetZ() < b->GetZ(); } );
}

void CSpriteLayer::InvalidateFromDepth( int z )
{
    MarkChanged();
    for( CSprite* child : myChildren )
    {
        if( child->GetZ() > z )
            break;
        child->Erase( myTarget );
    }
    RaiseRedrawDepth( z );
}

void CSpriteLayer::SpriteChanged( CSprite* sprite )
{
    MarkChanged();
    // The sprites in front are erased before the sprite itself: their saved
    // backgrounds hold the sprite's old pixels.
    if( EraseFrontTo( sprite ) )
    {
        RaiseRedrawDepth( sprite->GetZ() );
        return;
    }
    if( sprite->GetZ() < myRedrawDepth )
        sprite->Erase( myTarget );
    if( !myChildren.empty() )
        RaiseRedrawDepth( myChildren.back()->GetZ() );
}

void CSpriteLayer::SetTarget( CSprite* target )
{
    myTarget = target;
}

CSprite* CSpriteLayer::GetTarget() const
{
    return myTarget;
}

void CSpriteLayer::HideSprite( CSprite* sprite )
{
    MarkChanged();
    if( TakeOut( sprite ) )
        myHiddenChildren.push_back( sprite );
}

void CSpriteLayer::ShowSprite( CSprite* sprite )
{
    const auto hidden = std::find( myHiddenChildren.begin(), myHiddenChildren.end(), sprite );
    if( hidden == myHiddenChildren.end() )
        return;
    myHiddenChildren.erase( hidden );
    AddSprite( sprite );
}

void CSpriteLayer::ForgetHiddenSprite( CSprite* sprite )
{
    myHiddenChildren.remove( sprite );
}

void CSpriteLayer::RaiseRedrawDepth( int z )
{
    myRedrawDepth = std::max( myRedrawDepth, z );
}

bool CSpriteLayer::EraseFrontTo( CSprite* sprite )
{
    const auto position = std::find( myChildren.begin(), myChildren.end(), sprite );
    if( position == myChildren.end() )
        return false;
    // Only the sprites in front that cover the sprite's old or new place, or
    // cover a sprite erased in turn, must be drawn again, and of a sprite
    // that stays where it is only the part over those places: the rest
    // keeps its pixels and its saved background. Walking from the sprite to
    // the front finds them; erasing goes from the front back. A part cut
    // from a touched area lies inside it, so it touches nothing new.
    std::vector<types::rect> touched{ sprite->GetRect(), sprite->GetBackgroundRect() };
    std::vector<std::pair<CSprite*, std::vector<types::rect>>> covering;
    for( auto child = std::make_reverse_iterator( position ); child != myChildren.rend(); ++child )
    {
        if( ( *child )->CanErasePart() )
        {
            std::vector<types::rect> parts = PartsUnder( **child, touched );
            if( !parts.empty() )
                covering.emplace_back( *child, std::move( parts ) );
            continue;
        }
        if( !Covers( **child, touched ) )
            continue;
        covering.emplace_back( *child, std::vector<types::rect>() );
        touched.push_back( ( *child )->GetRect() );
        touched.push_back( ( *child )->GetBackgroundRect() );
    }
    // The sprite's own background goes back last and covers whatever the
    // parts in front put back over it.
    const types::rect overwritten = sprite->ErasedArea( myTarget );
    for( auto child = covering.rbegin(); child != covering.rend(); ++child )
    {
        if( child->second.empty() )
            child->first->Erase( myTarget );
        for( const types::rect& part : child->second )
            child->first->ErasePart( myTarget, part, overwritten );
    }
    sprite->Erase( myTarget );
    return true;
}

std::vector<types::rect> CSpriteLayer::PartsUnder( const CSprite& sprite, const std::vector<types::rect>& areas )
{
    std::vector<types::rect> parts;
    for( const types::rect& area : areas )
    {
        const types::rect part = types::Intersection( area, sprite.GetBackgroundRect() );
        if( part.w <= 0 || part.h <= 0 )
            continue;
        const auto inside = [ &part ]( const types::rect& kept ) { return types::Intersection( part, kept ) == part; };
        if( std::any_of( parts.begin(), parts.end(), inside ) )
            continue;
        const auto around = [ &part ]( const types::rect& kept ) { return types::Intersection( kept, part ) == kept; };
        parts.erase( std::remove_if( parts.begin(), parts.end(), around ), parts.end() );
        parts.push_back( part );
    }
    return parts;
}

void CSpriteLayer::EraseOverMovedSprites()
{
    // The first change saw the sprite where it was last drawn; only a
    // sprite now elsewhere can have more sprites in front of it to erase.
    for( CSprite* child : myChildren )
    {
        if( child->IsChanged() && child->GetRect() != child->GetBackgroundRect() )
            EraseFrontTo( child );
    }
}

bool CSpriteLayer::Covers( const CSprite& sprite, const std::vector<types::rect>& areas )
{
    return std::any_of( areas.begin(), areas.end(), [ & ]( const types::rect& area ) {
        return types::Intersects( sprite.GetRect(), area ) || types::Intersects( sprite.GetBackgroundRect(), area );
    } );
}

bool CSpriteLayer::TakeOut( CSprite* sprite )
{
    if( !EraseFrontTo( sprite ) )
        return false;
    const auto position = std::find( myChildren.begin(), myChildren.end(), sprite );
    if( position != myChildren.begin() )
        RaiseRedrawDepth( ( *std::prev( position ) )->GetZ() );
    myChildren.erase( position );
    return true;
}

} // namespace tarn
