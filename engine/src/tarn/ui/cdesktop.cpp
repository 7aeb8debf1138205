#include "tarn/ui/cdesktop.h"

#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/inputdevice/cmouse.h"

namespace tarn {
namespace ui {

CDesktop::CDesktop() :
    CWidget( "desktop" )
{
    CInputDispatcher* dispatcher = CInputDispatcher::GetSingletonPtr();
    const bool sized = dispatcher->GetLastWidth() > 0 && dispatcher->GetLastHeight() > 0;
    SetRect( types::rect{ 0, 0, sized ? dispatcher->GetLastWidth() : DEFAULT_WIDTH,
                          sized ? dispatcher->GetLastHeight() : DEFAULT_HEIGHT } );
    dispatcher->AddResizeListener( this );
    CMouse* mouse = GetMouse();
    myX = mouse->GetX();
    myY = mouse->GetY();
    mouse->AddListener( this );
}

CDesktop::~CDesktop()
{
    if( CMouse::HasSingleton() )
        GetMouse()->RemoveListener( this );
    if( CInputDispatcher::HasSingleton() )
        CInputDispatcher::GetSingletonPtr()->RemoveResizeListener( this );
}

bool CDesktop::Contains( int, int ) const
{
    return true;
}

void CDesktop::OnMouseMove( int x, int y )
{
    myX = x;
    myY = y;
    Update();
}

void CDesktop::OnMouseMoveRelative( int, int )
{
}

void CDesktop::OnButtonDown( int button )
{
    FindWidgetAt( myX, myY )->OnMouseButtonDown( button );
}

void CDesktop::OnButtonUp( int button )
{
    FindWidgetAt( myX, myY )->OnMouseButtonUp( button );
}

void CDesktop::OnResize( int width, int height )
{
    SetRect( types::rect{ 0, 0, width, height } );
}

void CDesktop::Update()
{
    HoverOver( FindWidgetAt( myX, myY ) );
}

CWidget* CDesktop::GetHoveredWidget() const
{
    return myHoveredLife.expired() ? nullptr : myHovered;
}

void CDesktop::HoverOver( CWidget* widget )
{
    CWidget* previous = GetHoveredWidget();
    if( widget == previous )
        return;
    myHovered = widget;
    myHoveredLife = widget->GetLifeToken();
    // The old widget's handlers may destroy the new one.
    if( previous )
        previous->OnMouseOut();
    if( !myHoveredLife.expired() && myHovered == widget )
        widget->OnMouseOver();
}

CDesktop* GetDesktop()
{
    return CDesktop::GetSingletonPtr();
}

} // namespace ui
} // namespace tarn
