#include "tarn/audio/ceffectplayer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include "tarn/audio/mixervolume.h"
#include "tarn/utils/clogger.h"

namespace tarn {

namespace {
const int ANY_FREE_CHANNEL = -1;
const int ALL_CHANNELS = -1;
} // namespace

CEffectPlayer::~CEffectPlayer()
{
    Mix_HaltChannel( ALL_CHANNELS );
    myCache.Clear();
}

void CEffectPlayer::Play( const std::string& file )
{
    CSDLMixerEffectData* data = myCache.Load( file );
    if( !data )
        return;

    if( Mix_PlayChannelTimed( ANY_FREE_CHANNEL, data->Get(), 0, -1 ) == -1 )
    {
        GetLog().Warning() << "Could not play the effect: " << file << "\n";
        GetLog().Warning() << "SDL_Mixer says: " << SDL_GetError() << "\n";
    }
    // Set also after a failure, so that the clean-up frees what was loaded.
    myPending = true;
}

void CEffectPlayer::Update()
{
    if( !myPending || Mix_Playing( ALL_CHANNELS ) != 0 )
        return;
    myCache.RemoveUnkept();
    myPending = false;
}

bool CEffectPlayer::Preload( const std::string& file )
{
    CSDLMixerEffectData* data = myCache.Load( file );
    if( !data )
        return false;
    data->SetKeep( true );
    return true;
}

void CEffectPlayer::Release( const std::string& file )
{
    CSDLMixerEffectData* data = myCache.Find( file );
    if( !data )
        return;
    data->SetKeep( false );
    myPending = true;
}

void CEffectPlayer::SetVolume( float volume )
{
    myVolume = volume;
    ApplyVolume();
}

void CEffectPlayer::SetMasterVolume( float volume )
{
    myMasterVolume = volume;
    ApplyVolume();
}

void CEffectPlayer::ApplyVolume()
{
    Mix_Volume( ALL_CHANNELS, ToMixerVolume( myVolume, myMasterVolume ) );
}

} // namespace tarn
