#ifndef TARN_UTILS_CXMLWRITER_H
#define TARN_UTILS_CXMLWRITER_H

#include <ostream>
#include <string>

namespace tarn {

class CXmlNode;

// Prints a tree as indented text that CXmlParser reads back: a start line
// with the sorted attributes, the content on a line of its own, the children,
// an end line; two blanks of indentation per level, no declaration and no
// empty-element tags.
class CXmlWriter
{
public:
    // Nothing is written for a null root.
    void Write( const CXmlNode* root, std::ostream& stream );

private:
    void WriteNode( const CXmlNode& node, std::ostream& stream );
    void Indent( std::ostream& stream ) const;

    int myDepth = 0;
};

// Element text with "&", "<" and ">" written as entities, so that text
// holding them reads back unchanged.
std::string XmlEncodeContent( const std::string& text );

} // namespace tarn

#endif
