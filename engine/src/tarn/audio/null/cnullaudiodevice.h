#ifndef TARN_AUDIO_NULL_CNULLAUDIODEVICE_H
#define TARN_AUDIO_NULL_CNULLAUDIODEVICE_H

#include <optional>
#include <string>
#include <vector>

#include "tarn/audio/caudiodevice.h"

namespace tarn {

// The silent device: for tests and for machines that should make no sound
// (console variable "audio_device" set to "null" before the audio task
// starts). It checks sound files as a real device would, so missing ones are
// reported, and keeps what it was asked so that tests can see it. Effects
// end at once unless held; music plays until stopped or finished.
class CNullAudioDevice final : public CAudioDevice
{
public:
    bool Open( const CAudioSettings& settings ) override;
    void Close() override;

    std::unique_ptr<CSound> LoadEffect( const std::string& file ) override;
    std::unique_ptr<CSound> LoadMusic( const std::string& file ) override;

    // Fails when every channel holds an effect.
    bool PlayEffect( const CSound& effect ) override;
    bool IsAnyEffectPlaying() const override;
    void HaltEffects() override;
    void PauseEffects() override { myEffectsPaused = true; }
    void ResumeEffects() override { myEffectsPaused = false; }
    void SetEffectVolume( float level ) override { myEffectVolume = level; }

    bool PlayMusic( const CSound& music, std::optional<int> fadeInMs ) override;
    bool IsMusicPlaying() const override { return !myMusic.empty(); }
    void HaltMusic() override;
    void FadeOutMusic( int milliseconds ) override;
    void PauseMusic() override { myMusicPaused = true; }
    void ResumeMusic() override { myMusicPaused = false; }
    void SetMusicVolume( float level ) override { myMusicVolume = level; }

    std::string GetError() const override { return myError; }

    // Held effects sound on (each keeping its channel) until released.
    void HoldEffects( bool hold );
    // The music runs out by itself.
    void FinishMusic();

    bool IsOpen() const { return myOpen; }
    // "" when no music plays.
    const std::string& GetMusic() const { return myMusic; }
    std::optional<int> GetMusicFadeIn() const { return myMusicFadeIn; }
    // The fade-out under way, if any.
    std::optional<int> GetMusicFadeOut() const { return myMusicFadeOut; }
    bool IsMusicPaused() const { return myMusicPaused; }
    bool AreEffectsPaused() const { return myEffectsPaused; }
    float GetMusicVolume() const { return myMusicVolume; }
    float GetEffectVolume() const { return myEffectVolume; }
    // Every effect started, in order.
    const std::vector<std::string>& GetEffectsPlayed() const { return myEffectsPlayed; }

private:
    std::unique_ptr<CSound> Load( const std::string& file, const char* kind );

    bool myOpen = false;
    int myChannels = 0;
    bool myHoldEffects = false;
    int myEffectsSounding = 0;
    bool myEffectsPaused = false;
    float myEffectVolume = 1.0f;
    std::vector<std::string> myEffectsPlayed;
    std::string myMusic;
    std::optional<int> myMusicFadeIn;
    std::optional<int> myMusicFadeOut;
    bool myMusicPaused = false;
    float myMusicVolume = 1.0f;
    std::string myError;
};

} // namespace tarn

#endif
