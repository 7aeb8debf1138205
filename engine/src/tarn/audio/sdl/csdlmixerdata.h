#ifndef TARN_AUDIO_SDL_CSDLMIXERDATA_H
#define TARN_AUDIO_SDL_CSDLMIXERDATA_H

#include <SDL.h>
#include <SDL_mixer.h>

#include <optional>
#include <string>

#include "tarn/audio/caudiodevice.h"
#include "tarn/io/datafile.h"
#include "tarn/utils/clogger.h"

namespace tarn {

// One sound or music file loaded by SDL_mixer. Traits name the mixer's type
// (Resource), how it is loaded and freed, and the names its log lines use.
// Loading failures are logged with the file name.
template <class Traits>
class CSDLMixerData final : public CSound
{
public:
    using Resource = typename Traits::Resource;

    explicit CSDLMixerData( const std::string& file )
    {
        GetLog().Debug() << "new " << Traits::CLASS_NAME << "( " << file << " ) \n";
        // A FIFO would block the mixer's read for good.
        const std::string fault = DataFileFault( file, MAX_SOUND_FILE_SIZE );
        if( !fault.empty() && fault != FILE_MISSING )
        {
            GetLog().Error() << "Could not load " << Traits::KIND << "-file  " << file << ": it " << fault << "\n";
            return;
        }
        myResource = Traits::Load( file );
        if( myResource )
            return;
        GetLog().Error() << "Could not load " << Traits::KIND << "-file  " << file << "\n";
        GetLog().Error() << "SDL_Mixer says: " << SDL_GetError() << "\n";
    }

    ~CSDLMixerData() override
    {
        if( !myResource )
            return;
        GetLog().Debug() << "freed " << Traits::CLASS_NAME << "\n";
        Traits::Free( myResource );
    }

    CSDLMixerData( const CSDLMixerData& ) = delete;
    CSDLMixerData& operator=( const CSDLMixerData& ) = delete;

    std::optional<types::ticks> GetLength() const override
    {
        return myResource ? Traits::Length( *myResource ) : std::nullopt;
    }

    // Null when the file could not be loaded.
    Resource* Get() const { return myResource; }
    bool IsLoaded() const { return myResource != nullptr; }

private:
    Resource* myResource = nullptr;
};

// A sound effect, converted to the device's format in memory.
struct SDLMixerEffectTraits
{
    using Resource = Mix_Chunk;
    static constexpr const char* CLASS_NAME = "CSDLMixerEffectData";
    static constexpr const char* KIND = "effect";
    // Without a file to read, SDL's own message ("Couldn't open ...") says
    // more than the mixer's complaint about a null source would.
    static Mix_Chunk* Load( const std::string& file )
    {
        SDL_RWops* source = SDL_RWFromFile( file.c_str(), "rb" );
        return source ? Mix_LoadWAV_RW( source, 1 ) : nullptr;
    }
    static void Free( Mix_Chunk* chunk ) { Mix_FreeChunk( chunk ); }
    // The chunk holds its samples converted to the open device's format.
    static std::optional<types::ticks> Length( const Mix_Chunk& chunk )
    {
        int frequency = 0;
        Uint16 format = 0;
        int channels = 0;
        if( Mix_QuerySpec( &frequency, &format, &channels ) == 0 )
            return std::nullopt;
        const long long bytesPerSecond = static_cast<long long>( frequency ) * channels * ( ( format & 0xFF ) / 8 );
        if( bytesPerSecond <= 0 )
            return std::nullopt;
        return static_cast<types::ticks>( chunk.alen * 1000LL / bytesPerSecond );
    }
};

// A music file (WAV, Ogg Vorbis and whatever else the mixer decodes).
struct SDLMixerMusicTraits
{
    using Resource = Mix_Music;
    static constexpr const char* CLASS_NAME = "CSDLMixerMusicData";
    static constexpr const char* KIND = "music";
    static Mix_Music* Load( const std::string& file ) { return Mix_LoadMUS( file.c_str() ); }
    static void Free( Mix_Music* music ) { Mix_FreeMusic( music ); }
    // SDL_mixer 1.2 cannot tell a music's length.
    static std::optional<types::ticks> Length( const Mix_Music& ) { return std::nullopt; }
};

using CSDLMixerEffectData = CSDLMixerData<SDLMixerEffectTraits>;
using CSDLMixerMusicData = CSDLMixerData<SDLMixerMusicTraits>;

} // namespace tarn

#endif
