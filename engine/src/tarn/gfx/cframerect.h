#ifndef TARN_GFX_CFRAMERECT_H
#define TARN_GFX_CFRAMERECT_H

#include <memory>

#include "tarn/gfx/cframe.h"
#include "tarn/utils/rect.h"

namespace tarn {

// Shows one rectangle of the sprite's image (a cell of a sprite sheet). It may
// wrap another frame, which then decides when it is done and how long it
// lasts (a cell shown together with a sound).
class CFrameRect final : public CFrame
{
public:
    CFrameRect() = default;
    CFrameRect( const types::rect& rect, types::ticks length );

    int GetType() const override;
    bool Apply( CSprite* sprite, types::ticks elapsed ) override;
    types::ticks GetInterval() const override;
    types::ticks GetLength() const override;
    void Serialize( CXmlFileSys* filesys ) override;

    types::rect GetRect() const { return myRect; }
    types::ticks GetFrameLength() const { return myFrameLength; }
    void SetWrapped( std::unique_ptr<CFrame> frame ) { myWrapped = std::move( frame ); }
    const CFrame* GetWrapped() const { return myWrapped.get(); }

private:
    void ReadWrapped( CXmlFileSys* filesys );
    void WriteWrapped( CXmlFileSys* filesys );

    types::rect myRect;
    types::ticks myFrameLength = 0;
    std::unique_ptr<CFrame> myWrapped;
};

} // namespace tarn

#endif
