#include "tarn/gfx/cspritelayer.h"

#include <algorithm>

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
    if( sprite->GetZ() < myRedrawDepth )
        sprite->Erase( myTarget );
    if( EraseFrontTo( sprite ) )
        RaiseRedrawDepth( sprite->GetZ() );
    else if( !myChildren.empty() )
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
    if( std::find( myChildren.begin(), myChildren.end(), sprite ) == myChildren.end() )
        return false;
    for( CSprite* child : myChildren )
    {
        child->Erase( myTarget );
        if( child == sprite )
            break;
    }
    return true;
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
