#include "tarn/utils/cxmlwriter.h"

#include <string>
#include <utility>
#include <vector>

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
    if( !root )
        return;
    // Each open element with the index of its next child to write.
    std::vector<std::pair<const CXmlNode*, std::size_t>> open;
    WriteStart( *root, stream );
    open.emplace_back( root, 0 );
    while( !open.empty() )
    {
        auto& [ node, next ] = open.back();
        if( next == node->GetChildCount() )
        {
            WriteEnd( *node, stream );
            open.pop_back();
            continue;
        }
        const CXmlNode* child = node->GetChild( next++ );
        WriteStart( *child, stream );
        open.emplace_back( child, 0 );
    }
}

// The start line and the content, one level deeper.
void CXmlWriter::WriteStart( const CXmlNode& node, std::ostream& stream )
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
}

void CXmlWriter::WriteEnd( const CXmlNode& node, std::ostream& stream )
{
    --myDepth;
    Indent( stream );
    stream << "</" << node.GetName() << ">\n";
}

void CXmlWriter::Indent( std::ostream& stream ) const
{
    for( int i = 0; i < myDepth && i < MAX_INDENT_LEVELS; ++i )
        stream << "  ";
}

} // namespace tarn
