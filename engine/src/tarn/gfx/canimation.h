#ifndef TARN_GFX_CANIMATION_H
#define TARN_GFX_CANIMATION_H

#include <memory>
#include <string>
#include <vector>

#include "tarn/gfx/cframe.h"
#include "tarn/utils/types.h"

namespace tarn {

class CSprite;
class CXmlFileSys;

// A named sequence of frames that an animated sprite plays, once or in a
// loop. It remembers which frame runs and since when, on the sprite's
// animation clock.
class CAnimation
{
public:
    CAnimation() = default;
    explicit CAnimation( const std::string& name, bool loop = true );
    ~CAnimation();

    CAnimation( const CAnimation& ) = delete;
    CAnimation& operator=( const CAnimation& ) = delete;

    // Applies the frame at index and moves on when it is done; returns the
    // index of the frame that runs next. A non-looping animation stays on its
    // last frame and pauses its sprite there.
    int Update( CSprite* sprite, int index, types::ticks now );
    // When the running frame's interval has passed since the last update.
    types::ticks GetNextUpdateTime() const;

    // The attributes "name" and "loop" and one "Frame" element per frame.
    void Serialize( CXmlFileSys* filesys );

    void AddFrame( std::unique_ptr<CFrame> frame );
    std::size_t GetFrameCount() const { return myFrames.size(); }
    const CFrame* GetFrame( std::size_t i ) const { return i < myFrames.size() ? myFrames[ i ].get() : nullptr; }
    bool IsEmpty() const { return myFrames.empty(); }

    const std::string& GetName() const { return myName; }
    void SetName( const std::string& name ) { myName = name; }
    bool IsLooping() const { return myLoop; }
    void SetLooping( bool loop ) { myLoop = loop; }

private:
    void Advance( CSprite* sprite, types::ticks now );
    void ReadFrames( CXmlFileSys* filesys );
    void WriteFrames( CXmlFileSys* filesys );

    std::string myName;
    std::vector<std::unique_ptr<CFrame>> myFrames;
    int myCurrentFrame = 0;
    types::ticks myFrameStart = 0;
    types::ticks myLastUpdate = 0;
    bool myLoop = true;
};

} // namespace tarn

#endif
