#ifndef TARN_GFX_CFRAMEFACTORY_H
#define TARN_GFX_CFRAMEFACTORY_H

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "tarn/utils/csingleton.h"

namespace tarn {

class CFrame;

// Makes animation frames by kind number ("frame_rect" 0, "frame_sound" 1),
// so animation files can name the kind of each frame.
class CFrameFactory final : public CSingleton<CFrameFactory>
{
public:
    using Maker = std::function<std::unique_ptr<CFrame>()>;

    // 0 (a rectangle frame) for any name it does not know.
    static int KindNumber( const std::string& name );
    // "" for a number without a name.
    static std::string KindName( int kind );

    // Replaces the maker of that kind.
    void RegisterMaker( int kind, Maker maker );
    // A new frame with its defaults; null, with an error in the log, for a
    // kind without a maker.
    std::unique_ptr<CFrame> Create( int kind ) const;

private:
    friend class CSingleton<CFrameFactory>;
    // Knows the rectangle and the sound frame.
    CFrameFactory();

    std::map<int, Maker> myMakers;
};

} // namespace tarn

#endif
