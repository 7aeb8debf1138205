// How far a data file can go before the XML reader refuses part of it:
// nesting depth and attribute length, each at the limit, one past it and far
// past it, and trees far deeper than any file gives, freed and written out
// without running the stack out.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/testsupport.h"
#include "tarn/utils/cxmlnode.h"
#include "tarn/utils/cxmlparser.h"
#include "tarn/utils/cxmltreebuilder.h"
#include "tarn/utils/cxmlwriter.h"
#include "tarn/utils/xmlobject.h"

using namespace tarn;
using Lines = std::vector<std::string>;

namespace {

constexpr int FAR_PAST = 100000;

// depth elements inside each other, each start tag on a line of its own.
std::string Nested( int depth )
{
    std::string text;
    for( int i = 0; i < depth; ++i )
        text += "<n" + std::to_string( i ) + ">\n";
    for( int i = 0; i < depth; ++i )
        text += "</n>";
    return text + "\n";
}

int Depth( const CXmlNode* node )
{
    int depth = 0;
    for( ; node; node = node->GetChild( 0 ) )
        ++depth;
    return depth;
}

// A chain of depth elements built by hand, which no file can give.
std::unique_ptr<CXmlNode> Chain( int depth )
{
    auto root = std::make_unique<CXmlNode>( "n" );
    CXmlNode* last = root.get();
    for( int i = 1; i < depth; ++i )
        last = last->AddChild( std::make_unique<CXmlNode>( "n" ) );
    return root;
}

} // namespace

TEST( XmlLimits, ElementsDeeperThanTheLimitAreLeftOutWithTheFileAndLineLogged )
{
    test::ResetEngine();
    const std::string file = test::MakeTempDir( "xml_depth" ) + "/deep.xml";
    const int limit = CXmlTreeBuilder::MAX_DEPTH;
    for( const int depth : { limit, limit + 1, FAR_PAST } )
    {
        SCOPED_TRACE( depth );
        test::WriteFile( file, Nested( depth ) );
        test::CLogCapture log;
        const auto root = XmlParseFile( file );
        EXPECT_EQ( Depth( root.get() ), limit );
        const Lines expected = depth == limit ? Lines{}
                                              : Lines{ "Xml warning, ignoring elements nested deeper than 256 levels, "
                                                       "first one: n256 in file " + file + " at line 257" };
        EXPECT_EQ( log.Lines(), expected );
    }
}

TEST( XmlLimits, TreesFarDeeperThanAnyFileAreFreedAndWrittenWithoutRecursion )
{
    test::ResetEngine();
    test::CLogCapture log;
    const auto root = Chain( FAR_PAST );
    std::ostringstream text;
    CXmlWriter().Write( root.get(), text );

    // Indentation stops growing, so the text grows with the element count:
    // a start and an end line for each.
    const std::string indent( 2 * CXmlWriter::MAX_INDENT_LEVELS, ' ' );
    EXPECT_LE( text.str().size(), static_cast<std::size_t>( FAR_PAST ) * 2 * ( indent.size() + 5 ) );
    EXPECT_NE( text.str().find( "\n" + indent + "<n>\n" ), std::string::npos );
    EXPECT_EQ( text.str().find( "\n" + indent + "  <n>" ), std::string::npos );
    // Read back, it stops at the reader's depth.
    EXPECT_EQ( Depth( test::ParseXmlText( text.str() ).get() ), CXmlTreeBuilder::MAX_DEPTH );
}

TEST( XmlLimits, AttributesLongerThanTheLimitAreLeftOutWithTheFileAndLineLogged )
{
    test::ResetEngine();
    const std::string file = test::MakeTempDir( "xml_attribute" ) + "/long.xml";
    const std::size_t limit = CXmlParser::MAX_ATTRIBUTE_LENGTH;
    for( const std::size_t length : { limit, limit + 1, 100 * limit } )
    {
        SCOPED_TRACE( length );
        const std::string value( length, 'v' );
        test::WriteFile( file, "<Level>\n<Image file=\"" + value + "\" x=\"1\"/>\n</Level>\n" );
        test::CLogCapture log;
        const auto root = XmlParseFile( file );
        ASSERT_NE( root, nullptr );
        const CXmlNode* image = root->GetChild( 0 );
        ASSERT_NE( image, nullptr );
        EXPECT_EQ( image->GetAttribute( "x" ), "1" ) << "the other attributes stay";
        if( length == limit )
        {
            EXPECT_EQ( image->GetAttribute( "file" ), value );
            EXPECT_TRUE( log.Lines().empty() );
            continue;
        }
        EXPECT_FALSE( image->HasAttribute( "file" ) );
        EXPECT_EQ( log.Lines(), ( Lines{ "Xml error, attribute longer than 65536 characters left out: file (name 4, value "
                                         + std::to_string( length ) + " characters) in file " + file + " at line 2" } ) );
    }

    // A name as long is refused the same way.
    test::CLogCapture log;
    const auto root = test::ParseXmlText( "<a " + std::string( limit + 1, 'k' ) + "=\"1\" b=\"2\"/>" );
    EXPECT_EQ( root->GetAttributeCount(), 1u );
    EXPECT_EQ( log.Lines().size(), 1u );
}
