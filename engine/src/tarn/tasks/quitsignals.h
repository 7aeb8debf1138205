#ifndef TARN_TASKS_QUITSIGNALS_H
#define TARN_TASKS_QUITSIGNALS_H

namespace tarn {

// Ctrl+C (SIGINT), SIGTERM and SIGHUP (the terminal closed) ask the program
// to quit through the main loop, like closing the window, whatever tasks run. SDL 1.2's own handlers push a quit event
// from inside the signal, which deadlocks when the signal arrives while the
// event queue is locked; SDL leaves handlers it finds installed alone, so
// these go in before SDL starts its video.
void InstallQuitSignalHandlers();

// True once for every quit signal received since the last call.
bool TakeQuitSignal();

} // namespace tarn

#endif
