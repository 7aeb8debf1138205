#ifndef TARN_UTILS_CXMLHANDLER_H
#define TARN_UTILS_CXMLHANDLER_H

#include <string>

#include "tarn/utils/cxmlnode.h"

namespace tarn {

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
};

} // namespace tarn

#endif
