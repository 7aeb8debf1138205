#ifndef TARN_GFX_FONT_CFONTFORMATTER_H
#define TARN_GFX_FONT_CFONTFORMATTER_H

#include <memory>
#include <string>

#include "tarn/utils/point.h"
#include "tarn/utils/rect.h"

namespace tarn {

class CFont;
class CSurface;

// Lays text out inside a rectangle, one line under the other, breaking
// lines between words.
class CFontFormatter
{
public:
    // What FitLine found for one line.
    struct Line
    {
        // Characters from the start that belong to the line, including the
        // space or line feed that ended its last word; 0 when the first word
        // is wider than the rect.
        int count = 0;
        // Width of the line's words and the spaces after them.
        int width = 0;
    };

    virtual ~CFontFormatter() = default;

    virtual std::unique_ptr<CFontFormatter> Clone() const = 0;
    // The kind SetFormatter of CFont takes to make this formatter.
    virtual int GetKind() const = 0;
    // Writes text (with a null target only measures) and returns the pen
    // below the last line laid out: one FitLine after the other, each line
    // written by WriteLine, until the text or the rect's height runs out.
    virtual types::point Write( const CFont& font, CSurface* target, const std::string& text,
                                const types::rect& rect ) const;

    // How much of text from start fits on one line of rect: whole words up to
    // the next line feed, as long as they are no wider than rect.w.
    static Line FitLine( const CFont& font, const std::string& text, const types::rect& rect, std::size_t start );
    // Every tab replaced by four spaces.
    static std::string ExpandTabs( const std::string& text );

protected:
    // Writes one fitted line (line.count > 0 characters of text from
    // position) at height y.
    virtual void WriteLine( const CFont& font, CSurface* target, const std::string& text, std::size_t position,
                            const Line& line, const types::rect& rect, int y ) const = 0;
};

} // namespace tarn

#endif
