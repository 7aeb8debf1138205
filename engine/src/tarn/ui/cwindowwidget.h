#ifndef TARN_UI_CWINDOWWIDGET_H
#define TARN_UI_CWINDOWWIDGET_H

#include <memory>
#include <string>

#include "tarn/ui/cwidget.h"
#include "tarn/utils/ccolor.h"

namespace tarn {

class CSprite;
class CSurface;
class CTextSprite;

namespace ui {

// A window on the desktop: a dark panel with a title bar and a close box at
// the bar's right end. A shown window is the desktop's topmost child; a
// hidden one leaves the widget tree, so it hears no mouse, and its sprites
// are hidden. Its sprites lie at its z and one nearer, so contents belong at
// GetContentZ().
class CWindowWidget : public CWidget
{
public:
    static const char* const EVENT_CLOSE;
    static constexpr int TITLE_HEIGHT = 17;
    // Nearer than the game's sprites and the FPS display.
    static constexpr int DEFAULT_Z = -2000;

    CWindowWidget( const std::string& name, const std::string& title );
    ~CWindowWidget() override;

    void OnGeometryChanged() override;

    // Puts the window on top of the desktop, or takes it off; contents
    // follow through OnShown.
    void SetShown( bool shown );
    bool IsShown() const { return myShown; }

    // True once after each click on the close box ("close" is raised then).
    bool TakeCloseRequest();

    // For a window closed some other way (a menu): the panel is body inside a
    // one-pixel edge, with neither title bar nor close box. A body colour
    // with alpha lets the game show through.
    void SetFrameless( const CColor& body, const CColor& edge );

    const std::string& GetTitle() const { return myTitle; }
    int GetZ() const { return myZ; }
    // The z for sprites drawn on the window.
    int GetContentZ() const { return myZ - 2; }
    CWidget* GetCloseBox() { return &myCloseBox; }
    CSprite* GetPanelSprite() const { return myPanel.get(); }
    CTextSprite* GetTitleSprite() const { return myTitleBar.get(); }

protected:
    // body inside a one-pixel edge, for panels and bars drawn on the window.
    static std::unique_ptr<CSurface> MakeFramedImage( int width, int height, const CColor& body,
                                                      const CColor& edge );
    // The window was shown or hidden; contents show or hide with it.
    virtual void OnShown( bool shown );

private:
    void OnCloseBoxReleased();
    // Makes the panel's image for the window's size and look.
    void PaintPanel();

    std::string myTitle;
    int myZ = DEFAULT_Z;
    bool myShown = false;
    bool myCloseRequested = false;
    bool myFrameless = false;
    CColor myBodyColor;
    CColor myEdgeColor;
    CWidget myCloseBox;
    std::unique_ptr<CSprite> myPanel;
    std::unique_ptr<CTextSprite> myTitleBar;
};

} // namespace ui
} // namespace tarn

#endif
