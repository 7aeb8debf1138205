#include "tarn/utils/cxmlwriter.h"

#include <string>

#include "tarn/utils/cxmlnode.h"

namespace tarn {

std::string XmlEncodeContent( const std::string& text )
{
    std::string result;
    result.reserve( text.size() );
    for( const char c : text )
    {
        switch( c )
        {
        case '&': result += "&amp;"; break;
        case '<': result += "&lt;"; break;
        case '>': result += "&gt;"; break;
        default: result += c; break;
        }
    }
    return result;
}

void CXmlWriter::Write( const CXmlNode* root, std::ostream& stream )
{
    myDepth = 0;
    if( root )
        WriteNode( *root, stream );
}

void CXmlWriter::WriteNode( const CXmlNode& node, std::ostream& stream )
{
    Indent( stream );
    stream << "<" << node.GetName();
    if( node.GetAttributeCount() > 0 )
    {
        stream << " ";
        for( const auto& attribute : node.GetAttributes() )
            stream << attribute.first << "=\"" << attribute.second << "\" ";
    }
    stream << ">\n";
    ++myDepth;

    if( !node.GetContent().empty() )
    {
        Indent( stream );
        stream << XmlEncodeContent( node.GetContent() ) << "\n";
    }
    for( std::size_t i = 0; i < node.GetChildCount(); ++i )
        WriteNode( *node.GetChild( i ), stream );

    --myDepth;
    Indent( stream );
    stream << "</" << node.GetName() << ">\n";
}

void CXmlWriter::Indent( std::ostream& stream ) const
{
    for( int i = 0; i < myDepth; ++i )
        stream << "  ";
}

} // namespace tarn
