#include "tarn/inputdevice/cmouse.h"

#include "tarn/inputdevice/cinputdispatcher.h"

namespace tarn {

CMouse::CMouse()
{
    CInputDispatcher::GetSingletonPtr()->AddMouseListener( this );
}

CMouse::~CMouse()
{
    if( CInputDispatcher::HasSingleton() )
        CInputDispatcher::GetSingletonPtr()->RemoveMouseListener( this );
}

template <class Call>
void CMouse::Tell( Call call )
{
    const std::set<CMouseListener*> snapshot( myListeners );
    for( CMouseListener* listener : snapshot )
    {
        if( myListeners.count( listener ) )
            call( listener );
    }
}

void CMouse::OnMouseMove( int x, int y )
{
    myX = x;
    myY = y;
    Tell( [ & ]( CMouseListener* l ) { l->OnMouseMove( x, y ); } );
}

void CMouse::OnMouseMoveRelative( int dx, int dy )
{
    Tell( [ & ]( CMouseListener* l ) { l->OnMouseMoveRelative( dx, dy ); } );
}

void CMouse::OnButtonDown( int button )
{
    myButtons |= button;
    Tell( [ & ]( CMouseListener* l ) { l->OnButtonDown( button ); } );
}

void CMouse::OnButtonUp( int button )
{
    myButtons &= ~button;
    Tell( [ & ]( CMouseListener* l ) { l->OnButtonUp( button ); } );
}

CMouse* GetMouse()
{
    return CMouse::GetSingletonPtr();
}

} // namespace tarn
