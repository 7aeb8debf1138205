#include "tarn/ui/cwidget.h"

#include <algorithm>

#include "tarn/utils/ccalculator.h"
#include "tarn/utils/numberutils.h"

namespace tarn {
namespace ui {

const char* const CWidget::EVENT_MOUSE_BUTTON_DOWN = "mouse_button_down";
const char* const CWidget::EVENT_MOUSE_BUTTON_UP = "mouse_button_up";
const char* const CWidget::EVENT_MOUSE_OVER = "mouse_over";
const char* const CWidget::EVENT_MOUSE_OUT = "mouse_out";

namespace {

// One calculator serves the whole layout.
CCalculator<double>& LayoutCalculator()
{
    static CCalculator<double> calculator;
    return calculator;
}

void ReplaceAll( std::string& text, const std::string& name, int value )
{
    const std::string number = std::to_string( value );
    for( std::string::size_type at = text.find( name ); at != std::string::npos;
         at = text.find( name, at + number.size() ) )
        text.replace( at, name.size(), number );
}

} // namespace

CWidget::CWidget( const std::string& name ) :
    myName( name )
{
}

CWidget::~CWidget()
{
    for( CWidget* child : myChildren )
        child->myParent = nullptr;
    if( myParent )
        myParent->RemoveChild( this );
}

void CWidget::OnMouseButtonDown( int )
{
    RaiseEvent( EVENT_MOUSE_BUTTON_DOWN );
}

void CWidget::OnMouseButtonUp( int )
{
    RaiseEvent( EVENT_MOUSE_BUTTON_UP );
}

void CWidget::OnMouseOver()
{
    RaiseEvent( EVENT_MOUSE_OVER );
}

void CWidget::OnMouseOut()
{
    RaiseEvent( EVENT_MOUSE_OUT );
}

void CWidget::OnGeometryChanged()
{
}

bool CWidget::Contains( int x, int y ) const
{
    return x >= myRect.x && y >= myRect.y && x < myRect.x + myRect.w && y < myRect.y + myRect.h;
}

void CWidget::AddChild( CWidget* child )
{
    if( !child || child == this )
        return;
    if( child->myParent )
        child->myParent->RemoveChild( child );
    child->myParent = this;
    myChildren.push_back( child );
    child->UpdateLayout();
}

void CWidget::RemoveChild( CWidget* child )
{
    const auto found = std::find( myChildren.begin(), myChildren.end(), child );
    if( found == myChildren.end() )
        return;
    myChildren.erase( found );
    child->myParent = nullptr;
}

CWidget* CWidget::FindWidgetAt( int x, int y )
{
    for( auto child = myChildren.rbegin(); child != myChildren.rend(); ++child )
    {
        if( CWidget* found = ( *child )->FindWidgetAt( x, y ) )
            return found;
    }
    return Contains( x, y ) ? this : nullptr;
}

void CWidget::SetRect( const types::rect& rect )
{
    SetGeometry( std::to_string( rect.x ), std::to_string( rect.y ), std::to_string( rect.w ),
                 std::to_string( rect.h ) );
}

void CWidget::SetGeometry( const std::string& x, const std::string& y, const std::string& w, const std::string& h )
{
    myGeometry = { { x, y, w, h } };
    UpdateLayout();
}

void CWidget::UpdateLayout()
{
    myRect.w = Evaluate( myGeometry[ 2 ] );
    myRect.h = Evaluate( myGeometry[ 3 ] );
    myRect.x = Evaluate( myGeometry[ 0 ] );
    myRect.y = Evaluate( myGeometry[ 1 ] );
    OnGeometryChanged();
    const std::vector<CWidget*> children( myChildren );
    for( CWidget* child : children )
        child->UpdateLayout();
}

int CWidget::Evaluate( const std::string& expression ) const
{
    const types::rect parent = myParent ? myParent->myRect : types::rect{};
    std::string text = expression;
    ReplaceAll( text, "parent.x", parent.x );
    ReplaceAll( text, "parent.y", parent.y );
    ReplaceAll( text, "parent.w", parent.w );
    ReplaceAll( text, "parent.h", parent.h );
    ReplaceAll( text, "this.x", myRect.x );
    ReplaceAll( text, "this.y", myRect.y );
    ReplaceAll( text, "this.w", myRect.w );
    ReplaceAll( text, "this.h", myRect.h );
    return TruncateToInt( LayoutCalculator().Calculate( text ) );
}

void CWidget::Disconnect( const std::string& event, const CSignalReceiver* receiver )
{
    const auto found = myEvents.find( event );
    if( found != myEvents.end() )
        found->second.Disconnect( receiver );
}

void CWidget::RaiseEvent( const std::string& event )
{
    const auto found = myEvents.find( event );
    if( found != myEvents.end() )
        found->second.Emit();
}

std::size_t CWidget::GetConnectionCount( const std::string& event ) const
{
    const auto found = myEvents.find( event );
    return found == myEvents.end() ? 0 : found->second.GetSlotCount();
}

} // namespace ui
} // namespace tarn
