#ifndef TARN_GFX_SDL_CSURFACESDL_H
#define TARN_GFX_SDL_CSURFACESDL_H

#include <string>

#include <SDL.h>

#include "tarn/gfx/csurface.h"

namespace tarn {

// A surface on an SDL 1.2 software surface. An image loaded from a file is
// shared through CTextureManager and given back when this surface goes or
// takes another image; any other image is this surface's own.
class CSurfaceSDL : public CSurface
{
public:
    static constexpr types::gfx_type GFX_TYPE = types::gfx_sdl;

    // Takes the reference the caller holds on image (which may be null).
    explicit CSurfaceSDL( SDL_Surface* image = nullptr, const std::string& filename = "" );
    ~CSurfaceSDL() override;

    bool IsNull() const override { return false; }
    types::gfx_type GetType() const override { return GFX_TYPE; }
    bool IsEmpty() const override { return myImage == nullptr; }
    void PutPixel( int x, int y, const CColor& color ) override;
    CColor GetPixel( int x, int y ) const override;
    std::vector<CColor> GetPixels( const types::rect& area ) const override;
    void Clear( const types::rect& area ) override;
    void ScaleColors( double red, double green, double blue ) override;
    int GetWidth() const override { return myViewRect.w; }
    int GetHeight() const override { return myViewRect.h; }
    std::unique_ptr<CSurface> Scale( int width, int height ) const override;
    std::unique_ptr<CSurface> Rotate( double angle ) const override;
    std::unique_ptr<CSurface> CopyWithAlpha( int alpha ) const override;
    std::unique_ptr<CSurface> Copy() const override;
    std::unique_ptr<CSurface> CopyOpaque() const override;
    bool Blit( CSurface* dest, const types::rect& source, const types::rect& destination ) const override;
    bool Blit( CSurface* dest ) const override;
    bool BlitFaded( CSurface* dest, const types::rect& source, const types::rect& destination,
                    int alpha ) const override;
    bool CanBlitFaded() const override;
    void SetViewRect( const types::rect& view ) override;
    types::rect GetViewRect() const override { return myViewRect; }
    bool IsPartialView() const override { return myViewRect != myFullRect; }
    int GetFullWidth() const override { return myFullRect.w; }
    int GetFullHeight() const override { return myFullRect.h; }
    int GetViewX() const override { return myViewRect.x; }
    int GetViewY() const override { return myViewRect.y; }
    void SetOption( int kind, int value ) override;
    bool Save( const std::string& filename ) const override;
    std::string GetFileName() const override { return myFileName; }
    void Flip() override {}
    void AddDirtyRect( const types::rect& ) override {}
    types::rect ClipRect( const types::rect& area ) const override;

    // An SDL surface holding just the view: the image itself when the view
    // is the whole image, otherwise a copy made once and kept.
    SDL_Surface* GetViewImage() const;
    SDL_Surface* GetRawImage() const { return myImage; }
    // Takes image (and the caller's reference on it); the old image is
    // given back when releaseOld is set. The view becomes the whole image.
    void SetImage( SDL_Surface* image, bool releaseOld );
    // Pixels of color are left out when this surface is drawn.
    void SetColorKey( const CColor& color );
    bool IsRawCopy() const { return myRawCopy; }

protected:
    // Told of every area written into this surface by a blit or a clear
    // (image coordinates); the screen surface counts them for profiling.
    virtual void OnPixelsWritten( const types::rect& area ) { (void)area; }

private:
    // Draws area of myImage at x, y of target (image coordinates, already
    // cut to both surfaces).
    bool CopyPixels( const types::rect& area, SDL_Surface* target, int x, int y, bool raw ) const;
    void ReleaseImage();
    // The kept view copy no longer shows the pixels after a change.
    void DropViewImage() const;
    bool Contains( int x, int y ) const;

    SDL_Surface* myImage;
    mutable SDL_Surface* myViewImage = nullptr;
    bool myRawCopy = false;
    types::rect myViewRect;
    types::rect myFullRect;
    std::string myFileName;

    // Smoothing passed to SDL_gfx, shared by all surfaces.
    static inline int myScaleSmoothing = 0;
    static inline int myRotateSmoothing = 1;
};

} // namespace tarn

#endif
