#include "tarn/utils/point.h"

#include "tarn/utils/xmlbind.h"

namespace tarn {
namespace types {

void point::Serialize( CXmlFileSys* filesys )
{
    XmlBindAttribute( filesys, x, "x" );
    XmlBindAttribute( filesys, y, "y" );
}

} // namespace types
} // namespace tarn
