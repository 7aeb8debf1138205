#ifndef TARN_UTILS_CXMLWRITER_H
#define TARN_UTILS_CXMLWRITER_H

#include <ostream>
#include <string>

namespace tarn {

class CXmlNode;

// Prints a tree as indented text that CXmlParser reads back: a start line
// with the sorted attributes, the content on a line of its own, the children,
// an end line; two blanks of indentation per level, no declaration and no
// empty-element tags. Indentation stops growing at MAX_INDENT_LEVELS, so
// the text of a very deep tree stays proportional to its number of elements;
// the tree is walked without recursion, whatever its depth.
class CXmlWriter
{
public:
    static constexpr int MAX_INDENT_LEVELS = 32;

    // Nothing is written for a null root.
    void Write( const CXmlNode* root, std::ostream& stream );

private:
    void WriteStart( const CXmlNode& node, std::ostream& stream );
    void WriteEnd( const CXmlNode& node, std::ostream& stream );
    void Indent( std::ostream& stream ) const;

    int myDepth = 0;
};

// Element text with "&", "<" and ">" written as entities, so that text
// holding them reads back unchanged.
std::string XmlEncodeContent( const std::string& text );

} // namespace tarn

#endif
