#ifndef TARN_GFX_FONT_CJUSTIFYFORMATTER_H
#define TARN_GFX_FONT_CJUSTIFYFORMATTER_H

#include "tarn/gfx/font/cfontformatter.h"

namespace tarn {

// Word-wrapped lines that fill the rect's width: the spare pixels of a
// wrapped line are shared out among its spaces. The last line of a
// paragraph (before a line feed or the end of the text) stays left-aligned.
class CJustifyFormatter final : public CFontFormatter
{
public:
    std::unique_ptr<CFontFormatter> Clone() const override;
    int GetKind() const override { return 3; }

protected:
    void WriteLine( const CFont& font, CSurface* target, const std::string& text, std::size_t position,
                    const Line& line, const types::rect& rect, int y ) const override;

private:
    // Writes a wrapped line (without its last space) widened to rect.w.
    static void WriteSpread( const CFont& font, CSurface* target, const std::string& line, int width,
                             const types::rect& rect, int y );
};

} // namespace tarn

#endif
