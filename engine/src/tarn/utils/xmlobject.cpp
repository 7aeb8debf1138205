#include "tarn/utils/xmlobject.h"

#include <fstream>

#include "tarn/utils/clogger.h"
#include "tarn/utils/cxmlparser.h"
#include "tarn/utils/cxmltreebuilder.h"
#include "tarn/utils/cxmlwriter.h"

namespace tarn {

std::unique_ptr<CXmlNode> XmlParseFile( const std::string& fileName )
{
    CXmlTreeBuilder builder;
    CXmlParser parser( builder );
    parser.Parse( fileName );
    return builder.TakeRoot();
}

std::unique_ptr<CXmlNode> XmlParseFileOfKind( const std::string& fileName, const std::string& rootName,
                                              bool* wrongKind )
{
    std::unique_ptr<CXmlNode> root = XmlParseFile( fileName );
    const bool wrong = root && root->GetName() != rootName;
    if( wrongKind )
        *wrongKind = wrong;
    if( !wrong )
        return root;
    GetLog().Error() << "The file " << fileName << " holds a <" << root->GetName() << ">, not a <" << rootName
                     << ">: not loaded\n";
    return nullptr;
}

bool XmlWriteFile( const CXmlNode* root, const std::string& fileName )
{
    std::ofstream file( fileName, std::ios::binary | std::ios::trunc );
    if( file )
    {
        CXmlWriter writer;
        writer.Write( root, file );
        file.close();
    }
    if( !file )
    {
        GetLog().Error() << "Xml error, could not write the file: " << fileName << "\n";
        return false;
    }
    return true;
}

} // namespace tarn
