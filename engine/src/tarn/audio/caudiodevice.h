#ifndef TARN_AUDIO_CAUDIODEVICE_H
#define TARN_AUDIO_CAUDIODEVICE_H

#include <memory>
#include <optional>
#include <string>

#include "tarn/utils/types.h"

namespace tarn {

class CAudioSettings;

// One sound file as a device loaded it; freeing it frees the device's copy.
// A sound must not outlive the device that loaded it.
class CSound
{
public:
    virtual ~CSound() = default;

    // How long the sound plays, when the device can tell.
    virtual std::optional<types::ticks> GetLength() const { return std::nullopt; }
};

// What the audio task and its players need of a sound library: a device
// that opens and closes, loads sound files, plays one music stream and many
// effects at a time. Back-ends: audio/sdl (SDL_mixer), audio/null (silent).
// Volumes are levels from 0 (silent) to 1 (full); a back-end holds values
// outside at the ends.
class CAudioDevice
{
public:
    virtual ~CAudioDevice() = default;

    // Opens the device as settings say, logging each step; false, with the
    // reason in the log, when it cannot be opened.
    virtual bool Open( const CAudioSettings& settings ) = 0;
    // Undoes Open. Every sound loaded must be freed before.
    virtual void Close() = 0;

    // The sound in file, or null with the reason in the log by file name.
    virtual std::unique_ptr<CSound> LoadEffect( const std::string& file ) = 0;
    virtual std::unique_ptr<CSound> LoadMusic( const std::string& file ) = 0;

    // Plays effect once on a free channel; false when it cannot (GetError).
    virtual bool PlayEffect( const CSound& effect ) = 0;
    virtual bool IsAnyEffectPlaying() const = 0;
    virtual void HaltEffects() = 0;
    virtual void PauseEffects() = 0;
    virtual void ResumeEffects() = 0;
    virtual void SetEffectVolume( float level ) = 0;

    // Plays music once from its beginning in place of what plays, fading in
    // over fadeInMs milliseconds when given; false when it cannot (GetError).
    virtual bool PlayMusic( const CSound& music, std::optional<int> fadeInMs ) = 0;
    // True also while paused or fading out.
    virtual bool IsMusicPlaying() const = 0;
    virtual void HaltMusic() = 0;
    virtual void FadeOutMusic( int milliseconds ) = 0;
    virtual void PauseMusic() = 0;
    virtual void ResumeMusic() = 0;
    virtual void SetMusicVolume( float level ) = 0;

    // The library's own words on the last failure, for the log.
    virtual std::string GetError() const = 0;
};

} // namespace tarn

#endif
