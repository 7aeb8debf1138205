#ifndef TARN_TASKS_CCAPTIONDISPLAY_H
#define TARN_TASKS_CCAPTIONDISPLAY_H

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tarn/audio/ccaptions.h"

namespace tarn {

class CFont;
class CSprite;
class CTextSprite;

// Draws captions in the screen layer, in front of the game's sprites and
// behind the developer windows: one line per caption, centred, newest at the
// bottom, each a text sprite over a dark translucent backdrop and faded as
// its caption fades.
class CCaptionDisplay final
{
public:
    // In front of every game sprite, behind the UI's windows.
    static constexpr int CAPTION_Z = -1000;
    static constexpr int PAD_X = 8;
    static constexpr int PAD_Y = 3;
    static constexpr int GAP = 4;
    static constexpr int BACKDROP_ALPHA = 176;

    // Each line writes with a copy of font. The lowest line ends at the
    // screen row bottom, or at the screen's bottom edge without one.
    CCaptionDisplay( std::unique_ptr<CFont> font, std::optional<int> bottom );
    ~CCaptionDisplay();

    CCaptionDisplay( const CCaptionDisplay& ) = delete;
    CCaptionDisplay& operator=( const CCaptionDisplay& ) = delete;

    // Shows lines (oldest first) in place of the lines shown before; a line
    // whose text showed already keeps its sprites.
    void Show( const std::vector<CCaptions::Line>& lines );

    // The text sprites shown, top to bottom.
    std::vector<const CTextSprite*> GetTextSprites() const;

private:
    struct Row
    {
        std::string text;
        std::unique_ptr<CSprite> backdrop;
        std::unique_ptr<CTextSprite> sprite;
    };

    Row MakeRow( const std::string& text ) const;
    void Place( Row& row, std::size_t index, std::size_t count, int alpha ) const;

    std::unique_ptr<CFont> myFont;
    std::optional<int> myBottom;
    std::vector<Row> myRows;
};

} // namespace tarn

#endif
