#ifndef TARN_TASKS_CTASKEVENT_H
#define TARN_TASKS_CTASKEVENT_H

#include <SDL.h>

#include "tarn/inputdevice/inputlisteners.h"
#include "tarn/tasks/ctask.h"

namespace tarn {

// The "event" task: each pass hands every pending SDL event to the input
// dispatcher's listeners; the window's close event asks the main loop to
// quit. It is also the mouse cursor the dispatcher forwards to.
class CTaskEvent final : public CTask, public CCursorImpl
{
public:
    using CTask::Init;

    ~CTaskEvent() override;

    // Becomes the dispatcher's cursor and turns on character translation
    // of key events; the task runs every pass.
    bool Init() override;
    void Update() override;
    // Input is polled whenever the loop wakes, which is at least once a frame.
    types::ticks TimeUntilDue() const override { return NOTHING_DUE; }
    void Exit() override;

    void ShowCursor() override;
    void HideCursor() override;
    // Builds the cursor image of a type once per change of type; type 0
    // keeps the current image.
    void ChangeCursor( int type ) override;
    void GrabInput( bool grab ) override;

    int GetCursorType() const { return myCursorType; }

    // The button mask of an SDL mouse button (0 for buttons beyond 5).
    static int ButtonMask( int sdlButton );

private:
    static void Dispatch( const SDL_Event& event );
    static void DispatchMotion( const SDL_MouseMotionEvent& motion );
    void FreeCursor();

    int myCursorType = 0;
    SDL_Cursor* myCursor = nullptr;
};

} // namespace tarn

#endif
