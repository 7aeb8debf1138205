// How hand-written data files are cut into elements, text and attributes.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/testsupport.h"
#include "tarn/utils/cxmlhandler.h"
#include "tarn/utils/cxmlparser.h"
#include "tarn/utils/cxmltreebuilder.h"

using namespace tarn;

namespace {

// Writes every event as one short line, e.g. "start a k=1", "text hi", "end a".
class CRecordingHandler final : public CXmlHandler
{
public:
    void StartDocument() override { events.push_back( "document" ); }
    void Characters( const std::string& text ) override { events.push_back( "text " + text ); }
    void StartElement( const std::string& name, const XmlAttributeMap& attributes ) override
    {
        std::string event = "start " + name;
        for( const auto& attribute : attributes )
            event += " " + attribute.first + "=" + attribute.second;
        events.push_back( event );
    }
    void EndElement( const std::string& name ) override { events.push_back( "end " + name ); }
    void EndDocument() override { events.push_back( "done" ); }

    std::vector<std::string> events;
};

std::vector<std::string> Events( const std::string& text )
{
    CRecordingHandler handler;
    CXmlParser parser( handler );
    std::istringstream input( text );
    parser.ParseStream( input );
    return handler.events;
}

using Lines = std::vector<std::string>;

} // namespace

TEST( XmlParser, TextIsTrimmedAndJoinedAcrossLinesWithoutSeparator )
{
    EXPECT_EQ( test::ParseXmlText( "<a>  text  </a>" )->GetContent(), "text" );
    EXPECT_EQ( test::ParseXmlText( "<a>te\nxt</a>" )->GetContent(), "text" );
    EXPECT_EQ( test::ParseXmlText( "<a>\n   Hello   \r\n\tworld\n</a>\n" )->GetContent(), "Helloworld" );
}

TEST( XmlParser, TagsMaySpanLinesAndAreJoinedLikeText )
{
    EXPECT_EQ( Events( "<a\n>x</a\n>" ), ( Lines{ "document", "start a", "text x", "end a", "done" } ) );
    // The second line's leading blanks go, so nothing separates k's value
    // from the next attribute and both end up in one value.
    EXPECT_EQ( Events( "<a k=\"1\"\n   j=\"2\">" ), ( Lines{ "document", "start a k=1\"j=\"2", "done" } ) );
    EXPECT_EQ( Events( "<a k=\"1\" \n   j=\"2\">" ), ( Lines{ "document", "start a k=1\"j=\"2", "done" } ) );
}

TEST( XmlParser, AttributesKeepBlanksInsideQuotesAndTheFirstOfTwoWins )
{
    EXPECT_EQ( Events( "<a k=\"1\" j=\"two words\" >" ), ( Lines{ "document", "start a j=two words k=1", "done" } ) );
    EXPECT_EQ( Events( "<a k=\"1\" k=\"2\" >" ), ( Lines{ "document", "start a k=1", "done" } ) );
    // Blanks around "=" and between attributes do not matter.
    EXPECT_EQ( Events( "<Rect  x = \"1\"\ty=\"2\"   >" ), ( Lines{ "document", "start Rect x=1 y=2", "done" } ) );
    // Values are not decoded and lose just their first and last character.
    EXPECT_EQ( Events( "<a k=\"&amp;\" j='q' i=7>" ), ( Lines{ "document", "start a i= j=q k=&amp;", "done" } ) );
}

TEST( XmlParser, SelfClosingTagsCloseTheirElementAtOnce )
{
    const Lines closedA{ "document", "start a k=1", "end a", "done" };
    EXPECT_EQ( Events( "<b/>" ), ( Lines{ "document", "start b", "end b", "done" } ) );
    EXPECT_EQ( Events( "<b />" ), ( Lines{ "document", "start b", "end b", "done" } ) );
    EXPECT_EQ( Events( "<a k=\"1\"/>" ), closedA );
    EXPECT_EQ( Events( "<a k=\"1\" />" ), closedA );

    const auto root = test::ParseXmlText( "<r><a k=\"1\"/><b/></r>" );
    ASSERT_EQ( root->GetChildCount(), 2u );
    EXPECT_EQ( root->GetChild( 0 )->GetName(), "a" );
    EXPECT_EQ( root->GetChild( 0 )->GetAttribute( "k" ), "1" );
    EXPECT_EQ( root->GetChild( 0 )->GetChildCount(), 0u );
    EXPECT_EQ( root->GetChild( 1 )->GetName(), "b" );
}

