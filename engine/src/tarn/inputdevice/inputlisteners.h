#ifndef TARN_INPUTDEVICE_INPUTLISTENERS_H
#define TARN_INPUTDEVICE_INPUTLISTENERS_H

namespace tarn {

// Mouse buttons are passed as bit masks.
enum MouseButton
{
    MOUSE_BUTTON_LEFT = 1,
    MOUSE_BUTTON_MIDDLE = 2,
    MOUSE_BUTTON_RIGHT = 4,
    MOUSE_BUTTON_WHEEL_UP = 8,
    MOUSE_BUTTON_WHEEL_DOWN = 16
};

// Key presses and releases; key codes are SDL 1.2 key symbols.
class CKeyboardListener
{
public:
    virtual ~CKeyboardListener() = default;

    virtual void OnKeyDown( int key ) = 0;
    virtual void OnKeyUp( int key ) = 0;
    // The character of the key event being delivered (0 when none).
    virtual void SetCharacter( char c ) { myCharacter = c; }
    virtual char GetCharacter() const { return myCharacter; }

private:
    char myCharacter = 0;
};

// Pointer motion in screen pixels and buttons as MouseButton masks.
class CMouseListener
{
public:
    virtual ~CMouseListener() = default;

    virtual void OnMouseMove( int x, int y ) = 0;
    virtual void OnMouseMoveRelative( int dx, int dy ) = 0;
    virtual void OnButtonDown( int button ) = 0;
    virtual void OnButtonUp( int button ) = 0;
};

// Told when the application gains or loses input focus.
class CFocusListener
{
public:
    virtual ~CFocusListener() = default;

    virtual void OnActivate( bool gained ) = 0;
};

// Told when the window asks for a new size, in pixels.
class CResizeListener
{
public:
    virtual ~CResizeListener() = default;

    virtual void OnResize( int width, int height ) = 0;
};

// The platform's mouse cursor.
class CCursorImpl
{
public:
    virtual ~CCursorImpl() = default;

    virtual void ShowCursor() = 0;
    virtual void HideCursor() = 0;
    virtual void ChangeCursor( int type ) = 0;
    virtual void GrabInput( bool grab ) = 0;
};

} // namespace tarn

#endif
