#include "tarn/gfx/cscreenlayer.h"

#include "tarn/gfx/csurface.h"
#include "tarn/utils/clogger.h"

namespace tarn {

CScreenLayer::CScreenLayer()
{
    SetTarget( &myScreenTarget );
}

CScreenLayer::~CScreenLayer() = default;

int CScreenLayer::GetType() const
{
    return KIND_SCREENLAYER;
}

void CScreenLayer::RemoveSprite( CSprite* sprite )
{
    QueueWholeScreen();
    CSpriteLayer::RemoveSprite( sprite );
}

void CScreenLayer::HideSprite( CSprite* sprite )
{
    QueueWholeScreen();
    CSpriteLayer::HideSprite( sprite );
}

void CScreenLayer::Update()
{
    CSurface* screen = GetScreenSurface();
    if( !screen )
        return;
    const bool displayChanged = myScreenTarget.GetRect() != screen->GetViewRect();
    if( !displayChanged && !myDrawAllRequested )
        DrawIncremental( screen );
    else
        DrawAll( screen, displayChanged || myDrawAllLogged );
}

void CScreenLayer::DrawIncremental( CSurface* screen )
{
    if( myChildren.empty() || myChildren.front()->GetZ() > GetRedrawDepth() )
        return;

    EraseOverMovedSprites();
    int lastZ = GetRedrawDepth();
    for( auto child = myChildren.rbegin(); child != myChildren.rend(); ++child )
    {
        CSprite* sprite = *child;
        if( sprite->GetZ() > GetRedrawDepth() )
            continue;
        for( int i = 0; i < sprite->GetDirtyCount(); ++i )
            screen->AddDirtyRect( sprite->GetDirtyRect( i ) );
        sprite->Redraw( &myScreenTarget );
        SetRedrawDepth( sprite->GetZ() );
        lastZ = sprite->GetZ();
    }
    SetRedrawDepth( lastZ - 1 );
}

void CScreenLayer::DrawAll( CSurface* screen, bool logged )
{
    myDrawAllRequested = false;
    myDrawAllLogged = false;
    myScreenTarget.SetRect( screen->GetViewRect() );
    if( logged )
        GetLog() << "drawing all\n";
    screen->AddDirtyRect( screen->GetViewRect() );
    if( myChildren.empty() )
        return;

    // The display's pixels are new: saved backgrounds no longer match it, so
    // every sprite is drawn again, back to front, without erasing.
    for( auto child = myChildren.rbegin(); child != myChildren.rend(); ++child )
    {
        ( *child )->SetDrawState( DRAW_DIRTY );
        ( *child )->Redraw( &myScreenTarget );
    }
    SetRedrawDepth( myChildren.front()->GetZ() - 1 );
}

void CScreenLayer::QueueWholeScreen()
{
    if( CSurface* screen = GetScreenSurface() )
        screen->AddDirtyRect( screen->GetViewRect() );
}

void CScreenLayer::SetScreenSurface( CSurface* screen )
{
    myScreenSurface = screen;
}

CSurface* CScreenLayer::GetScreenSurface()
{
    return myScreenSurface;
}

} // namespace tarn
