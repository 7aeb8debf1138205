#ifndef TARN_TESTS_SUPPORT_SDLTESTSUPPORT_H
#define TARN_TESTS_SUPPORT_SDLTESTSUPPORT_H

#include <string>

#include <SDL.h>

#include "tarn/utils/ccolor.h"

namespace tarn {
namespace test {

// SDL's video subsystem with a 32-bit software display of the given size
// (on the dummy driver under ctest), shut down when the object goes.
class CVideoMode final
{
public:
    explicit CVideoMode( int width = 64, int height = 64 );
    ~CVideoMode();

    CVideoMode( const CVideoMode& ) = delete;
    CVideoMode& operator=( const CVideoMode& ) = delete;

    SDL_Surface* GetDisplay() const { return myDisplay; }

private:
    SDL_Surface* myDisplay = nullptr;
};

// A plain 32-bit surface (with or without an alpha channel), owned by the
// caller, whose pixel x, y has the colour PatternColor( x, y ).
SDL_Surface* MakePatternSurface( int width, int height, bool alpha );
CColor PatternColor( int x, int y );

// The colour of pixel x, y of any SDL surface.
CColor PixelOf( SDL_Surface* surface, int x, int y );

// Where the first difference between two surfaces lies ("" when they are
// equal in size and every pixel); alpha is compared only when withAlpha.
std::string CompareSurfaces( SDL_Surface* expected, SDL_Surface* actual, bool withAlpha );

} // namespace test
} // namespace tarn

#endif
