#include "tarn/utils/cxmltreebuilder.h"

#include "tarn/utils/clogger.h"

namespace tarn {

void CXmlTreeBuilder::StartDocument()
{
    myRoot.reset();
    myCurrent = nullptr;
    myDepth = 0;
    mySkippedDepth = 0;
    myWarnedDepth = false;
    myWarnedAfterRoot = false;
}

void CXmlTreeBuilder::Characters( const std::string& text )
{
    if( myCurrent && mySkippedDepth == 0 )
        myCurrent->SetContent( text );
}

void CXmlTreeBuilder::StartElement( const std::string& name, const XmlAttributeMap& attributes )
{
    const bool afterRoot = myRoot && !myCurrent;
    if( mySkippedDepth > 0 || afterRoot || myDepth >= MAX_DEPTH )
    {
        if( mySkippedDepth == 0 )
            WarnSkipped( name, afterRoot );
        ++mySkippedDepth;
        return;
    }

    auto node = std::make_unique<CXmlNode>( name );
    for( const auto& attribute : attributes )
        node->AddAttribute( attribute.first, attribute.second );

    if( !myRoot )
    {
        myRoot = std::move( node );
        myCurrent = myRoot.get();
    }
    else
    {
        myCurrent = myCurrent->AddChild( std::move( node ) );
    }
    ++myDepth;
}

// The name is not compared: an end tag closes whatever element is open.
void CXmlTreeBuilder::EndElement( const std::string& )
{
    if( mySkippedDepth > 0 )
    {
        --mySkippedDepth;
        return;
    }
    if( !myCurrent )
        return;
    myCurrent = myCurrent->GetParent();
    --myDepth;
}

// One warning of each kind per document, so a broken file cannot flood the log.
void CXmlTreeBuilder::WarnSkipped( const std::string& name, bool afterRoot )
{
    if( afterRoot && !myWarnedAfterRoot )
    {
        GetLog().Warning() << "Xml warning, ignoring an element after the root element: " << name << Where() << "\n";
        myWarnedAfterRoot = true;
    }
    if( !afterRoot && !myWarnedDepth )
    {
        GetLog().Warning() << "Xml warning, ignoring elements nested deeper than " << MAX_DEPTH
                           << " levels, first one: " << name << Where() << "\n";
        myWarnedDepth = true;
    }
}

void CXmlTreeBuilder::EndDocument()
{
}

std::unique_ptr<CXmlNode> CXmlTreeBuilder::TakeRoot()
{
    myCurrent = nullptr;
    return std::move( myRoot );
}

} // namespace tarn
