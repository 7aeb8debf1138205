#ifndef TARN_GFX_CSLIDERSPRITE_H
#define TARN_GFX_CSLIDERSPRITE_H

#include <memory>

#include "tarn/gfx/csprite.h"

namespace tarn {

// A fill or progress bar of two ordinary sprites from the screen layer: the
// bottom part at a fixed rect and the top part, in front of it, cut to the
// value's fraction of its width. The slider places them and draws nothing.
class CSliderSprite final : public CSprite
{
public:
    CSliderSprite();
    // Deletes the top part, then the bottom part.
    ~CSliderSprite() override;

    int GetType() const override;
    // "BottomRect", "TopRect", "TopSprite", "BottomSprite", "Value"; the base
    // sprite's keys are neither read nor written.
    void Serialize( CXmlFileSys* filesys ) override;
    // The bottom part gets z, the top part z - 1.
    void SetZ( int z ) override;
    // The parts keep their own size.
    void Resize( int width, int height ) override;
    // Moves the bottom rect to x, y and the top rect along with it.
    void SetPosition( int x, int y ) override;
    // Forwarded to the bottom part, then the top part.
    void PlayAnimation( const std::string& name ) override;

    // Stores the fill fraction and lays the parts out again.
    void SetValue( float value );
    float GetValue() const { return myValue; }
    types::rect GetTopRect() const { return myTopRect; }
    types::rect GetBottomRect() const { return myBottomRect; }
    CSprite* GetTopSprite() const { return myTopSprite.get(); }
    CSprite* GetBottomSprite() const { return myBottomSprite.get(); }

private:
    void Layout();
    void Write( CXmlFileSys* filesys );

    std::unique_ptr<CSprite> myTopSprite;
    std::unique_ptr<CSprite> myBottomSprite;
    types::rect myTopRect;
    types::rect myBottomRect;
    float myValue = 1.0f;
};

} // namespace tarn

#endif
