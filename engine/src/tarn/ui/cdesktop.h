#ifndef TARN_UI_CDESKTOP_H
#define TARN_UI_CDESKTOP_H

#include <memory>

#include "tarn/inputdevice/inputlisteners.h"
#include "tarn/ui/cwidget.h"
#include "tarn/utils/csingleton.h"

namespace tarn {
namespace ui {

// The root of the widget tree: covers the whole screen and hands the mouse
// events it hears from CMouse to the topmost widget under the pointer.
// Buttons go down and up on the widget under the pointer at that moment;
// moving the pointer onto another widget raises "mouse_out" on the old one
// and "mouse_over" on the new one.
class CDesktop final : public CWidget,
                       public CMouseListener,
                       public CResizeListener,
                       public CSingleton<CDesktop>
{
public:
    static constexpr int DEFAULT_WIDTH = 800;
    static constexpr int DEFAULT_HEIGHT = 600;

    ~CDesktop() override;

    bool Contains( int x, int y ) const override;

    void OnMouseMove( int x, int y ) override;
    void OnMouseMoveRelative( int dx, int dy ) override;
    void OnButtonDown( int button ) override;
    void OnButtonUp( int button ) override;
    void OnResize( int width, int height ) override;

    // Looks again for the widget under the still pointer, so that widgets
    // that came, went or moved get "mouse_over" and "mouse_out".
    void Update();

    // The widget the pointer was last found over (null when none or gone).
    CWidget* GetHoveredWidget() const;

private:
    friend class CSingleton<CDesktop>;
    CDesktop();

    void HoverOver( CWidget* widget );

    int myX = 0;
    int myY = 0;
    CWidget* myHovered = nullptr;
    std::weak_ptr<void> myHoveredLife;
};

// The desktop, created (and listening to the mouse) on first use.
CDesktop* GetDesktop();

} // namespace ui
} // namespace tarn

#endif
