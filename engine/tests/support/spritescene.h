#ifndef TARN_TESTS_SUPPORT_SPRITESCENE_H
#define TARN_TESTS_SUPPORT_SPRITESCENE_H

#include <memory>
#include <string>
#include <vector>

#include <SDL.h>

#include "support/sdltestsupport.h"
#include "support/testsupport.h"
#include "tarn/utils/ccolor.h"

namespace tarn {

class CGfxFactorySDL;
class CScreenSurface;

namespace test {

// A 32-bit screen of the given size with the SDL graphics factory, a screen
// surface published for the screen layer, and a folder for image files:
// what the "gfx" task sets up, without the task.
class CSpriteScene final
{
public:
    CSpriteScene( int width, int height, const std::string& name );
    ~CSpriteScene();

    // Writes a BMP file of a solid colour with a magenta (transparent) frame
    // of one pixel and a darker cross, and returns its path.
    std::string MakeImage( const std::string& name, int width, int height, const CColor& color );

    // Writes a BMP file of cells (cell x cell pixels each) side by side, cell
    // i filled with colours[ i ], and returns its path.
    std::string MakeSheet( const std::string& name, int cell, const std::vector<CColor>& colours );

    // One frame of the screen layer.
    void Update();

    // Where the screen first differs from a fresh drawing of the screen
    // layer's sprites, back to front, over a black screen ("" when none).
    std::string CompareWithFreshDrawing() const;

    // Copies the areas the screen surface queued since the last call (or
    // everything, when it asks for that) into a picture of what the window
    // would show, flips, and says where that picture first differs from the
    // whole screen surface ("" when it does not).
    std::string PresentQueuedAreas();

    CScreenSurface* GetScreen() const { return myScreen.get(); }
    const std::string& GetDir() const { return myDir; }

private:
    CVideoMode myVideo;
    std::unique_ptr<CGfxFactorySDL> myFactory;
    std::unique_ptr<CScreenSurface> myScreen;
    std::string myDir;
    SDL_Surface* myPresented = nullptr;
};

} // namespace test
} // namespace tarn

#endif
