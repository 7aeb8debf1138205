#ifndef TARN_UI_CMENUROWWIDGET_H
#define TARN_UI_CMENUROWWIDGET_H

#include <functional>
#include <memory>
#include <string>

#include "tarn/ui/cwidget.h"

namespace tarn {

class CFont;
class CTextSprite;

namespace ui {

// One line of a menu window: a label on the left and a value between arrows
// centred in a column on the right. The pointer coming over it, and a left
// click, go to whoever made it: a click on the left half of the value column
// asks for one step down (-1), anywhere else for activation (+1).
class CMenuRowWidget final : public CWidget
{
public:
    static constexpr int VALUE_WIDTH = 150;

    using ClickHandler = std::function<void( int direction )>;

    CMenuRowWidget( const std::string& name, const CFont& font, ClickHandler onClick,
                    std::function<void()> onHover );
    ~CMenuRowWidget() override;

    void OnMouseButtonUp( int button ) override;
    void OnMouseOver() override;
    void OnGeometryChanged() override;

    // An empty value shows no arrows.
    void SetTexts( const std::string& label, const std::string& value );
    void SetVisible( bool visible );
    void SetZ( int z );

    CTextSprite* GetLabelSprite() const { return myLabel.get(); }
    CTextSprite* GetValueSprite() const { return myValue.get(); }

private:
    ClickHandler myOnClick;
    std::function<void()> myOnHover;
    std::unique_ptr<CTextSprite> myLabel;
    std::unique_ptr<CTextSprite> myValue;
};

} // namespace ui
} // namespace tarn

#endif
