#ifndef TARN_AUDIO_SDL_CSDLMIXERDEVICE_H
#define TARN_AUDIO_SDL_CSDLMIXERDEVICE_H

#include "tarn/audio/caudiodevice.h"

namespace tarn {

// The audio device through SDL's audio subsystem and SDL_mixer: music on the
// mixer's music stream, effects on its channels. Opening logs each step in
// the lines start-up logs are read for.
class CSDLMixerDevice final : public CAudioDevice
{
public:
    CSDLMixerDevice() = default;
    // Closes what is still open.
    ~CSDLMixerDevice() override;

    CSDLMixerDevice( const CSDLMixerDevice& ) = delete;
    CSDLMixerDevice& operator=( const CSDLMixerDevice& ) = delete;

    bool Open( const CAudioSettings& settings ) override;
    void Close() override;

    std::unique_ptr<CSound> LoadEffect( const std::string& file ) override;
    std::unique_ptr<CSound> LoadMusic( const std::string& file ) override;

    bool PlayEffect( const CSound& effect ) override;
    bool IsAnyEffectPlaying() const override;
    void HaltEffects() override;
    void PauseEffects() override;
    void ResumeEffects() override;
    void SetEffectVolume( float level ) override;

    bool PlayMusic( const CSound& music, std::optional<int> fadeInMs ) override;
    bool IsMusicPlaying() const override;
    void HaltMusic() override;
    void FadeOutMusic( int milliseconds ) override;
    void PauseMusic() override;
    void ResumeMusic() override;
    void SetMusicVolume( float level ) override;

    std::string GetError() const override;

private:
    bool OpenMixer( const CAudioSettings& settings );
    void LogDeviceSpec();

    bool mySubsystemStarted = false;
    bool myMixerOpen = false;
};

} // namespace tarn

#endif
