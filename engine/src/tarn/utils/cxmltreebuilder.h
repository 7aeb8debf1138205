#ifndef TARN_UTILS_CXMLTREEBUILDER_H
#define TARN_UTILS_CXMLTREEBUILDER_H

#include <memory>
#include <string>

#include "tarn/utils/cxmlhandler.h"
#include "tarn/utils/cxmlnode.h"

namespace tarn {

// Builds a CXmlNode tree from parser events. The first element becomes the
// root. Text outside the root, end tags with no open element and any second
// top-level element (with everything inside it) are ignored, and so are
// elements nested deeper than MAX_DEPTH, with one warning in the log naming
// the file and line where the first of them starts.
class CXmlTreeBuilder final : public CXmlHandler
{
public:
    static constexpr int MAX_DEPTH = 256;

    void StartDocument() override;
    void Characters( const std::string& text ) override;
    void StartElement( const std::string& name, const XmlAttributeMap& attributes ) override;
    void EndElement( const std::string& name ) override;
    void EndDocument() override;
    void SetLocation( const CXmlLocation* location ) override { myLocation = location; }

    // The root element, or null when the input had none. Stays owned by the
    // builder until taken.
    CXmlNode* GetRoot() const { return myRoot.get(); }
    std::unique_ptr<CXmlNode> TakeRoot();

private:
    void WarnSkipped( const std::string& name, bool afterRoot );

    // Where the warnings say they were met; "" when not known.
    std::string Where() const { return myLocation ? myLocation->Describe() : std::string(); }

    const CXmlLocation* myLocation = nullptr;
    std::unique_ptr<CXmlNode> myRoot;
    CXmlNode* myCurrent = nullptr;
    int myDepth = 0;
    // Open elements that are being ignored (too deep or after the root).
    int mySkippedDepth = 0;
    bool myWarnedDepth = false;
    bool myWarnedAfterRoot = false;
};

} // namespace tarn

#endif
