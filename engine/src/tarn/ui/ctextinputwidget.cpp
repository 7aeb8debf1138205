#include "tarn/ui/ctextinputwidget.h"

#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/font/cfont.h"
#include "tarn/gfx/font/csystemfont.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/inputdevice/keynames.h"

namespace tarn {
namespace ui {

const char* const CTextInputWidget::EVENT_ENTER = "enter";
const char* const CTextInputWidget::EVENT_TAB = "tab";
const char* const CTextInputWidget::EVENT_ARROW_UP = "arrow_up";
const char* const CTextInputWidget::EVENT_ARROW_DOWN = "arrow_down";
const char* const CTextInputWidget::EVENT_PAGE_UP = "page_up";
const char* const CTextInputWidget::EVENT_PAGE_DOWN = "page_down";

CTextInputWidget::CTextInputWidget( const std::string& name ) :
    CWidget( name ),
    mySprite( std::make_unique<CTextSprite>() )
{
    mySprite->SetFont( CSystemFont::Create() );
    mySprite->SetParent( CScreenLayer::GetSingletonPtr() );
    mySprite->SetVisible( false );
    Render();
}

CTextInputWidget::~CTextInputWidget()
{
    SetVisible( false );
}

void CTextInputWidget::OnKeyDown( int key )
{
    switch( key )
    {
    case KEY_RETURN:
    case KEY_KEYPAD_ENTER: RaiseEvent( EVENT_ENTER ); return;
    case KEY_TAB: RaiseEvent( EVENT_TAB ); return;
    case KEY_UP: RaiseEvent( EVENT_ARROW_UP ); return;
    case KEY_DOWN: RaiseEvent( EVENT_ARROW_DOWN ); return;
    case KEY_PAGE_UP: RaiseEvent( EVENT_PAGE_UP ); return;
    case KEY_PAGE_DOWN: RaiseEvent( EVENT_PAGE_DOWN ); return;
    case KEY_BACKSPACE:
        if( !myText.empty() )
            SetText( myText.substr( 0, myText.size() - 1 ) );
        return;
    default: break;
    }
    const char c = GetCharacter();
    if( c >= ' ' && c <= '~' )
        SetText( myText + c );
}

void CTextInputWidget::OnKeyUp( int )
{
}

void CTextInputWidget::OnGeometryChanged()
{
    const types::rect rect = GetRect();
    mySprite->Resize( rect.w, rect.h );
    mySprite->SetPosition( rect.x, rect.y );
    Render();
}

void CTextInputWidget::SetText( const std::string& text )
{
    myText = text;
    Render();
}

void CTextInputWidget::SetVisible( bool visible )
{
    if( visible == myVisible )
        return;
    myVisible = visible;
    mySprite->SetVisible( visible );
    if( !CInputDispatcher::HasSingleton() && !visible )
        return;
    if( visible )
        CInputDispatcher::GetSingletonPtr()->AddKeyboardListener( this );
    else
        CInputDispatcher::GetSingletonPtr()->RemoveKeyboardListener( this );
}

void CTextInputWidget::SetZ( int z )
{
    mySprite->SetZ( z );
}

void CTextInputWidget::Render()
{
    // A line longer than the widget shows its end, where the typing goes on.
    std::string shown = myText + CURSOR;
    const CFont* font = mySprite->GetFont();
    const int width = GetRect().w - font->GetTextWidth( PROMPT );
    std::string::size_type cut = 0;
    while( cut < myText.size() && font->GetTextWidth( shown.substr( cut ) ) > width )
        ++cut;
    mySprite->SetText( PROMPT + shown.substr( cut ) );
}

} // namespace ui
} // namespace tarn
