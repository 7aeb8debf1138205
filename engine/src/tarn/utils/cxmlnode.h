#ifndef TARN_UTILS_CXMLNODE_H
#define TARN_UTILS_CXMLNODE_H

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tarn {

// Attributes of one element, sorted by name (byte order), values as text.
using XmlAttributeMap = std::map<std::string, std::string>;

// One element of an XML document: a name, one text content, attributes and
// the child elements it owns in document order.
class CXmlNode
{
public:
    explicit CXmlNode( const std::string& name = "" );
    ~CXmlNode();

    CXmlNode( const CXmlNode& ) = delete;
    CXmlNode& operator=( const CXmlNode& ) = delete;

    const std::string& GetName() const { return myName; }
    void SetName( const std::string& name ) { myName = name; }

    const std::string& GetContent() const { return myContent; }
    // Stores the text; entities (&lt; &gt; &amp; &apos; &quot;) are decoded.
    void SetContent( const std::string& text );
    // Stores the text as it is (for values written by the program).
    void SetPlainContent( const std::string& text ) { myContent = text; }

    CXmlNode* GetParent() const { return myParent; }

    std::size_t GetChildCount() const { return myChildren.size(); }
    // Null for an index past the end.
    CXmlNode* GetChild( std::size_t i ) const;
    // Takes ownership and becomes the child's parent; returns the child.
    CXmlNode* AddChild( std::unique_ptr<CXmlNode> child );

    std::size_t GetAttributeCount() const { return myAttributes.size(); }
    const XmlAttributeMap& GetAttributes() const { return myAttributes; }
    // The i-th attribute in name order; "" for an index past the end.
    std::string GetAttributeName( std::size_t i ) const;
    std::string GetAttributeValue( std::size_t i ) const;
    bool HasAttribute( const std::string& name ) const;
    // "" when there is no such attribute.
    std::string GetAttribute( const std::string& name ) const;
    // Adds the pair unless the name is present: the first value wins.
    void AddAttribute( const std::string& name, const std::string& value );

private:
    CXmlNode* myParent = nullptr;
    std::string myName;
    std::string myContent;
    std::vector<std::unique_ptr<CXmlNode>> myChildren;
    XmlAttributeMap myAttributes;
};

// The five XML entities of element text decoded. Each replacement goes on
// searching where the replaced text began, so "&amp;amp;" becomes "&".
std::string XmlDecodeEntities( const std::string& text );

} // namespace tarn

#endif
