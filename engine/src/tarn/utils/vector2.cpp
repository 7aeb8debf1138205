#include "tarn/utils/vector2.h"

#include "tarn/utils/xmlbind.h"

namespace tarn {
namespace types {

void vector2::Serialize( CXmlFileSys* filesys )
{
    XmlBindAttribute( filesys, x, "x" );
    XmlBindAttribute( filesys, y, "y" );
}

} // namespace types
} // namespace tarn
