#ifndef TARN_GFX_CSURFACE_H
#define TARN_GFX_CSURFACE_H

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "tarn/utils/ccolor.h"
#include "tarn/utils/rect.h"

namespace tarn {

namespace types {

// Which implementation a surface is; gfx_cast compares these.
enum gfx_type
{
    gfx_null = 0,
    gfx_sdl = 1
};

} // namespace types

// A picture that can be drawn on and drawn elsewhere. A surface shows a view
// rectangle of its image (a frame of a sprite sheet, say); pixel and
// rectangle coordinates are relative to the view's origin.
class CSurface
{
public:
    // Options of SetOption.
    enum Option
    {
        OPTION_RAW_COPY = 0,       // this surface's raw-copy flag (bool)
        OPTION_SCALE_SMOOTHING = 1,  // smoothing of Scale, for all surfaces
        OPTION_ROTATE_SMOOTHING = 2, // smoothing of Rotate, for all surfaces
        OPTION_COLOR_KEY = 3         // this surface's colour key kept (1) or dropped (0)
    };

    CSurface() = default;
    // Gives the image back to whoever shares it (see CTextureManager).
    virtual ~CSurface() = default;

    CSurface( const CSurface& ) = delete;
    CSurface& operator=( const CSurface& ) = delete;

    // True only for the stand-in returned when no surface could be made.
    virtual bool IsNull() const = 0;
    virtual types::gfx_type GetType() const = 0;
    // True when there are no pixels.
    virtual bool IsEmpty() const = 0;

    // Writes one pixel; an alpha below 255 blends the colour over the old
    // pixel. Points outside the view are ignored.
    virtual void PutPixel( int x, int y, const CColor& color ) = 0;
    // Black with alpha 255 outside the view.
    virtual CColor GetPixel( int x, int y ) const = 0;
    // The pixels of area (view coordinates) row by row, as GetPixel reads
    // them; much faster than GetPixel per pixel for a whole picture.
    virtual std::vector<CColor> GetPixels( const types::rect& area ) const
    {
        std::vector<CColor> colors;
        colors.reserve( static_cast<std::size_t>( std::max( area.w, 0 ) ) * std::max( area.h, 0 ) );
        for( int y = area.y; y < area.y + area.h; ++y )
        {
            for( int x = area.x; x < area.x + area.w; ++x )
                colors.push_back( GetPixel( x, y ) );
        }
        return colors;
    }
    // Makes the area transparent black (32-bit surfaces only).
    virtual void Clear( const types::rect& area ) = 0;
    // Multiplies red, green and blue of every pixel in the view by the
    // factors (results truncated, at most 255); alpha is kept as it is.
    virtual void ScaleColors( double red, double green, double blue ) = 0;

    // Size of the view, in pixels.
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;

    // New surfaces derived from the view; the null surface on failure.
    virtual std::unique_ptr<CSurface> Scale( int width, int height ) const = 0;
    // angle in degrees, counter-clockwise.
    virtual std::unique_ptr<CSurface> Rotate( double angle ) const = 0;
    // Every non-zero pixel gets its alpha multiplied by alpha / 255.
    virtual std::unique_ptr<CSurface> CopyWithAlpha( int alpha ) const = 0;
    // A copy without an alpha channel, same view, of a picture whose every
    // pixel is opaque (so that BlitFaded can draw it); null when a pixel is
    // not, or the picture has no alpha channel to drop.
    virtual std::unique_ptr<CSurface> CopyOpaque() const { return nullptr; }
    // A private copy of the pixels (with alpha), same view, raw-copy on.
    virtual std::unique_ptr<CSurface> Copy() const = 0;

    // Draws the source area of this surface at the destination area of
    // dest; both are cut to their surfaces' views, and what is cut from one
    // side is cut from the other, so pixels stay where they belong.
    virtual bool Blit( CSurface* dest, const types::rect& source, const types::rect& destination ) const = 0;
    // The whole view at the same coordinates of dest.
    virtual bool Blit( CSurface* dest ) const = 0;
    // Blit with every pixel at alpha / 255 of its strength, as a Blit of
    // CopyWithAlpha( alpha ) would draw it, without making the copy; false,
    // drawing nothing, where only the copy can do it.
    virtual bool BlitFaded( CSurface* dest, const types::rect& source, const types::rect& destination,
                            int alpha ) const
    {
        (void)dest, (void)source, (void)destination, (void)alpha;
        return false;
    }
    // Whether BlitFaded can draw this surface at all (onto a surface without
    // an alpha channel of its own, such as the screen).
    virtual bool CanBlitFaded() const { return false; }

    virtual void SetViewRect( const types::rect& view ) = 0;
    virtual types::rect GetViewRect() const = 0;
    virtual bool IsPartialView() const = 0;
    // Size of the whole image.
    virtual int GetFullWidth() const = 0;
    virtual int GetFullHeight() const = 0;
    virtual int GetViewX() const = 0;
    virtual int GetViewY() const = 0;

    // See Option; other kinds do nothing.
    virtual void SetOption( int kind, int value ) = 0;
    // Names ending in "tga" are written as TGA, others as BMP. False (and a
    // log line) when the file could not be written completely; no file is
    // left behind then.
    virtual bool Save( const std::string& filename ) const = 0;
    // The image file the pixels came from; "" for made buffers.
    virtual std::string GetFileName() const = 0;

    // Presents the surface (the screen only).
    virtual void Flip() = 0;
    // Queues an area to present (the screen only).
    virtual void AddDirtyRect( const types::rect& area ) = 0;
    // area moved to image coordinates and cut to the view.
    virtual types::rect ClipRect( const types::rect& area ) const = 0;
};

// The surface as implementation T, or null when it is another kind.
template <class T>
T* gfx_cast( CSurface* surface )
{
    if( !surface || surface->GetType() != T::GFX_TYPE )
        return nullptr;
    return static_cast<T*>( surface );
}

template <class T>
const T* gfx_cast( const CSurface* surface )
{
    if( !surface || surface->GetType() != T::GFX_TYPE )
        return nullptr;
    return static_cast<const T*>( surface );
}

} // namespace tarn

#endif
