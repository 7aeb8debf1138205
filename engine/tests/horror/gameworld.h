#ifndef TARN_TESTS_HORROR_GAMEWORLD_H
#define TARN_TESTS_HORROR_GAMEWORLD_H

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/spritescene.h"
#include "tarn/console/ccommand.h"

namespace horror {
namespace test {

// A scratch working directory holding the few data files the game needs,
// with an 800 x 600 screen and a hand-set engine clock: the world a game
// test plays in. The working directory is restored when it goes.
class CGameWorld final
{
public:
    explicit CGameWorld( const std::string& name );
    ~CGameWorld();

    // Writes a level picture whose alpha (the walk mask) is open(x, y) ?
    // 255 : 40, and returns its path relative to the working directory.
    std::string MakeMask( const std::string& name, const std::function<bool( int, int )>& open );
    // Writes a sprite file of a w x h picture, relative path returned.
    std::string MakeSprite( const std::string& name, int w, int h );
    // Writes a text file relative to the working directory.
    void Write( const std::string& path, const std::string& text );

    tarn::test::CManualClock& Clock() { return myClock; }

    // Console lines that reached a task named Audio, as "Command( args )".
    const std::vector<std::string>& AudioLines() const;

private:
    std::string myOldDir;
    tarn::test::CManualClock myClock;
    std::unique_ptr<tarn::test::CSpriteScene> myScene;
};

} // namespace test
} // namespace horror

#endif
