#ifndef TARN_TESTS_HORROR_GAMESCENE_H
#define TARN_TESTS_HORROR_GAMESCENE_H

#include <memory>
#include <string>

#include "support/spritescene.h"
#include "tarn/utils/rect.h"

namespace tarn {
namespace test {

// A game's surroundings for the game's screens: a clean engine on a hand-set
// clock, an 800 x 600 screen, and a private working directory holding the
// sprite files the dialogue, title and question screen read (plain
// coloured pictures where the game has text). Mouse input goes through the
// input dispatcher as SDL events would.
class CGameScene final
{
public:
    explicit CGameScene( const std::string& name );
    ~CGameScene();

    CGameScene( const CGameScene& ) = delete;
    CGameScene& operator=( const CGameScene& ) = delete;

    // Writes a sprite description at path (relative to the working
    // directory) for a picture of the rectangle's size placed at it.
    void Describe( const std::string& path, const types::rect& rect, int alpha = 255 );
    // Writes a text file below the working directory.
    void Write( const std::string& path, const std::string& text );

    // Moves the clock on and runs one graphics frame (effects, redraw).
    void Advance( types::ticks ms );
    // One graphics frame at the current time.
    void Frame();
    // The fake-thread walk of the main loop.
    void RunFakeThreads();

    static void MoveMouse( int x, int y );
    static void Press( int button );
    static void Release( int button );
    static void ClickAt( int x, int y );

    // Sprites now in the screen layer.
    static std::size_t SpriteCount();
    // Sprite effects still running.
    static std::size_t EffectCount();

    CManualClock& GetClock() { return myClock; }

private:
    CManualClock myClock{ 10000 };
    std::unique_ptr<CSpriteScene> myScene;
    std::string myOldDir;
    int myImages = 0;
};

} // namespace test
} // namespace tarn

#endif
