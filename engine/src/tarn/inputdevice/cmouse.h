#ifndef TARN_INPUTDEVICE_CMOUSE_H
#define TARN_INPUTDEVICE_CMOUSE_H

#include <set>

#include "tarn/inputdevice/inputlisteners.h"
#include "tarn/utils/csingleton.h"

namespace tarn {

// The pointer: where it is and which buttons (MouseButton masks) are held.
// Hears the input dispatcher and passes every event on to its own
// listeners (the widgets), which are not owned and may remove themselves
// while being told.
class CMouse final : public CSingleton<CMouse>, public CMouseListener
{
public:
    ~CMouse() override;

    void OnMouseMove( int x, int y ) override;
    void OnMouseMoveRelative( int dx, int dy ) override;
    void OnButtonDown( int button ) override;
    void OnButtonUp( int button ) override;

    void AddListener( CMouseListener* listener ) { myListeners.insert( listener ); }
    void RemoveListener( CMouseListener* listener ) { myListeners.erase( listener ); }

    int GetX() const { return myX; }
    int GetY() const { return myY; }
    int GetButtons() const { return myButtons; }

private:
    friend class CSingleton<CMouse>;
    CMouse();

    template <class Call>
    void Tell( Call call );

    std::set<CMouseListener*> myListeners;
    int myX = 0;
    int myY = 0;
    int myButtons = 0;
};

// The mouse, created (and listening) on first use.
CMouse* GetMouse();

} // namespace tarn

#endif
