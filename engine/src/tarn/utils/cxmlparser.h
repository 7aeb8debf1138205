#ifndef TARN_UTILS_CXMLPARSER_H
#define TARN_UTILS_CXMLPARSER_H

#include <cstddef>
#include <istream>
#include <string>

#include "tarn/utils/cxmlhandler.h"
#include "tarn/utils/cxmlnode.h"

namespace tarn {

// A line-oriented reader of the XML subset that the engine's data files use.
// Each line is trimmed of blanks and tabs and joined to the previous one
// without a separator; "<" and ">" cut it into text runs and tags, with no
// quoting. Tags starting with "!" (comments) or "?" (declarations) are
// skipped. The exact cutting rules are part of the data file format.
// Runs in time linear in the input; never fails, whatever the input.
// Attributes whose name or value is longer than MAX_ATTRIBUTE_LENGTH are
// left out, with an error in the log naming the file and line.
class CXmlParser
{
public:
    static constexpr std::size_t MAX_ATTRIBUTE_LENGTH = 65536;

    explicit CXmlParser( CXmlHandler& handler );

    // StartDocument, the file's events, EndDocument. A file that cannot be
    // opened (or an empty name) gives only StartDocument and EndDocument.
    void Parse( const std::string& fileName );
    // The same for a stream.
    void ParseStream( std::istream& input );

private:
    void Reset( const std::string& fileName );
    void Run( std::istream* input );
    void ParseLines( std::istream& input );
    void HandlePiece( const std::string& line );
    void FlushText();
    void HandleTag();
    void ExtractAttributes( std::string& tagText );
    void AddAttribute( const std::string& name, const std::string& value );

    CXmlHandler& myHandler;
    bool myTrim = true;
    bool myInsideTag = false;
    std::string myText;
    std::string myTag;
    XmlAttributeMap myAttributes;
    CXmlLocation myLocation;
};

} // namespace tarn

#endif
