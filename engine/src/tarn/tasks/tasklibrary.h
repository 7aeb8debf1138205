#ifndef TARN_TASKS_TASKLIBRARY_H
#define TARN_TASKS_TASKLIBRARY_H

#include <string>

namespace tarn {

// Task libraries are built-in named groups of task-type registrations:
// "sdl" (window, event, gfx) and "sdl_mixer" (audio). Loading one registers
// its types with the task factory; an unknown name does nothing. Returns
// whether the name is a known library.
bool LoadTaskLibrary( const std::string& name );

} // namespace tarn

#endif
