#ifndef TARN_GFX_CFRAME_H
#define TARN_GFX_CFRAME_H

#include "tarn/utils/types.h"

namespace tarn {

class CSprite;
class CXmlFileSys;

// One step of an animation: it does something to the sprite when it becomes
// due (shows a cell of the sprite sheet, plays a sound) and says how long it
// lasts. Times are milliseconds of the sprite's animation clock.
class CFrame
{
public:
    // Kind numbers, as the frame factory knows them.
    enum Kind
    {
        KIND_RECT = 0,
        KIND_SOUND = 1
    };

    virtual ~CFrame() = default;

    virtual int GetType() const = 0;
    // elapsed: time since the animation's previous update. True when the
    // frame is done and the animation may move on.
    virtual bool Apply( CSprite* sprite, types::ticks elapsed ) = 0;
    // How long after this frame's update the next one is due.
    virtual types::ticks GetInterval() const = 0;
    virtual types::ticks GetLength() const = 0;
    virtual void Serialize( CXmlFileSys* filesys ) = 0;
};

} // namespace tarn

#endif
