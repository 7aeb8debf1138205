#include "tarn/utils/rect.h"

#include "tarn/utils/xmlbind.h"

namespace tarn {
namespace types {

void rect::Serialize( CXmlFileSys* filesys )
{
    XmlBindAttribute( filesys, x, "x" );
    XmlBindAttribute( filesys, y, "y" );
    XmlBindAttribute( filesys, w, "w" );
    XmlBindAttribute( filesys, h, "h" );
}

} // namespace types
} // namespace tarn
