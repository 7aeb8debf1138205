#include "tarn/audio/cmusicplayer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include "tarn/audio/mixervolume.h"
#include "tarn/utils/clogger.h"

namespace tarn {

CMusicPlayer::~CMusicPlayer()
{
    Mix_HaltMusic();
    myCurrent = nullptr;
    myState = STATE_STOPPED;
    myCache.Clear();
}

void CMusicPlayer::Play( const std::string& file )
{
    if( myState == STATE_PAUSED )
        Resume();

    CSDLMixerMusicData* data = myCache.Load( file );
    if( !data )
        return;

    Start( *data );
    myState = STATE_PLAYING;
    if( myCurrent && myCurrent != data && !myCurrent->GetKeep() )
        myCache.Remove( myCurrent->GetFile() );
    myCurrent = data;
}

void CMusicPlayer::Start( const CSDLMixerMusicData& data )
{
    // The mixer sets a fade-in up on the music before halting what plays, and
    // halting a music clears its fade: restarting the current music would
    // lose the fade-in unless it is halted first.
    if( &data == myCurrent )
        Mix_HaltMusic();

    int result = 0;
    if( myFade )
    {
        result = Mix_FadeInMusicPos( data.Get(), 0, myFadeTime, 0.0 );
        myFade = false;
    }
    else
    {
        result = Mix_PlayMusic( data.Get(), 0 );
    }
    if( result >= 0 )
        return;
    GetLog().Warning() << "Could not play music: " << data.GetFile() << "\n";
    GetLog().Warning() << "SDL_Mixer says: " << SDL_GetError() << "\n";
}

void CMusicPlayer::Update()
{
    if( myState != STATE_PLAYING || !myCurrent || Mix_PlayingMusic() )
        return;
    // A copy: the name must outlive whatever Play does to the cache.
    const std::string file = myCurrent->GetFile();
    Play( file );
}

void CMusicPlayer::Stop()
{
    if( myState == STATE_PLAYING )
    {
        if( myFade )
            Mix_FadeOutMusic( myFadeTime );
        else
            Mix_HaltMusic();
    }
    myState = STATE_STOPPED;
}

void CMusicPlayer::Pause()
{
    if( myState != STATE_PLAYING )
        return;
    myState = STATE_PAUSED;
    Mix_PauseMusic();
}

void CMusicPlayer::Resume()
{
    if( myState != STATE_PAUSED )
        return;
    myState = STATE_PLAYING;
    Mix_ResumeMusic();
}

void CMusicPlayer::SetVolume( float volume )
{
    myVolume = volume;
    ApplyVolume();
}

void CMusicPlayer::SetMasterVolume( float volume )
{
    myMasterVolume = volume;
    ApplyVolume();
}

void CMusicPlayer::ApplyVolume()
{
    Mix_VolumeMusic( ToMixerVolume( myVolume, myMasterVolume ) );
}

bool CMusicPlayer::Preload( const std::string& file )
{
    CSDLMixerMusicData* data = myCache.Load( file );
    if( !data )
        return false;
    data->SetKeep( true );
    return true;
}

void CMusicPlayer::Release( const std::string& file )
{
    CSDLMixerMusicData* data = myCache.Find( file );
    if( !data )
        return;
    data->SetKeep( false );
    if( data != myCurrent )
        myCache.Remove( file );
}

} // namespace tarn