TEST( XmlParser, CommentsAndDeclarationsProduceNothing )
{
    EXPECT_EQ( Events( "<!-- note -->" ), ( Lines{ "document", "done" } ) );
    EXPECT_EQ( Events( "<?xml version=\"1.0\"?>\n<!DOCTYPE a>\n<a/>" ),
               ( Lines{ "document", "start a", "end a", "done" } ) );
    EXPECT_EQ( Events( "<!-- one\n two -->" ), ( Lines{ "document", "done" } ) );
    // There is no quoting: the first ">" ends a comment, the rest is text.
    EXPECT_EQ( Events( "<a><!-- x > y --></a>" ), ( Lines{ "document", "start a", "text y -->", "end a", "done" } ) );
}

TEST( XmlParser, EntitiesInTextAreDecodedAndAmpersandsFeedThemselves )
{
    EXPECT_EQ( test::ParseXmlText( "<a>x &amp;lt; y</a>" )->GetContent(), "x &lt; y" );
    EXPECT_EQ( test::ParseXmlText( "<a>&amp;amp;</a>" )->GetContent(), "&" );
    EXPECT_EQ( test::ParseXmlText( "<a>&amp;amp;amp;amp;</a>" )->GetContent(), "&" );
    EXPECT_EQ( test::ParseXmlText( "<a>&quot;a&apos;s&quot; &gt;= &amp;</a>" )->GetContent(), "\"a's\" >= &" );
    EXPECT_EQ( test::ParseXmlText( "<a>&unknown; &</a>" )->GetContent(), "&unknown; &" );
}

TEST( XmlParser, OnlyTheLastTextOfAnElementIsKept )
{
    const auto root = test::ParseXmlText( "<a>first<b>inner</b>last</a>" );
    EXPECT_EQ( root->GetContent(), "last" );
    EXPECT_EQ( root->GetChild( 0 )->GetContent(), "inner" );
}

TEST( XmlParser, EndTagsCloseTheOpenElementWhateverTheirName )
{
    const auto root = test::ParseXmlText( "<a><b></x><c/></a>" );
    ASSERT_EQ( root->GetChildCount(), 2u );
    EXPECT_EQ( root->GetChild( 1 )->GetName(), "c" );
}

TEST( XmlTreeBuilder, IgnoresEverythingOutsideTheRootElement )
{
    test::CLogCapture log;
    const auto root = test::ParseXmlText( "stray text </stray> <a>in</a> after <b><c/></b> </a> <d/>" );
    ASSERT_NE( root, nullptr );
    EXPECT_EQ( root->GetName(), "a" );
    EXPECT_EQ( root->GetContent(), "in" );
    EXPECT_EQ( root->GetChildCount(), 0u );
    EXPECT_EQ( log.Lines(), ( Lines{ "Xml warning, ignoring an element after the root element: b at line 1" } ) );

    EXPECT_EQ( test::ParseXmlText( "" ), nullptr );
    EXPECT_EQ( test::ParseXmlText( "just text" ), nullptr );
    EXPECT_EQ( test::ParseXmlText( "</a></b>" ), nullptr );
}

TEST( XmlTreeBuilder, LimitsTheNestingDepth )
{
    test::CLogCapture log;
    const int depth = CXmlTreeBuilder::MAX_DEPTH + 10;
    std::string text;
    for( int i = 0; i < depth; ++i )
        text += "<n" + std::to_string( i ) + ">";
    text += "deep";
    for( int i = 0; i < depth; ++i )
        text += "</n>";
    text += "<after/>";

    const auto root = test::ParseXmlText( text );
    int levels = 1;
    const CXmlNode* node = root.get();
    for( ; node->GetChildCount() > 0; node = node->GetChild( 0 ) )
        ++levels;
    EXPECT_EQ( levels, CXmlTreeBuilder::MAX_DEPTH );
    EXPECT_EQ( node->GetContent(), "" );
    // The skipped levels' end tags do not close the kept ones, so the root is
    // closed by its own end tag and <after/> is a second top-level element.
    EXPECT_EQ( log.Lines(),
               ( Lines{ "Xml warning, ignoring elements nested deeper than 256 levels, first one: n256 at line 1",
                        "Xml warning, ignoring an element after the root element: after at line 1" } ) );
}

TEST( XmlParser, MissingFilesGiveAnEmptyDocument )
{
    CRecordingHandler handler;
    CXmlParser parser( handler );
    parser.Parse( "no/such/file.xml" );
    EXPECT_EQ( handler.events, ( Lines{ "document", "done" } ) );
    handler.events.clear();
    parser.Parse( "" );
    EXPECT_EQ( handler.events, ( Lines{ "document", "done" } ) );
}
