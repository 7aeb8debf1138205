#include "tarn/audio/ceffectplayer.h"

#include "tarn/audio/caudiodevice.h"
#include "tarn/audio/ceffectlistener.h"
#include "tarn/utils/clogger.h"

namespace tarn {

CEffectPlayer::CEffectPlayer( CAudioDevice& device ) :
    myDevice( device ),
    myCache( [ &device ]( const std::string& file ) { return device.LoadEffect( file ); } )
{
}

CEffectPlayer::~CEffectPlayer()
{
    myDevice.HaltEffects();
    myCache.Clear();
}

void CEffectPlayer::Play( const std::string& file )
{
    const CAudioClip* clip = myCache.Load( file );
    if( !clip )
        return;

    if( !myDevice.PlayEffect( clip->GetSound() ) )
    {
        GetLog().Warning() << "Could not play the effect: " << file << "\n";
        GetLog().Warning() << "SDL_Mixer says: " << myDevice.GetError() << "\n";
    }
    else if( myListener )
        myListener->OnEffectStarted( file, clip->GetSound().GetLength() );
    // Set also after a failure, so that the clean-up frees what was loaded.
    myPending = true;
}

void CEffectPlayer::Update()
{
    if( !myPending || myDevice.IsAnyEffectPlaying() )
        return;
    myCache.RemoveUnkept();
    myPending = false;
}

bool CEffectPlayer::Preload( const std::string& file )
{
    return myCache.Preload( file );
}

void CEffectPlayer::Release( const std::string& file )
{
    CAudioClip* data = myCache.Find( file );
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
    myDevice.SetEffectVolume( myVolume * myMasterVolume );
}

} // namespace tarn
