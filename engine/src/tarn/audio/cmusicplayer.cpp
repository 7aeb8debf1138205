#include "tarn/audio/cmusicplayer.h"

#include <optional>

#include "tarn/audio/caudiodevice.h"
#include "tarn/utils/clogger.h"

namespace tarn {

CMusicPlayer::CMusicPlayer( CAudioDevice& device ) :
    myDevice( device ),
    myCache( [ &device ]( const std::string& file ) { return device.LoadMusic( file ); } )
{
}

CMusicPlayer::~CMusicPlayer()
{
    myDevice.HaltMusic();
    myCurrent = nullptr;
    myState = STATE_STOPPED;
    myCache.Clear();
}

void CMusicPlayer::Play( const std::string& file )
{
    if( myState == STATE_PAUSED )
        Resume();

    CAudioClip* data = myCache.Load( file );
    if( !data )
        return;

    Start( *data );
    myState = STATE_PLAYING;
    if( myCurrent && myCurrent != data && !myCurrent->GetKeep() )
        myCache.Remove( myCurrent->GetFile() );
    myCurrent = data;
}

void CMusicPlayer::Start( const CAudioClip& clip )
{
    // A mixer may set a fade-in up on the music before halting what plays,
    // and halting a music clears its fade: restarting the current music would
    // lose the fade-in unless it is halted first.
    if( &clip == myCurrent )
        myDevice.HaltMusic();

    std::optional<int> fadeIn;
    if( myFade )
        fadeIn = myFadeTime;
    myFade = false;
    if( myDevice.PlayMusic( clip.GetSound(), fadeIn ) )
        return;
    GetLog().Warning() << "Could not play music: " << clip.GetFile() << "\n";
    GetLog().Warning() << "SDL_Mixer says: " << myDevice.GetError() << "\n";
}

void CMusicPlayer::Update()
{
    if( myState != STATE_PLAYING || !myCurrent || myDevice.IsMusicPlaying() )
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
            myDevice.FadeOutMusic( myFadeTime );
        else
            myDevice.HaltMusic();
    }
    myState = STATE_STOPPED;
}

void CMusicPlayer::Pause()
{
    if( myState != STATE_PLAYING )
        return;
    myState = STATE_PAUSED;
    myDevice.PauseMusic();
}

void CMusicPlayer::Resume()
{
    if( myState != STATE_PAUSED )
        return;
    myState = STATE_PLAYING;
    myDevice.ResumeMusic();
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
    myDevice.SetMusicVolume( myVolume * myMasterVolume );
}

bool CMusicPlayer::Preload( const std::string& file )
{
    return myCache.Preload( file );
}

void CMusicPlayer::Release( const std::string& file )
{
    CAudioClip* data = myCache.Find( file );
    if( !data )
        return;
    data->SetKeep( false );
    if( data != myCurrent )
        myCache.Remove( file );
}

} // namespace tarn
