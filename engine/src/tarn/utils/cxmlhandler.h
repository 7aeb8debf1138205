#ifndef TARN_UTILS_CXMLHANDLER_H
#define TARN_UTILS_CXMLHANDLER_H

#include <string>

#include "tarn/utils/cxmlnode.h"

namespace tarn {

// Where the parser is in its input, for messages about what it refuses.
struct CXmlLocation
{
    // "" when parsing a stream.
    std::string file;
    int line = 0;

    // " in file F at line N", or " at line N" for a stream.
    std::string Describe() const
    {
        return ( file.empty() ? std::string() : " in file " + file ) + " at line " + std::to_string( line );
    }
};

// Receives the events of CXmlParser: StartDocument once, then any number of
// Characters, StartElement and EndElement, then EndDocument once.
class CXmlHandler
{
public:
    virtual ~CXmlHandler() = default;

    virtual void StartDocument() = 0;
    // One run of text between two tags, trimmed of blanks and tabs.
    virtual void Characters( const std::string& text ) = 0;
    virtual void StartElement( const std::string& name, const XmlAttributeMap& attributes ) = 0;
    virtual void EndElement( const std::string& name ) = 0;
    virtual void EndDocument() = 0;
    // The parser's position, valid from StartDocument to EndDocument; the
    // parser sets it before StartDocument and clears it (null) after.
    virtual void SetLocation( const CXmlLocation* location ) { (void)location; }
};

} // namespace tarn

#endif
