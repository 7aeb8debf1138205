#ifndef HORROR_CPLAYERICON_H
#define HORROR_CPLAYERICON_H

#include <string>

#include "tarn/gfx/csprite.h"
#include "tarn/utils/point.h"
#include "tarn/utils/vector2.h"

namespace tarn {
class CXmlFileSys;
}

namespace horror {

class CWalkMask;

// The player's icon and its drag: pressed on, it follows the mouse over open
// floor, the whole way of each move checked, and drops at a wall. Hidden, it
// waits off screen and comes back where it was. Positions in screen pixels.
class CPlayerIcon final
{
public:
    // What a mouse move did to the icon.
    enum class MoveResult
    {
        NOT_DRAGGED, // no drag in progress
        MOVED,       // it followed the mouse the whole way
        BUMPED       // closed floor stopped it; the drag ended
    };

    // Loads the icon's sprite file and places it at corner.
    CPlayerIcon( const std::string& file, const tarn::types::point& corner );

    // Reads the level file's "PlayerPosition" (the icon's centre).
    void ReadPosition( tarn::CXmlFileSys* filesys );

    // The mouse moved to (x, y); a dragged icon walks there over mask.
    MoveResult MoveMouse( int x, int y, const CWalkMask& mask );
    // Arms the drag when the last mouse position lies on the icon.
    void Press();
    // Ends the drag; false when there was none.
    bool Release();
    void Drop() { myDragging = false; }
    bool IsDragging() const { return myDragging; }

    // Moves it out of sight at corner, remembering where it was; Show puts
    // it back there.
    void Hide( const tarn::types::point& corner );
    void Show();

    tarn::CSprite* GetSprite() const { return mySprite.get(); }
    // The icon's centre, (x + w / 2, y + h / 2) of its rect, as floats.
    tarn::types::vector2 Centre() const;
    // Where a hidden icon will come back, as its centre.
    tarn::types::point GetRememberedCentre() const;

private:
    tarn::types::point Size() const;
    // Centre of the icon with its corner at corner, as the walk mask is
    // asked about it.
    tarn::types::point CentreAt( const tarn::types::point& corner ) const;
    // Walks the corner straight from from to to; reached is the last corner
    // on the way with open floor under the centre. False when closed floor
    // stopped it short of to.
    bool Walk( const tarn::types::point& from, const tarn::types::point& to, const CWalkMask& mask,
               tarn::types::point& reached ) const;

    tarn::SpritePtr mySprite;
    bool myDragging = false;
    tarn::types::point myMousePosition;
    tarn::types::point myGrabOffset;
    tarn::types::point myRememberedCorner;
};

} // namespace horror

#endif
