#include "tarn/ui/cmenurowwidget.h"

#include <algorithm>

#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/font/cfont.h"
#include "tarn/inputdevice/cmouse.h"

namespace tarn {
namespace ui {

namespace {

constexpr int INDENT = 18;

std::unique_ptr<CTextSprite> MakeText( const CFont& font, int formatter )
{
    auto sprite = std::make_unique<CTextSprite>();
    std::unique_ptr<CFont> own = font.Clone();
    own->SetFormatter( formatter );
    sprite->SetFont( std::move( own ) );
    sprite->SetParent( CScreenLayer::GetSingletonPtr() );
    sprite->SetVisible( false );
    return sprite;
}

} // namespace

CMenuRowWidget::CMenuRowWidget( const std::string& name, const CFont& font, ClickHandler onClick,
                                std::function<void()> onHover ) :
    CWidget( name ),
    myOnClick( std::move( onClick ) ),
    myOnHover( std::move( onHover ) ),
    myLabel( MakeText( font, CFont::FORMAT_LEFT ) ),
    myValue( MakeText( font, CFont::FORMAT_CENTER ) )
{
}

CMenuRowWidget::~CMenuRowWidget() = default;

void CMenuRowWidget::OnMouseButtonUp( int button )
{
    if( button != MOUSE_BUTTON_LEFT )
        return;
    const types::rect rect = GetRect();
    const int column = rect.x + rect.w - VALUE_WIDTH;
    const int x = GetMouse()->GetX();
    const bool lower = !myValue->GetText().empty() && x >= column && x < column + VALUE_WIDTH / 2;
    myOnClick( lower ? -1 : 1 );
}

void CMenuRowWidget::OnMouseOver()
{
    myOnHover();
}

void CMenuRowWidget::OnGeometryChanged()
{
    const types::rect rect = GetRect();
    const int lineHeight = myLabel->GetFont()->GetLineHeight();
    const int top = rect.y + ( rect.h - lineHeight ) / 2;
    myLabel->Resize( std::max( rect.w - VALUE_WIDTH - INDENT, 0 ), lineHeight );
    myLabel->SetPosition( rect.x + INDENT, top );
    myValue->Resize( VALUE_WIDTH, lineHeight );
    myValue->SetPosition( rect.x + rect.w - VALUE_WIDTH, top );
}

void CMenuRowWidget::SetTexts( const std::string& label, const std::string& value )
{
    myLabel->SetText( label );
    myValue->SetText( value.empty() ? "" : "<  " + value + "  >" );
}

void CMenuRowWidget::SetVisible( bool visible )
{
    myLabel->SetVisible( visible );
    myValue->SetVisible( visible );
}

void CMenuRowWidget::SetZ( int z )
{
    myLabel->SetZ( z );
    myValue->SetZ( z );
}

} // namespace ui
} // namespace tarn
