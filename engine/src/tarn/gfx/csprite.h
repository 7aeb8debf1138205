#ifndef TARN_GFX_CSPRITE_H
#define TARN_GFX_CSPRITE_H

#include <memory>
#include <string>
#include <vector>

#include "tarn/utils/rect.h"

namespace tarn {

class CColor;
class CSpriteLayer;
class CSurface;
class CXmlFileSys;

// An image placed at a rectangle of a target, with a depth (z: smaller is
// nearer the viewer), an alpha and an optional clip rectangle. A sprite that
// uses its background keeps the pixels it covers, so it can be erased by
// putting them back; layers redraw only what changed (see CSpriteLayer).
class CSprite
{
public:
    // Kind numbers, as in sprite description files.
    enum Kind
    {
        KIND_BASE = 0,
        KIND_LAYER = 1,
        KIND_SCREENLAYER = 2,
        KIND_TEXT = 3,
        KIND_ANIMATED = 4,
        KIND_SLIDER = 5
    };

    // Draw states: clean, or to be drawn at the next redraw.
    enum DrawState
    {
        DRAW_CLEAN = 0,
        DRAW_DIRTY = 2
    };

    static constexpr int DEFAULT_Z = 100;

    // The transparent colour of sprite images: magenta.
    static CColor KeyColor();

    CSprite();
    // Removes the sprite's effects and takes it out of its layer.
    virtual ~CSprite();

    CSprite( const CSprite& ) = delete;
    CSprite& operator=( const CSprite& ) = delete;

    virtual int GetType() const;
    // No image (a layer: no children); an empty sprite is never drawn.
    virtual bool IsEmpty() const;
    virtual void Serialize( CXmlFileSys* filesys );
    virtual std::string GetFileName() const;
    virtual void SetFileName( const std::string& name );
    virtual void SetX( int x );
    virtual void SetY( int y );
    virtual void SetZ( int z );
    virtual void SetRect( const types::rect& rect );
    virtual int GetX() const;
    virtual int GetY() const;
    virtual int GetZ() const;
    virtual types::rect GetRect() const;
    // Which part of the image is shown (a cell of a sprite sheet); the
    // sprite's size follows the part's size.
    virtual void SetImageRect( const types::rect& rect );
    virtual types::rect GetImageRect() const;
    // Clip rectangle in target coordinates; 0, 0, 0, 0 when there is none.
    virtual void SetScrollRect( const types::rect& rect );
    virtual types::rect GetScrollRect() const;
    virtual void DrawPart( CSprite* target, const types::rect& area );
    virtual void Draw( CSprite* target );
    virtual void RestoreBackground( CSprite* target );
    virtual void SaveBackground( CSprite* target );
    // Puts the saved background back and marks the sprite to be drawn.
    virtual bool Erase( CSprite* target );
    // Saves the background and draws, when the sprite is to be drawn.
    virtual bool Redraw( CSprite* target );
    virtual void SetVisible( bool visible );
    virtual void Resize( int width, int height );
    // Degrees, as the surface's Rotate takes them.
    virtual void SetRotation( float angle );
    // 0 (invisible) to 255 (opaque).
    virtual void SetAlpha( int alpha );
    virtual int GetAlpha() const;
    virtual void SetPosition( int x, int y );
    // Hooks for animated, text and slider sprites; plain sprites ignore them.
    virtual void PlayAnimation( const std::string& name );
    virtual void SetText( const std::string& text );
    // Moves the sprite to another layer (null: out of any layer).
    virtual void SetParent( CSpriteLayer* parent );
    // Tells the layer once per frame that the sprite is about to change.
    virtual void MarkChanged();
    // Replaces the pixels; the sprite takes the image's size.
    virtual void SetImage( std::unique_ptr<CSurface> image );
    // Areas to present for this sprite after a change: 0, 1 (in place) or 2
    // (moved: new and old place).
    virtual int GetDirtyCount() const;
    virtual types::rect GetDirtyRect( int index ) const;
    // Called with the alpha before the image is drawn and with 255 after.
    virtual void BlendHook( int alpha );

