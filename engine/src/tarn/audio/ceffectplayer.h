#ifndef TARN_AUDIO_CEFFECTPLAYER_H
#define TARN_AUDIO_CEFFECTPLAYER_H

#include <string>

#include "tarn/audio/caudiocache.h"

namespace tarn {

class CAudioDevice;
class CEffectListener;

// Plays sound effects once each on the device's free channels. Loaded
// effects are cached by file name while any channel still sounds; once every
// channel is silent, the effects that were not preloaded are freed. The
// device must outlive the player.
class CEffectPlayer final
{
public:
    explicit CEffectPlayer( CAudioDevice& device );
    // Halts every channel and frees every cached effect.
    ~CEffectPlayer();

    CEffectPlayer( const CEffectPlayer& ) = delete;
    CEffectPlayer& operator=( const CEffectPlayer& ) = delete;

    // A file that cannot be loaded is logged and changes nothing.
    void Play( const std::string& file );
    // Frees the effects that are not preloaded once no channel plays.
    void Update();

    // Loads file and keeps it cached until released.
    bool Preload( const std::string& file );
    // Undoes Preload; the effect is freed at the next clean-up.
    void Release( const std::string& file );

    void SetVolume( float volume );
    void SetMasterVolume( float volume );

    // Told of every effect that starts; null for none. Not owned: it must
    // outlive its use here.
    void SetListener( CEffectListener* listener ) { myListener = listener; }

    // True when an effect was started since the last clean-up.
    bool IsPending() const { return myPending; }
    const CAudioCache& GetCache() const { return myCache; }

private:
    void ApplyVolume();

    CAudioDevice& myDevice;
    CAudioCache myCache;
    CEffectListener* myListener = nullptr;
    bool myPending = false;
    float myVolume = 1.0f;
    float myMasterVolume = 1.0f;
};

} // namespace tarn

#endif
