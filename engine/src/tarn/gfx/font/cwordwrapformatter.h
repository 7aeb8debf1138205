#ifndef TARN_GFX_FONT_CWORDWRAPFORMATTER_H
#define TARN_GFX_FONT_CWORDWRAPFORMATTER_H

#include "tarn/gfx/font/cfontformatter.h"

namespace tarn {

// Word-wrapped lines aligned to the left, the centre or the right of the
// rect. Lines go down from the rect's top until the text or the rect's
// height runs out.
class CWordWrapFormatter final : public CFontFormatter
{
public:
    enum Alignment
    {
        ALIGN_LEFT = 0,
        ALIGN_CENTER = 1,
        ALIGN_RIGHT = 2
    };

    explicit CWordWrapFormatter( Alignment alignment = ALIGN_LEFT );

    std::unique_ptr<CFontFormatter> Clone() const override;
    int GetKind() const override { return myAlignment; }

protected:
    void WriteLine( const CFont& font, CSurface* target, const std::string& text, std::size_t position,
                    const Line& line, const types::rect& rect, int y ) const override;

private:
    // x of a line measured as wide as width.
    int LineX( const types::rect& rect, int width ) const;

    Alignment myAlignment;
};

} // namespace tarn

#endif
