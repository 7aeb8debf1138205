#include "tarn/utils/cxmlnode.h"

#include <iterator>

namespace tarn {

namespace {

// Replaces every occurrence of from (longer than to) in place. After a
// replacement the search resumes at the start of the replacement, so the
// replacement may combine with the following text into another match. The
// text only ever shrinks, so one pass with a read and a write position does
// it in linear time.
void ReplaceFeedingItself( std::string& text, const std::string& from, const std::string& to )
{
    std::string::size_type write = 0;
    std::string::size_type read = 0;
    while( read < text.size() )
    {
        if( text.compare( read, from.size(), from ) == 0 )
        {
            read += from.size() - to.size();
            text.replace( read, to.size(), to );
            continue;
        }
        text[ write++ ] = text[ read++ ];
    }
    text.resize( write );
}

} // namespace

std::string XmlDecodeEntities( const std::string& text )
{
    std::string result( text );
    if( result.find( '&' ) == std::string::npos )
        return result;
    ReplaceFeedingItself( result, "&lt;", "<" );
    ReplaceFeedingItself( result, "&gt;", ">" );
    ReplaceFeedingItself( result, "&amp;", "&" );
    ReplaceFeedingItself( result, "&apos;", "'" );
    ReplaceFeedingItself( result, "&quot;", "\"" );
    return result;
}

CXmlNode::CXmlNode( const std::string& name ) :
    myName( name )
{
}

// Children are released from the deepest level up, without recursion, so
// that even a very deep tree built by hand cannot exhaust the stack.
CXmlNode::~CXmlNode()
{
    std::vector<std::unique_ptr<CXmlNode>> pending = std::move( myChildren );
    while( !pending.empty() )
    {
        std::unique_ptr<CXmlNode> node = std::move( pending.back() );
        pending.pop_back();
        for( auto& child : node->myChildren )
            pending.push_back( std::move( child ) );
        node->myChildren.clear();
    }
}

void CXmlNode::SetContent( const std::string& text )
{
    myContent = XmlDecodeEntities( text );
}

CXmlNode* CXmlNode::GetChild( std::size_t i ) const
{
    return i < myChildren.size() ? myChildren[ i ].get() : nullptr;
}

CXmlNode* CXmlNode::AddChild( std::unique_ptr<CXmlNode> child )
{
    if( !child )
        return nullptr;
    child->myParent = this;
    myChildren.push_back( std::move( child ) );
    return myChildren.back().get();
}

std::string CXmlNode::GetAttributeName( std::size_t i ) const
{
    return i < myAttributes.size() ? std::next( myAttributes.begin(), i )->first : std::string();
}

std::string CXmlNode::GetAttributeValue( std::size_t i ) const
{
    return i < myAttributes.size() ? std::next( myAttributes.begin(), i )->second : std::string();
}

bool CXmlNode::HasAttribute( const std::string& name ) const
{
    return myAttributes.find( name ) != myAttributes.end();
}

std::string CXmlNode::GetAttribute( const std::string& name ) const
{
    const auto found = myAttributes.find( name );
    return found == myAttributes.end() ? std::string() : found->second;
}

void CXmlNode::AddAttribute( const std::string& name, const std::string& value )
{
    myAttributes.emplace( name, value );
}

} // namespace tarn
