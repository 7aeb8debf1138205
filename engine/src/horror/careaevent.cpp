#include "horror/careaevent.h"

#include "horror/datafilekeys.h"
#include "tarn/utils/xmlbind.h"

using namespace tarn;

namespace horror {

void AreaEvent::Serialize( CXmlFileSys* filesys )
{
    XmlBindAttribute( filesys, forPlayer, "for_player" );
    XmlBindAttribute( filesys, forBadguy, "for_badguy" );
    XmlBindAttribute( filesys, howManyTimes, "how_many_times" );
    XmlBind( filesys, position, keys::POSITION );
    XmlBind( filesys, range, keys::RANGE );
    XmlBind( filesys, execute, keys::EXECUTE );
}

bool AreaEvent::Contains( const types::point& p ) const
{
    // In double: points and events may lie anywhere in the int range.
    const double dx = static_cast<double>( p.x ) - position.x;
    const double dy = static_cast<double>( p.y ) - position.y;
    return dx * dx + dy * dy < static_cast<double>( range ) * range;
}

void Portal::Serialize( CXmlFileSys* filesys )
{
    XmlBind( filesys, position, keys::POSITION );
    XmlBind( filesys, portalImage, keys::PORTAL_IMAGE );
    XmlBind( filesys, nextFile, keys::NEXT_FILE );
}

} // namespace horror
