#ifndef TARN_GFX_SDL_CSCREENSURFACE_H
#define TARN_GFX_SDL_CSCREENSURFACE_H

#include <vector>

#include "tarn/gfx/cdisplayscale.h"
#include "tarn/gfx/sdl/csurfacesdl.h"

namespace tarn {

// The display surface as a CSurface: collects the areas that changed since
// the last frame and presents frames. When too many areas pile up, or one
// covers the whole screen, it notes that everything is to be redrawn.
//
// Console variables (main console): "gfx_flip_rects_size", the most areas
// queued before everything is redrawn instead (0: no limit, 75 at first);
// "gfx_flip_debug_rects", when 1 each flip logs the areas it presents;
// "gfx_flip_update_rects", when 1 a flip presents only the queued areas
// (the whole display only when everything is to be redrawn);
// "gfx_redraw_every_frame", when 1 the graphics task draws every sprite
// again each frame (to measure what the incremental drawing saves).
//
// When the window shows the game picture enlarged or centred, the screen is
// a surface of the picture's size in the display's format: the game draws
// there as ever, and a flip copies only the changed areas, enlarged, into
// the display. Otherwise the screen is the display itself.
class CScreenSurface final : public CSurfaceSDL
{
public:
    static constexpr int DEFAULT_FLIP_RECTS_SIZE = 75;

    // display belongs to SDL and is never freed here.
    explicit CScreenSurface( SDL_Surface* display = nullptr );
    ~CScreenSurface() override;

    // Presents the display (or only its queued areas) and empties the queue.
    void Flip() override;
    void AddDirtyRect( const types::rect& area ) override;

    // Takes the display surface of a new video mode, shown at scale when the
    // display was made for it.
    void SetDisplay( SDL_Surface* display, const CDisplayScale& scale = CDisplayScale() );
    // True when SetDisplay( display, scale ) would change nothing.
    bool Shows( const SDL_Surface* display, const CDisplayScale& scale ) const;

    const std::vector<types::rect>& GetDirtyRects() const { return myDirtyRects; }
    bool IsRedrawAll() const { return myRedrawAll; }

    // Pixels written into the screen between the last two flips, and
    // pixels of the display the last flip handed to the window (a whole flip
    // counts every pixel of the display; overlapping areas count once for
    // each area).
    long long GetPixelsDrawnLastFrame() const { return myPixelsDrawnLastFrame; }
    long long GetPixelsPresentedLastFrame() const { return myPixelsPresentedLastFrame; }
    long long GetDisplayPixels() const { return static_cast<long long>( myDisplayWidth ) * myDisplayHeight; }

    static bool IsRedrawEveryFrame() { return myRedrawEveryFrame; }

protected:
    void OnPixelsWritten( const types::rect& area ) override;

private:
    static void RegisterVariables();
    long long PresentedPixels() const;
    void Present();
    // The changed areas (all of the picture when everything is to be
    // redrawn) enlarged into the display.
    void CopyToDisplay();
    void FreePicture();

    SDL_Surface* myDisplay = nullptr;
    int myDisplayWidth = 0;
    int myDisplayHeight = 0;
    CDisplayScale myScale;
    // The game picture when it is not the display; owned.
    SDL_Surface* myPicture = nullptr;
    std::vector<types::rect> myDirtyRects;
    bool myRedrawAll = false;
    long long myPixelsDrawn = 0;
    long long myPixelsDrawnLastFrame = 0;
    long long myPixelsPresentedLastFrame = 0;

    static inline int myFlipRectsSize = DEFAULT_FLIP_RECTS_SIZE;
    static inline bool myFlipDebugRects = false;
    static inline bool myFlipUpdateRects = false;
    static inline bool myRedrawEveryFrame = false;
};

} // namespace tarn

#endif
