#include "tarn/tasks/tasklibrary.h"

namespace tarn {

namespace {

void LoadSDLLibrary()
{
    // The window, event and gfx task types register here as they are built.
}

void LoadSDLMixerLibrary()
{
    // The audio task type registers here once it is built.
}

} // namespace

bool LoadTaskLibrary( const std::string& name )
{
    if( name == "sdl" )
    {
        LoadSDLLibrary();
        return true;
    }
    if( name == "sdl_mixer" )
    {
        LoadSDLMixerLibrary();
        return true;
    }
    return false;
}

} // namespace tarn
