#ifndef TARN_TASKS_FRAMEREPORT_H
#define TARN_TASKS_FRAMEREPORT_H

#include <functional>

#include "tarn/utils/types.h"

namespace tarn {

// What one frame of the graphics task cost, for profiling tools.
struct FrameReport
{
    // The engine clock when the frame was drawn (ms).
    types::ticks time = 0;
    // Wall-clock seconds spent moving sprites, drawing and presenting.
    double workSeconds = 0;
    // Pixels written into the display surface for this frame.
    long long pixelsDrawn = 0;
    // Pixels handed to the window (a whole flip counts the whole display).
    long long pixelsPresented = 0;
    // Pixels of the display (more than the game picture's when enlarged).
    long long displayPixels = 0;
};

// Called once a frame from inside the graphics task's update: it may read
// the engine but must not add or remove tasks or sprites.
using FrameReportListener = std::function<void( const FrameReport& )>;

} // namespace tarn

#endif
