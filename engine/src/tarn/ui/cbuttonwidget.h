#ifndef TARN_UI_CBUTTONWIDGET_H
#define TARN_UI_CBUTTONWIDGET_H

#include <memory>
#include <string>

#include "tarn/ui/cwidget.h"

namespace tarn {

class CSprite;

namespace ui {

// An image button: a sprite (from an image or a sprite description) kept at
// the widget's top-left corner once the button has a rectangle, raising "click" when the left mouse button
// is released on it.
class CButtonWidget final : public CWidget
{
public:
    static const char* const EVENT_CLICK;

    CButtonWidget( const std::string& name, const std::string& spriteFile );
    ~CButtonWidget() override;

    void OnMouseButtonUp( int button ) override;
    void OnGeometryChanged() override;

    // Null when the sprite could not be made.
    CSprite* GetSprite() const { return mySprite.get(); }

private:
    std::unique_ptr<CSprite> mySprite;
};

} // namespace ui
} // namespace tarn

#endif
