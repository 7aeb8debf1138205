#ifndef TARN_GFX_CSPRITELAYER_H
#define TARN_GFX_CSPRITELAYER_H

#include <climits>
#include <list>
#include <vector>

#include "tarn/gfx/csprite.h"

namespace tarn {

// A group of sprites drawn onto one target sprite, back (highest z) to front.
// Drawing is incremental: when a sprite changes, it and the parts of the
// sprites in front of it that cover its place are erased at once (their
// saved backgrounds put back, front first), and the next Redraw draws again
// only those, from the deepest change forward. The layer does not own its
// children.
class CSpriteLayer : public CSprite
{
public:
    CSpriteLayer() = default;
    // Children that are still in the layer forget it.
    ~CSpriteLayer() override;

    int GetType() const override;
    bool IsEmpty() const override;
    // Draws the changed children onto the layer's own target, whatever
    // target is given.
    bool Redraw( CSprite* target ) override;

    // Inserts sprite at its z place (in front of children of equal z).
    virtual void AddSprite( CSprite* sprite );
    virtual void RemoveSprite( CSprite* sprite );
    // Stable sort of the children by z after a depth change.
    virtual void ResortChildren();
    // Erases the children at depth z and in front of it.
    virtual void InvalidateFromDepth( int z );
    // Called by a child before it changes.
    virtual void SpriteChanged( CSprite* sprite );
    virtual void SetTarget( CSprite* target );
    virtual CSprite* GetTarget() const;
    virtual void HideSprite( CSprite* sprite );
    virtual void ShowSprite( CSprite* sprite );

    // Drops a hidden child that is going away.
    void ForgetHiddenSprite( CSprite* sprite );

    const std::list<CSprite*>& GetChildren() const { return myChildren; }
    const std::list<CSprite*>& GetHiddenChildren() const { return myHiddenChildren; }
    int GetRedrawDepth() const { return myRedrawDepth; }

protected:
    void RaiseRedrawDepth( int z );
    void SetRedrawDepth( int z ) { myRedrawDepth = z; }
    // Erases sprite and the children in front of it that cover its place
    // (directly or through another erased child); false when sprite is not
    // a child.
    bool EraseFrontTo( CSprite* sprite );
    // Takes sprite out of the children as RemoveSprite does; false when it
    // is not a child.
    bool TakeOut( CSprite* sprite );
    // A sprite that changed again after its first change of the frame may
    // now lie under sprites in front that its first change left alone:
    // erases those, before anything of the frame is drawn.
    void EraseOverMovedSprites();
    // The parts of sprite's place that areas cover, none inside another.
    static std::vector<types::rect> PartsUnder( const CSprite& sprite, const std::vector<types::rect>& areas );
    // Whether sprite's place (now or where last drawn) meets one of areas.
    static bool Covers( const CSprite& sprite, const std::vector<types::rect>& areas );

    // Not owned: a sprite belongs to its handle (SpritePtr) or its maker and
    // takes itself out of its layer when destroyed, so these never dangle.
    std::list<CSprite*> myChildren;

private:
    std::list<CSprite*> myHiddenChildren;
    CSprite* myTarget = nullptr;
    // Children with z up to this depth are visited at the next redraw.
    int myRedrawDepth = INT_MIN;
};

} // namespace tarn

#endif