    // What the sprite shows; never null for a sprite made by the factory,
    // but may be the null surface. A faded sprite drawn with the surface's
    // own alpha makes its faded copy when asked for it here.
    virtual CSurface* GetSurface() const;
    CSpriteLayer* GetParent() const { return myParent; }
    int GetDrawState() const { return myDrawState; }
    bool IsChanged() const { return myChanged; }
    bool HasScrollRect() const { return myScrollRect != nullptr; }
    bool UsesBackground() const { return myBackgroundUsage; }
    float GetRotation() const { return myRotation; }
    types::rect GetBackgroundRect() const { return myBackgroundRect; }

protected:
    // Stores the value without telling anyone (used by layers and loaders).
    void SetZValue( int z ) { myZ = z; }
    void SetDrawState( int state ) { myDrawState = state; }
    void ClearChanged() { myChanged = false; }
    // Replaces the parent pointer only (used by a layer that goes away).
    void DetachFromParent() { myParent = nullptr; myHiddenParent = nullptr; }
    // Makes or drops the background buffer for the current size.
    void RemakeBackground();
    // Puts the saved background back within area only (cut to where the
    // sprite was last drawn), for a sprite that stays where it is while
    // something under that part changes; the next Redraw draws the erased
    // parts again. A sprite already erased whole is left alone. Pixels
    // within overwritten are only counted as erased: the caller puts
    // something else there before anything reads them.
    void ErasePart( CSprite* target, const types::rect& area, const types::rect& overwritten );
    // Where Erase would put a saved background back on target now; empty
    // when it would write nothing there.
    types::rect ErasedArea( CSprite* target ) const;
    // Whether only parts of the sprite can be erased now: drawn, unchanged
    // and not a layer.
    bool CanErasePart() const;
    // Reads and writes the keys every sprite file has.
    void SerializeBase( CXmlFileSys* filesys );
    // The same, but writes fileRect as "ImageRect": for sprites that make
    // themselves another size than their file says, so that a saved file
    // reads back to the same sprite.
    void SerializeBase( CXmlFileSys* filesys, const types::rect& fileRect );

    friend class CSpriteLayer;
    friend class CScreenLayer;

private:
    // The part of the target's rect the sprite may draw on (its scroll rect
    // applied); w or h 0 when nothing.
    types::rect DrawableArea( CSprite* target, const types::rect& area ) const;
    // Makes the shown copy again from the source image's current view.
    void Rederive();
    // The faded copy of an image with an alpha channel: made for the whole
    // image once per alpha, so a new view (an animation's next frame) only
    // moves the copy's view.
    void DeriveFaded();
    // For an image with an alpha channel but no see-through pixel: a copy
    // without the channel, made once and faded as it is drawn; false when
    // the image has see-through pixels.
    bool DeriveOpaque();
    // What is drawn: the derived copy, or the source image (faded as it is
    // drawn, when FadesWhileDrawing).
    CSurface* ShownImage() const;
    // A faded sprite whose image SDL can blend at the alpha directly.
    bool FadesWhileDrawing() const;
    // Puts the saved background back within area (target coordinates).
    void RestoreArea( CSprite* target, const types::rect& area );
    // Saves and draws again the parts ErasePart erased; false when none.
    bool RedrawErasedParts( CSprite* target );

    // How the shown image derives from the source image.
    enum class Derivation
    {
        NONE,
        SCALED,
        ROTATED,
        ALPHA
    };

    CSpriteLayer* myParent = nullptr;
    CSpriteLayer* myHiddenParent = nullptr;
    // The image as loaded, and a copy derived from it (scaled, rotated or
    // with alpha) that is shown instead when present.
    std::unique_ptr<CSurface> mySourceImage;
    std::unique_ptr<CSurface> myDerivedImage;
    Derivation myDerivation = Derivation::NONE;
    // The alpha of myDerivedImage when it is a whole-image faded copy (see
    // DeriveFaded); -1 otherwise.
    int myFadedAlpha = -1;
    // myDerivedImage is the source image without its alpha channel (see
    // DeriveOpaque); the source image was found to have see-through pixels.
    bool myOpaqueCopy = false;
    bool mySeeThroughSource = false;
    // What GetSurface hands out for a sprite faded while drawing: the faded
    // pixels, made when asked for.
    mutable std::unique_ptr<CSurface> myFadedCopy;
    int myScaledWidth = 0;
    int myScaledHeight = 0;
    std::unique_ptr<CSurface> myBackground;
    bool myBackgroundUsage = true;
    types::rect myRect;
    std::unique_ptr<types::rect> myScrollRect;
    int myZ = DEFAULT_Z;
    float myRotation = 0;
    int myAlpha = 255;
    int myDrawState = DRAW_CLEAN;
    types::rect myBackgroundRect;
    bool myChanged = false;
    // Disjoint areas of myBackgroundRect erased by ErasePart since the last
    // redraw, while the rest of the sprite stays drawn.
    std::vector<types::rect> myErasedParts;
    std::string myFileName;
};

// A sprite shared by several owners; the last one to let go deletes it, and
// it leaves its layer then.
using SpritePtr = std::shared_ptr<CSprite>;

} // namespace tarn

#endif
