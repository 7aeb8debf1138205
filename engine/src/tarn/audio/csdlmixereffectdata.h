#ifndef TARN_AUDIO_CSDLMIXEREFFECTDATA_H
#define TARN_AUDIO_CSDLMIXEREFFECTDATA_H

#include <SDL_mixer.h>

#include <string>

namespace tarn {

// One sound-effect file loaded by SDL_mixer into memory, converted to the
// device's format. Loading failures are logged with the file name.
class CSDLMixerEffectData final
{
public:
    explicit CSDLMixerEffectData( const std::string& file );
    ~CSDLMixerEffectData();

    CSDLMixerEffectData( const CSDLMixerEffectData& ) = delete;
    CSDLMixerEffectData& operator=( const CSDLMixerEffectData& ) = delete;

    const std::string& GetFile() const { return myFile; }
    // Null when the file could not be loaded.
    Mix_Chunk* GetChunk() const { return myChunk; }
    bool IsLoaded() const { return myChunk != nullptr; }

    // A kept (preloaded) effect survives the clean-up after all channels fell
    // silent.
    bool GetKeep() const { return myKeep; }
    void SetKeep( bool keep ) { myKeep = keep; }

private:
    std::string myFile;
    Mix_Chunk* myChunk = nullptr;
    bool myKeep = false;
};

} // namespace tarn

#endif
