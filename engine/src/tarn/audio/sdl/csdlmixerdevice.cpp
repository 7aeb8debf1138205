#include "tarn/audio/sdl/csdlmixerdevice.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include "tarn/audio/audioformat.h"
#include "tarn/audio/caudiosettings.h"
#include "tarn/audio/sdl/csdlmixerdata.h"
#include "tarn/utils/clogger.h"

namespace tarn {

namespace {

const int ANY_FREE_CHANNEL = -1;
const int ALL_CHANNELS = -1;
const int DRIVER_NAME_SIZE = 256;

static_assert( AUDIO_FORMAT_S16LSB == AUDIO_S16LSB, "the format table follows SDL's values" );
static_assert( AUDIO_FORMAT_U8 == AUDIO_U8 && AUDIO_FORMAT_S8 == AUDIO_S8 && AUDIO_FORMAT_U16LSB == AUDIO_U16LSB &&
                   AUDIO_FORMAT_U16MSB == AUDIO_U16MSB && AUDIO_FORMAT_S16MSB == AUDIO_S16MSB,
               "the format table follows SDL's values" );

// Levels out of range are held at the ends, because the mixer reads a
// negative volume as a query.
int ToMixerVolume( float level )
{
    if( !( level > 0.0f ) )
        return 0;
    if( level >= 1.0f )
        return MIX_MAX_VOLUME;
    return static_cast<int>( level * MIX_MAX_VOLUME );
}

std::string VersionText( const SDL_version& version )
{
    return std::to_string( version.major ) + "." + std::to_string( version.minor ) + "." +
           std::to_string( version.patch );
}

} // namespace

CSDLMixerDevice::~CSDLMixerDevice()
{
    Close();
}

bool CSDLMixerDevice::Open( const CAudioSettings& settings )
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
    if( !OpenMixer( settings ) )
        return false;
    log.Unindent();
    log << "Mixer API initialized succesfully\n\n";
    return true;
}

bool CSDLMixerDevice::OpenMixer( const CAudioSettings& settings )
{
    CLogger& log = GetLog();
    SDL_version compiled;
    MIX_VERSION( &compiled );
    log << "Compiled with SDL_mixer version: " << VersionText( compiled ) << "\n";
    log << "Running with SDL_mixer version: " << VersionText( *Mix_Linked_Version() ) << "\n";

    const std::string parameters = "frequency: " + std::to_string( settings.GetFrequency() ) +
                                   "Hz, format: " + AudioFormatName( settings.GetFormat() ) +
                                   ", channels: " + std::to_string( settings.GetChannels() ) +
                                   ", chunksize: " + std::to_string( settings.GetChunkSize() );
    log << "Opening audio device with " << parameters << "\t";
    if( Mix_OpenAudio( settings.GetFrequency(), settings.GetFormat(), settings.GetChannels(),
                       settings.GetChunkSize() ) < 0 )
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

    log << "Number of audio channels allocated " << settings.GetMixingChannels() << "\n";
    Mix_AllocateChannels( settings.GetMixingChannels() );
    return true;
}

void CSDLMixerDevice::LogDeviceSpec()
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

void CSDLMixerDevice::Close()
{
    if( myMixerOpen )
        Mix_CloseAudio();
    if( mySubsystemStarted )
        SDL_QuitSubSystem( SDL_INIT_AUDIO );
    myMixerOpen = false;
    mySubsystemStarted = false;
}

std::unique_ptr<CSound> CSDLMixerDevice::LoadEffect( const std::string& file )
{
    auto effect = std::make_unique<CSDLMixerEffectData>( file );
    if( !effect->IsLoaded() )
        return nullptr;
    return effect;
}

std::unique_ptr<CSound> CSDLMixerDevice::LoadMusic( const std::string& file )
{
    auto music = std::make_unique<CSDLMixerMusicData>( file );
    if( !music->IsLoaded() )
        return nullptr;
    return music;
}

// Every sound reaching a device was loaded by it, so the casts below hold.
bool CSDLMixerDevice::PlayEffect( const CSound& effect )
{
    const auto& chunk = static_cast<const CSDLMixerEffectData&>( effect );
    return Mix_PlayChannelTimed( ANY_FREE_CHANNEL, chunk.Get(), 0, -1 ) != -1;
}

bool CSDLMixerDevice::IsAnyEffectPlaying() const
{
    return Mix_Playing( ALL_CHANNELS ) != 0;
}

void CSDLMixerDevice::HaltEffects()
{
    Mix_HaltChannel( ALL_CHANNELS );
}

void CSDLMixerDevice::PauseEffects()
{
    Mix_Pause( ALL_CHANNELS );
}

void CSDLMixerDevice::ResumeEffects()
{
    Mix_Resume( ALL_CHANNELS );
}

void CSDLMixerDevice::SetEffectVolume( float level )
{
    Mix_Volume( ALL_CHANNELS, ToMixerVolume( level ) );
}

bool CSDLMixerDevice::PlayMusic( const CSound& music, std::optional<int> fadeInMs )
{
    Mix_Music* stream = static_cast<const CSDLMixerMusicData&>( music ).Get();
    const int result = fadeInMs ? Mix_FadeInMusicPos( stream, 0, *fadeInMs, 0.0 ) : Mix_PlayMusic( stream, 0 );
    return result >= 0;
}

bool CSDLMixerDevice::IsMusicPlaying() const
{
    return Mix_PlayingMusic() != 0;
}

void CSDLMixerDevice::HaltMusic()
{
    Mix_HaltMusic();
}

void CSDLMixerDevice::FadeOutMusic( int milliseconds )
{
    Mix_FadeOutMusic( milliseconds );
}

void CSDLMixerDevice::PauseMusic()
{
    Mix_PauseMusic();
}

void CSDLMixerDevice::ResumeMusic()
{
    Mix_ResumeMusic();
}

void CSDLMixerDevice::SetMusicVolume( float level )
{
    Mix_VolumeMusic( ToMixerVolume( level ) );
}

std::string CSDLMixerDevice::GetError() const
{
    return SDL_GetError();
}

} // namespace tarn
