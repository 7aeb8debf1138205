#include "tarn/tasks/tasklibrary.h"

#include <memory>

#include "tarn/audio/null/cnullaudiodevice.h"
#include "tarn/audio/sdl/csdlmixerdevice.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
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

// The main console's variable "audio_device", read when an audio task is
// made: "null" gives the silent device, anything else SDL_mixer.
std::unique_ptr<CAudioDevice> MakeAudioDevice()
{
    if( GetConsole()->GetVariable( "audio_device" ) == "null" )
        return std::make_unique<CNullAudioDevice>();
    return std::make_unique<CSDLMixerDevice>();
}

void LoadSDLMixerLibrary()
{
    auto makeTask = [] { return std::make_unique<CAudioTask>( MakeAudioDevice() ); };
    CTaskFactory::GetSingletonPtr()->RegisterTaskType( "audio", makeTask );
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
