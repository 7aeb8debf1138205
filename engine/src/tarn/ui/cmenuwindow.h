#ifndef TARN_UI_CMENUWINDOW_H
#define TARN_UI_CMENUWINDOW_H

#include <memory>
#include <string>
#include <vector>

#include "tarn/inputdevice/inputlisteners.h"
#include "tarn/ui/cmenuitem.h"
#include "tarn/ui/cmenurowwidget.h"
#include "tarn/ui/cwindowwidget.h"

namespace tarn {

class CFont;
class CSprite;
class CTextSprite;

namespace ui {

// A game's pause menu: a see-through panel in the middle of the dimmed
// screen with a title over one row per item. While open it holds the game
// and hears every key; it is modal, so every click on the screen lands on
// it. Up and down move the highlight, return activates, left and right
// change a value; the pointer highlights the row under it and a click
// activates it. An item that asks first shows its question on the same
// panel with Yes and No. Closing hides the menu at once but lets the game go
// only at the next Update, when the click or key that closed it has reached
// every listener: the game never takes it for its own.
class CMenuWindow final : public CWindowWidget, public CKeyboardListener
{
public:
    static constexpr const char* HOLDER = "menu";
    static constexpr const char* YES = "Yes";
    static constexpr const char* NO = "No";
    static constexpr int WIDTH = 460;

    // Fonts are file names as a text sprite's; an empty title font is the
    // item font.
    CMenuWindow( const std::vector<CMenuItem>& items, const std::string& title, const std::string& itemFont,
                 const std::string& titleFont );
    ~CMenuWindow() override;

    // Opening starts at the first item and holds the game.
    void SetOpen( bool open );
    // Back from the question to the menu, or from the menu to the game.
    void StepBack();
    // Shows the values as they are now; lets the game go once closed.
    void Update();

    void OnKeyDown( int key ) override;
    void OnKeyUp( int key ) override;
    bool Contains( int x, int y ) const override;
    void OnGeometryChanged() override;

    bool IsAsking() const { return myAsking >= 0; }
    int GetHighlight() const { return myHighlight; }
    // Rows of the page on show: the items, or Yes and No.
    int GetRowCount() const;
    CMenuRowWidget* GetRow( int i ) const { return myRows.at( i ).get(); }
    CTextSprite* GetTitleSprite() const { return myTitle.get(); }
    CSprite* GetHighlightSprite() const { return myHighlightBar.get(); }

private:
    void OnShown( bool shown ) override;
    void Highlight( int row );
    void Move( int delta );
    // direction -1 or +1 for a value; wrap lets it go round the ends.
    void Activate( int row, int direction, bool wrap );
    void RunLine( const std::string& line );
    void Ask( int item );
    void ShowPage();
    void PlaceSprites();

    std::vector<CMenuItem> myItems;
    std::string myTitleText;
    std::vector<std::unique_ptr<CMenuRowWidget>> myRows;
    std::unique_ptr<CTextSprite> myTitle;
    std::unique_ptr<CSprite> myShade;
    std::unique_ptr<CSprite> myHighlightBar;
    // Where the rows start below the window's top, and each one's height.
    int myTop = 0;
    int myRowHeight = 0;
    int myHighlight = 0;
    // The item whose question is on show; -1 for the menu.
    int myAsking = -1;
    bool myHolding = false;
};

} // namespace ui
} // namespace tarn

#endif
