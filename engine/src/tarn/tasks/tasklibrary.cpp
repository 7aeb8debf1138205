#include "tarn/tasks/tasklibrary.h"

#include <memory>

#include "tarn/tasks/caudiotask.h"
#include "tarn/tasks/ctaskfactory.h"

namespace tarn {

namespace {

void LoadSDLLibrary()
{
    // The window, event and gfx task types register here as they are built.
}

void LoadSDLMixerLibrary()
{
    CTaskFactory::GetSingletonPtr()->RegisterTaskType( "audio", [] { return std::make_unique<CAudioTask>(); } );
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
