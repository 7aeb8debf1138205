#ifndef TARN_AUDIO_CEFFECTLISTENER_H
#define TARN_AUDIO_CEFFECTLISTENER_H

#include <optional>
#include <string>

#include "tarn/utils/types.h"

namespace tarn {

// Told by the effect player of every effect that starts to sound, so that
// what is heard can also be shown (captions).
class CEffectListener
{
public:
    virtual ~CEffectListener() = default;

    // file as the effect was asked for; length when the device can tell it.
    virtual void OnEffectStarted( const std::string& file, std::optional<types::ticks> length ) = 0;
};

} // namespace tarn

#endif
