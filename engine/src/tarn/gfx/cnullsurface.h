#ifndef TARN_GFX_CNULLSURFACE_H
#define TARN_GFX_CNULLSURFACE_H

#include "tarn/gfx/csurface.h"

namespace tarn {

// Stands for "no surface": what the graphics facade hands out when it cannot
// make one. Every operation does nothing or answers 0.
class CNullSurface final : public CSurface
{
public:
    static constexpr types::gfx_type GFX_TYPE = types::gfx_null;

    bool IsNull() const override { return true; }
    types::gfx_type GetType() const override { return GFX_TYPE; }
    bool IsEmpty() const override { return true; }
    void PutPixel( int, int, const CColor& ) override {}
    CColor GetPixel( int, int ) const override { return CColor( 0, 0, 0, 0 ); }
    void Clear( const types::rect& ) override {}
    void ScaleColors( double, double, double ) override {}
    int GetWidth() const override { return 0; }
    int GetHeight() const override { return 0; }
    std::unique_ptr<CSurface> Scale( int, int ) const override { return std::make_unique<CNullSurface>(); }
    std::unique_ptr<CSurface> Rotate( double ) const override { return std::make_unique<CNullSurface>(); }
    std::unique_ptr<CSurface> CopyWithAlpha( int ) const override { return std::make_unique<CNullSurface>(); }
    std::unique_ptr<CSurface> Copy() const override { return std::make_unique<CNullSurface>(); }
    bool Blit( CSurface*, const types::rect&, const types::rect& ) const override { return false; }
    bool Blit( CSurface* ) const override { return false; }
    void SetViewRect( const types::rect& ) override {}
    types::rect GetViewRect() const override { return types::rect(); }
    bool IsPartialView() const override { return false; }
    int GetFullWidth() const override { return 0; }
    int GetFullHeight() const override { return 0; }
    int GetViewX() const override { return 0; }
    int GetViewY() const override { return 0; }
    void SetOption( int, int ) override {}
    bool Save( const std::string& ) const override { return false; }
    std::string GetFileName() const override { return ""; }
    void Flip() override {}
    void AddDirtyRect( const types::rect& ) override {}
    types::rect ClipRect( const types::rect& ) const override { return types::rect(); }
};

} // namespace tarn

#endif
