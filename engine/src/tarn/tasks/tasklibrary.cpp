#include "tarn/tasks/tasklibrary.h"

#include <memory>

#include "tarn/tasks/caudiotask.h"
#include "tarn/tasks/capplicationsdl.h"
#include "tarn/tasks/ctaskevent.h"
#include "tarn/tasks/cgfxtasksdl.h"
#include "tarn/tasks/ctaskfactory.h"

namespace tarn {

namespace {

void LoadSDLLibrary()
{
    CTaskFactory* factory = CTaskFactory::GetSingletonPtr();
    factory->RegisterTaskType( "window", [] { return std::make_unique<CApplicationSDL>(); } );
    CApplicationSDL::RegisterVariables();
    factory->RegisterTaskType( "event", [] { return std::make_unique<CTaskEvent>(); } );
    factory->RegisterTaskType( "gfx", [] { return std::make_unique<CGfxTaskSDL>(); } );
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
