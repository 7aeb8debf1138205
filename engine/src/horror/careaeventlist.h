#ifndef HORROR_CAREAEVENTLIST_H
#define HORROR_CAREAEVENTLIST_H

#include <cstddef>
#include <string>
#include <vector>

#include "horror/careaevent.h"
#include "tarn/gfx/csprite.h"

namespace tarn {
class CXmlFileSys;
}

namespace horror {

class CScriptRunner;

// The area events of one level, portals among them: circles whose scripts
// run when the player's icon or the bad guy is inside at a check, and the
// portals' pictures. A level holds at most MAX_EVENTS.
class CAreaEventList final
{
public:
    // An event whose script adds a portal each time could otherwise grow
    // the list without end.
    static constexpr std::size_t MAX_EVENTS = 1024;

    // runner is not owned and must outlive the list; null runs nothing.
    void SetScriptRunner( CScriptRunner* runner ) { myScriptRunner = runner; }

    // Reads a level file's "AreaEvents" (keeping the first MAX_EVENTS), then
    // its "Portals", which replace the portals of the last level.
    void ReadEvents( tarn::CXmlFileSys* filesys );
    void ReadPortals( tarn::CXmlFileSys* filesys );

    // False, logged once a level, when the level holds MAX_EVENTS.
    bool Add( const tarn::types::point& position, float range, const std::string& script, bool forPlayer,
              bool forBadguy, int howManyTimes );
    // A picture fading in centred on position, and a one-time player event
    // that loads nextFile within 35 pixels.
    void AddPortal( const tarn::types::point& position, const std::string& image, const std::string& nextFile );
    // Runs the scripts of the armed events (for the player or the bad guy)
    // whose circle holds p, events added by those scripts included.
    void Check( const tarn::types::point& p, bool forPlayer, bool forBadguy );

    const std::vector<AreaEvent>& GetEvents() const { return myEvents; }
    const std::vector<tarn::SpritePtr>& GetPortalSprites() const { return myPortalSprites; }

private:
    // True while another event fits; says once a level when not.
    bool HasRoom();

    std::vector<AreaEvent> myEvents;
    std::vector<tarn::SpritePtr> myPortalSprites;
    CScriptRunner* myScriptRunner = nullptr;
    bool myFullReported = false;
};

} // namespace horror

#endif
