#include "tarn/ui/cbuttonwidget.h"

#include "tarn/gfx/csprite.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/inputdevice/inputlisteners.h"

namespace tarn {
namespace ui {

const char* const CButtonWidget::EVENT_CLICK = "click";

CButtonWidget::CButtonWidget( const std::string& name, const std::string& spriteFile ) :
    CWidget( name ),
    mySprite( CSpriteFactory::LoadSprite( spriteFile ) )
{
}

CButtonWidget::~CButtonWidget() = default;

void CButtonWidget::OnMouseButtonUp( int button )
{
    // A handler of "mouse_button_up" may destroy the button.
    const std::weak_ptr<void> life = GetLifeToken();
    CWidget::OnMouseButtonUp( button );
    if( life.expired() || button != MOUSE_BUTTON_LEFT )
        return;
    RaiseEvent( EVENT_CLICK );
}

void CButtonWidget::OnGeometryChanged()
{
    if( mySprite )
        mySprite->SetPosition( GetRect().x, GetRect().y );
}

} // namespace ui
} // namespace tarn
