#include "horror/careaevent.h"

#include "tarn/utils/xmlbind.h"

using namespace tarn;

namespace horror {

void AreaEvent::Serialize( CXmlFileSys* filesys )
{
    XmlBindAttribute( filesys, forPlayer, "for_player" );
    XmlBindAttribute( filesys, forBadguy, "for_badguy" );
    XmlBindAttribute( filesys, howManyTimes, "how_many_times" );
    XmlBind( filesys, position, "Position" );
    XmlBind( filesys, range, "Range" );
    XmlBind( filesys, execute, "Execute" );
}

bool AreaEvent::Contains( const types::point& p ) const
{
    const int dx = p.x - position.x;
    const int dy = p.y - position.y;
    return static_cast<float>( dx * dx + dy * dy ) < range * range;
}

void Portal::Serialize( CXmlFileSys* filesys )
{
    XmlBind( filesys, position, "Position" );
    XmlBind( filesys, portalImage, "PortalImage" );
    XmlBind( filesys, nextFile, "NextFile" );
}

} // namespace horror
