#ifndef TARN_UI_CWIDGET_H
#define TARN_UI_CWIDGET_H

#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "tarn/utils/rect.h"
#include "tarn/utils/signalslot.h"

namespace tarn {
namespace ui {

// A rectangle of the screen in the widget tree. Its position and size may be
// expressions over the parent's and its own rectangle ("parent.x + parent.w
// - 50", "this.w / 2"), all in screen pixels; they are evaluated again
// whenever the widget or its parent changes. Mouse events on the widget are
// raised as named events that receivers connect member functions to.
//
// Parents do not own their children: whoever made a widget keeps it, and a
// destroyed widget leaves its parent and orphans its children.
class CWidget : public CSignalReceiver
{
public:
    static const char* const EVENT_MOUSE_BUTTON_DOWN;
    static const char* const EVENT_MOUSE_BUTTON_UP;
    static const char* const EVENT_MOUSE_OVER;
    static const char* const EVENT_MOUSE_OUT;

    explicit CWidget( const std::string& name = "" );
    ~CWidget() override;

    CWidget( const CWidget& ) = delete;
    CWidget& operator=( const CWidget& ) = delete;

    // Mouse events for this widget (buttons as MouseButton masks); the base
    // raises the event of the same name.
    virtual void OnMouseButtonDown( int button );
    virtual void OnMouseButtonUp( int button );
    virtual void OnMouseOver();
    virtual void OnMouseOut();
    // The rectangle was evaluated again (it may be unchanged).
    virtual void OnGeometryChanged();
    // Whether the screen point lies on the widget.
    virtual bool Contains( int x, int y ) const;

    // Takes child from its former parent; it goes on top of its siblings.
    void AddChild( CWidget* child );
    void RemoveChild( CWidget* child );
    CWidget* GetParent() const { return myParent; }
    std::size_t GetChildCount() const { return myChildren.size(); }
    CWidget* GetChild( std::size_t i ) const { return myChildren.at( i ); }
    // The topmost widget of this subtree at the screen point (children before
    // their parent, later children before earlier ones); null when none.
    CWidget* FindWidgetAt( int x, int y );

    // Fixed position and size.
    void SetRect( const types::rect& rect );
    // Expressions for x, y, w and h. The size is evaluated first, so a
    // position may use "this.w" and "this.h".
    void SetGeometry( const std::string& x, const std::string& y, const std::string& w, const std::string& h );
    types::rect GetRect() const { return myRect; }
    // Evaluates this widget's expressions again, then its children's.
    void UpdateLayout();

    // Connects a member function of receiver to the named event.
    template <class Receiver>
    void Connect( const std::string& event, Receiver* receiver, void ( Receiver::*function )() )
    {
        myEvents[ event ].Connect( receiver, function );
    }
    void Disconnect( const std::string& event, const CSignalReceiver* receiver );
    // Calls what is connected to the event. A slot may destroy the widget.
    void RaiseEvent( const std::string& event );
    // Live connections to the event.
    std::size_t GetConnectionCount( const std::string& event ) const;

    const std::string& GetName() const { return myName; }

private:
    int Evaluate( const std::string& expression ) const;

    std::string myName;
    CWidget* myParent = nullptr;
    std::vector<CWidget*> myChildren;
    // x, y, w, h
    std::array<std::string, 4> myGeometry{ { "0", "0", "0", "0" } };
    types::rect myRect;
    std::map<std::string, CSignal<>> myEvents;
};

} // namespace ui
} // namespace tarn

#endif
