#ifndef TARN_AUDIO_CCAPTIONS_H
#define TARN_AUDIO_CCAPTIONS_H

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "tarn/audio/ccaptiontable.h"
#include "tarn/audio/ceffectlistener.h"
#include "tarn/utils/types.h"

namespace tarn {

// The captions of the effects heard lately, for a player who cannot hear
// them. A caption shows while its sound plays (DEFAULT_LENGTH
// when the device cannot tell how long that is), then fades out over
// FADE_TIME; at most MAX_LINES show, the oldest giving way. Times are engine
// time, which runs on while a menu holds the game.
class CCaptions final : public CEffectListener
{
public:
    static constexpr types::ticks DEFAULT_LENGTH = 2000;
    static constexpr types::ticks FADE_TIME = 500;
    static constexpr std::size_t MAX_LINES = 3;

    struct Line
    {
        std::string text;
        // 255 while the sound plays, falling to 0 over the fade.
        int alpha = 255;
    };

    // on is the player's setting (0 or 1) and must outlive this object.
    explicit CCaptions( const int& on );

    // Reads the texts (see CCaptionTable); false when the file cannot be read.
    bool Load( const std::string& file ) { return myTable.Load( file ); }

    // Captions the effect when the setting is on. An effect whose caption
    // shows already keeps its line and shows again from now.
    void OnEffectStarted( const std::string& file, std::optional<types::ticks> length ) override;
    // The captions showing now, oldest first; forgets those faded out, and
    // all of them while the setting is off.
    std::vector<Line> GetLines();

private:
    struct Shown
    {
        std::string text;
        types::ticks start = 0;
        types::ticks length = 0;
    };

    const int& myOn;
    CCaptionTable myTable;
    std::deque<Shown> myShown;
};

} // namespace tarn

#endif
