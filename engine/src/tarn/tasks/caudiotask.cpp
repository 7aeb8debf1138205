#include "tarn/tasks/caudiotask.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include "tarn/audio/audioformat.h"
#include "tarn/audio/caudiocommands.h"
#include "tarn/audio/ceffectplayer.h"
#include "tarn/audio/cmusicplayer.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/utils/canycontainer.h"
#include "tarn/utils/clogger.h"

namespace tarn {

namespace {
const int ALL_CHANNELS = -1;
const int DRIVER_NAME_SIZE = 256;
} // namespace

CAudioTask::CAudioTask() = default;

CAudioTask::~CAudioTask()
{
    Close();
}

bool CAudioTask::Init( CAnyContainer* parameters )
{
    if( parameters )
        mySettings.Read( *parameters, GetName() );
    return Init();
}

bool CAudioTask::Init()
{
    CLogger& log = GetLog();
    log << "Initializing audio ";
    if( SDL_InitSubSystem( SDL_INIT_AUDIO ) < 0 )
    {
        log << "[failed]\n";
        log.Indent();
        log.Error() << "Initializing SDL_Audio didn't seem to work.\n";
        log.Error() << "Error description: " << SDL_GetError() << "\n";
        log.Unindent();
        return false;
    }
    mySubsystemStarted = true;
    log << "[OK]\n";

    log << "Initializing mixer API\n";
    log.Indent();
    if( !OpenMixer() )
        return false;
    log.Unindent();
    log << "Mixer API initialized succesfully\n\n";

    myMusicPlayer = std::make_unique<CMusicPlayer>();
    myEffectPlayer = std::make_unique<CEffectPlayer>();
    myConsole = CreateConsole();
    myCommands = std::make_unique<CAudioCommands>( *myMusicPlayer, *myEffectPlayer );
    myCommands->BindTo( *myConsole );
    return true;
}

bool CAudioTask::OpenMixer()
{
    CLogger& log = GetLog();
    SDL_version compiled;
    MIX_VERSION( &compiled );
    const SDL_version* linked = Mix_Linked_Version();
    log << "Compiled with SDL_mixer version: " << int( compiled.major ) << "." << int( compiled.minor ) << "."
        << int( compiled.patch ) << "\n";
    log << "Running with SDL_mixer version: " << int( linked->major ) << "." << int( linked->minor ) << "."
        << int( linked->patch ) << "\n";

    const std::string parameters = "frequency: " + std::to_string( mySettings.GetFrequency() ) +
                                   "Hz, format: " + AudioFormatName( mySettings.GetFormat() ) +
                                   ", channels: " + std::to_string( mySettings.GetChannels() ) +
                                   ", chunksize: " + std::to_string( mySettings.GetChunkSize() );
    log << "Opening audio device with " << parameters << "\t";
    if( Mix_OpenAudio( mySettings.GetFrequency(), mySettings.GetFormat(), mySettings.GetChannels(),
                       mySettings.GetChunkSize() ) < 0 )
    {
        log << "[failed]\n";
        log.Indent();
        log.Error() << "Mix_OpenAudio failed with parameters " << parameters << "\n";
        log.Error() << "Error description: " << SDL_GetError() << "\n";
        log.Unindent();
        log.Unindent();
        return false;
    }
    myMixerOpen = true;
    log << "[OK]\n";

    LogDeviceSpec();

    log << "Number of audio channels allocated " << mySettings.GetMixingChannels() << "\n";
    Mix_AllocateChannels( mySettings.GetMixingChannels() );
    return true;
}

void CAudioTask::LogDeviceSpec()
{
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    const int opened = Mix_QuerySpec( &frequency, &format, &channels );
    if( opened == 0 )
        GetLog().Warning() << "Error in executing Mix_QuerySpec: " << SDL_GetError() << "\n";
    else
        GetLog() << "Audio device opened " << opened << " times  with parameters frequency: " << frequency
                 << "Hz, format: " << AudioFormatName( format ) << ", channels: " << channels << "\n";

    char driver[ DRIVER_NAME_SIZE ] = "";
    SDL_AudioDriverName( driver, DRIVER_NAME_SIZE );
    GetLog() << "Using audiodriver: " << driver << "\n";
}

void CAudioTask::Update()
{
    if( myMusicPlayer )
        myMusicPlayer->Update();
    if( myEffectPlayer )
        myEffectPlayer->Update();
}

void CAudioTask::Exit()
{
    Close();
}

void CAudioTask::Close()
{
    // The console points at the commands, which point at the players.
    myConsole.reset();
    myCommands.reset();
    myMusicPlayer.reset();
    myEffectPlayer.reset();
    if( myMixerOpen )
        Mix_CloseAudio();
    if( mySubsystemStarted )
        SDL_QuitSubSystem( SDL_INIT_AUDIO );
    myMixerOpen = false;
    mySubsystemStarted = false;
}

// Without an open device (Init failed, or the task has exited) there is
// nothing to pause, and the mixer's channel table may already be gone.
void CAudioTask::OnPause()
{
    if( !myMusicPlayer )
        return;
    myMusicPlayer->Pause();
    Mix_Pause( ALL_CHANNELS );
}

void CAudioTask::OnResume()
{
    if( !myMusicPlayer )
        return;
    myMusicPlayer->Resume();
    Mix_Resume( ALL_CHANNELS );
}

bool CAudioTask::HandleCommand( const std::string& command )
{
    if( myConsole )
        myConsole->Execute( command, false );
    return true;
}

} // namespace tarn
