#ifndef HORROR_CAREAEVENT_H
#define HORROR_CAREAEVENT_H

#include <string>

#include "tarn/utils/point.h"

namespace tarn {
class CXmlFileSys;
}

namespace horror {

// A circle on the level with a script that runs when the player's icon or
// the bad guy (as the flags say) is inside it at a check, as many times as
// its count allows.
struct AreaEvent
{
    tarn::types::point position;
    float range = 0.0f;
    std::string execute;
    bool forPlayer = false;
    bool forBadguy = false;
    int howManyTimes = 0;

    // The flags and the count are attributes of the record's own element.
    void Serialize( tarn::CXmlFileSys* filesys );

    // Strictly inside: the boundary is outside, and range 0 holds nothing.
    bool Contains( const tarn::types::point& p ) const;
};

// A picture on the level whose event loads the next level file; used only
// while a level loads.
struct Portal
{
    tarn::types::point position;
    std::string portalImage;
    std::string nextFile;

    void Serialize( tarn::CXmlFileSys* filesys );
};

} // namespace horror

#endif
