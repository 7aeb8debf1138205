#ifndef TARN_AUDIO_MIXERVOLUME_H
#define TARN_AUDIO_MIXERVOLUME_H

#include <SDL_mixer.h>

namespace tarn {

// A player's volume times its master volume (1.0 is full) as an SDL_mixer
// volume in 0..MIX_MAX_VOLUME. Out-of-range products are held at the ends,
// because the mixer reads a negative volume as a query.
inline int ToMixerVolume( float volume, float masterVolume )
{
    const float level = volume * masterVolume;
    if( !( level > 0.0f ) )
        return 0;
    if( level >= 1.0f )
        return MIX_MAX_VOLUME;
    return static_cast<int>( level * MIX_MAX_VOLUME );
}

} // namespace tarn

#endif
