#ifndef TARN_UI_CTEXTINPUTWIDGET_H
#define TARN_UI_CTEXTINPUTWIDGET_H

#include <memory>
#include <string>

#include "tarn/inputdevice/inputlisteners.h"
#include "tarn/ui/cwidget.h"

namespace tarn {

class CTextSprite;

namespace ui {

// One line of typed text in the system font, shown after a prompt and
// followed by a cursor. While visible it hears every key at the input
// dispatcher, together with the keyboard: printable characters are added,
// backspace takes the last one off, and return raises "enter" (the text
// stays until someone clears it). Tab, the arrow keys up and down and the
// page keys raise events of their own for whoever offers more. A hidden input
// takes no keys and shows nothing.
class CTextInputWidget final : public CWidget, public CKeyboardListener
{
public:
    static const char* const EVENT_ENTER;
    static const char* const EVENT_TAB;
    static const char* const EVENT_ARROW_UP;
    static const char* const EVENT_ARROW_DOWN;
    static const char* const EVENT_PAGE_UP;
    static const char* const EVENT_PAGE_DOWN;
    static constexpr const char* PROMPT = "> ";
    static constexpr const char* CURSOR = "_";

    explicit CTextInputWidget( const std::string& name );
    ~CTextInputWidget() override;

    void OnKeyDown( int key ) override;
    void OnKeyUp( int key ) override;
    void OnGeometryChanged() override;

    void SetText( const std::string& text );
    const std::string& GetText() const { return myText; }

    void SetVisible( bool visible );
    bool IsVisible() const { return myVisible; }
    // Depth of the text's sprite.
    void SetZ( int z );

    CTextSprite* GetSprite() const { return mySprite.get(); }

private:
    void Render();

    std::string myText;
    bool myVisible = false;
    std::unique_ptr<CTextSprite> mySprite;
};

} // namespace ui
} // namespace tarn

#endif
