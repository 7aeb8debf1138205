#ifndef TARN_AUDIO_CSDLMIXERMUSICDATA_H
#define TARN_AUDIO_CSDLMIXERMUSICDATA_H

#include <SDL_mixer.h>

#include <string>

namespace tarn {

// One music file loaded by SDL_mixer (WAV, Ogg Vorbis and whatever else the
// installed mixer decodes). Loading failures are logged with the file name.
class CSDLMixerMusicData final
{
public:
    explicit CSDLMixerMusicData( const std::string& file );
    ~CSDLMixerMusicData();

    CSDLMixerMusicData( const CSDLMixerMusicData& ) = delete;
    CSDLMixerMusicData& operator=( const CSDLMixerMusicData& ) = delete;

    const std::string& GetFile() const { return myFile; }
    // Null when the file could not be loaded.
    Mix_Music* GetMusic() const { return myMusic; }
    bool IsLoaded() const { return myMusic != nullptr; }

    // A kept (preloaded) music survives the switch to another music.
    bool GetKeep() const { return myKeep; }
    void SetKeep( bool keep ) { myKeep = keep; }

private:
    std::string myFile;
    Mix_Music* myMusic = nullptr;
    bool myKeep = false;
};

} // namespace tarn

#endif
