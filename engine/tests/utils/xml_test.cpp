// XML data files as the reader cuts them up and the writer makes them, their
// limits, classes stored through XmlBind, and the fuzz target's inputs.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "support/fuzzreplay.h"
#include "support/testsupport.h"
#include "tarn/utils/cxmlhandler.h"
#include "utils/fuzzinputs.h"

using namespace tarn;
using test::CEveryKind;
using test::CWaypoint;
using Lines = std::vector<std::string>;
using Cases = std::vector<std::pair<std::string, std::string>>;

namespace {

// The parser's events in one line: "{" and "}" for the document, "<a k=1>"
// and "</a>" for elements, 'x' for text.
class CRecordingHandler final : public CXmlHandler
{
public:
    void StartDocument() override { events += "{"; }
    void Characters( const std::string& text ) override { events += "'" + text + "'"; }
    void StartElement( const std::string& name, const XmlAttributeMap& attributes ) override
    {
        events += "<" + name;
        for( const auto& attribute : attributes )
            events += " " + attribute.first + "=" + attribute.second;
        events += ">";
    }
    void EndElement( const std::string& name ) override { events += "</" + name + ">"; }
    void EndDocument() override { events += "}"; }
    std::string events;
};

std::string Written( const CXmlNode* root )
{
    std::ostringstream stream;
    CXmlWriter().Write( root, stream );
    return stream.str();
}

// The levels down the first children, and the text of the deepest.
std::pair<int, std::string> Depth( const CXmlNode* node )
{
    int depth = 0;
    for( ; node && node->GetChildCount() > 0; node = node->GetChild( 0 ) )
        ++depth;
    return { node ? depth + 1 : 0, node ? node->GetContent() : "" };
}

auto Values( const CWaypoint& w )
{
    return std::tie( w.position, w.say, w.loud );
}

class XmlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        log = std::make_unique<test::CLogCapture>();
    }
    void TearDown() override { log.reset(); }

    // The log without the " in file: <source> at line <n>" of each warning.
    Lines Warnings() const
    {
        Lines cut;
        for( const std::string& line : log->Lines() )
            cut.push_back( line.substr( 0, line.find( " in file: " ) ) );
        return cut;
    }

    std::unique_ptr<test::CLogCapture> log;
};

} // namespace

TEST_F( XmlTest, TheParserCutsLinesIntoTextTagsAndAttributes )
{
    const Cases cases = {
        // Text is trimmed, and lines are joined without a separator.
        { "<a>  text  </a>", "{<a>'text'</a>}" }, { "<a>te\nxt</a>", "{<a>'text'</a>}" },
        { "<a>\n   Hello   \r\n\tworld\n</a>\n", "{<a>'Helloworld'</a>}" },
        // So are tags: nothing is left between k's value and the next
        // attribute, and both end up in one value.
        { "<a\n>x</a\n>", "{<a>'x'</a>}" }, { "<a k=\"1\"\n   j=\"2\">", "{<a k=1\"j=\"2>}" },
        { "<a k=\"1\" \n   j=\"2\">", "{<a k=1\"j=\"2>}" },
        // Blanks inside quotes stay; the first of two values wins.
        { "<a k=\"1\" j=\"two words\" >", "{<a j=two words k=1>}" },
        { "<a k=\"1\" k=\"2\" >", "{<a k=1>}" }, { "<Rect  x = \"1\"\ty=\"2\"   >", "{<Rect x=1 y=2>}" },
        // Values are not decoded and lose just their first and last character.
        { "<a k=\"&amp;\" j='q' i=7>", "{<a i= j=q k=&amp;>}" }, { "<b/>", "{<b></b>}" }, { "<b />", "{<b></b>}" },
        { "<a k=\"1\"/>", "{<a k=1></a>}" }, { "<a k=\"1\" />", "{<a k=1></a>}" },
        { "<!-- note -->", "{}" }, { "<!-- one\n two -->", "{}" },
        { "<?xml version=\"1.0\"?>\n<!DOCTYPE a>\n<a/>", "{<a></a>}" },
        // There is no quoting: the first ">" ends a comment, the rest is text.
        { "<a><!-- x > y --></a>", "{<a>'y -->'</a>}" },
    };
    for( const auto& [ text, events ] : cases )
    {
        CRecordingHandler handler;
        std::istringstream input( text );
        CXmlParser( handler ).ParseStream( input );
        EXPECT_EQ( handler.events, events ) << text;
    }
    for( const char* file : { "no/such/file.xml", "" } )
    {
        CRecordingHandler handler;
        CXmlParser( handler ).Parse( file );
        EXPECT_EQ( handler.events, "{}" );
    }
}

TEST_F( XmlTest, TheTreeKeepsTheRootElementAndTheLastTextOfEachWithEntitiesDecoded )
{
    const Cases cases = {
        { "<a>x &amp;lt; y</a>", "x &lt; y" }, { "<a>&amp;amp;</a>", "&" }, { "<a>&amp;amp;amp;amp;</a>", "&" },
        { "<a>&quot;a&apos;s&quot; &gt;= &amp;</a>", "\"a's\" >= &" }, { "<a>&unknown; &</a>", "&unknown; &" },
        { "<a>first<b>inner</b>last</a>", "last" },
    };
    for( const auto& [ text, content ] : cases )
        EXPECT_EQ( test::ParseXmlText( text )->GetContent(), content ) << text;
    // End tags close the open element whatever their name.
    EXPECT_EQ( Written( test::ParseXmlText( "<r><a k=\"1\"/><b></x><c/></r>" ).get() ),
               "<r>\n  <a k=\"1\" >\n  </a>\n  <b>\n  </b>\n  <c>\n  </c>\n</r>\n" );
    EXPECT_EQ( log->Lines(), Lines{} );
    EXPECT_EQ( Written( test::ParseXmlText( "stray text </stray> <a>in</a> after <b><c/></b> </a> <d/>" ).get() ),
               "<a>\n  in\n</a>\n" );
    EXPECT_EQ( log->Lines(), ( Lines{ "Xml warning, ignoring an element after the root element: b at line 1" } ) );
    for( const char* text : { "", "just text", "</a></b>" } )
        EXPECT_EQ( test::ParseXmlText( text ), nullptr ) << text;
}

TEST_F( XmlTest, TheWriterIndentsChildrenSortsAttributesAndReadsBackTheSame )
{
    const auto parsed = test::ParseXmlText( "<Level><ImageRect y=\"0\" x=\"0\" w=\"32\" h=\"32\"/><Z>100<Empty/></Z>"
                                            "<Line who=\"the bad guy\">if a &lt; b &amp; c &gt; d</Line></Level>" );
    const std::string text = Written( parsed.get() );
    EXPECT_EQ( text, "<Level>\n  <ImageRect h=\"32\" w=\"32\" x=\"0\" y=\"0\" >\n  </ImageRect>\n"
                     "  <Z>\n    100\n    <Empty>\n    </Empty>\n  </Z>\n"
                     "  <Line who=\"the bad guy\" >\n    if a &lt; b &amp; c &gt; d\n  </Line>\n</Level>\n" );
    const auto again = test::ParseXmlText( text );
    EXPECT_EQ( Written( again.get() ), text );
    EXPECT_EQ( Written( nullptr ), "" );
}

TEST_F( XmlTest, ElementsDeeperThanTheLimitAreLeftOutWithTheFileAndLineLogged )
{
    const std::string file = test::MakeTempDir( "xml_depth" ) + "/deep.xml";
    const int limit = CXmlTreeBuilder::MAX_DEPTH;
    for( const int depth : { limit, limit + 1 } )
    {
        SCOPED_TRACE( depth );
        std::string text;
        for( int i = 0; i < depth; ++i )
            text += "<n" + std::to_string( i ) + ">\n";
        text += "deep";
        for( int i = 0; i < depth; ++i )
            text += "</n>";
        test::WriteFile( file, text + "<after/>\n" );
        log = std::make_unique<test::CLogCapture>();
        const std::string deepest = depth > limit ? "" : "deep";
        EXPECT_EQ( Depth( XmlParseFile( file ).get() ), std::make_pair( limit, deepest ) );
        // The left-out levels' end tags do not close the kept ones: the root
        // is closed by its own, and <after/> comes after it.
        Lines expected{ "Xml warning, ignoring an element after the root element: after in file " + file +
                        " at line " + std::to_string( depth + 1 ) };
        if( depth > limit )
            expected.insert( expected.begin(), "Xml warning, ignoring elements nested deeper than 256 levels, "
                                                "first one: n256 in file " + file + " at line 257" );
        EXPECT_EQ( log->Lines(), expected );
    }
    // A tree far deeper than any file gives is freed and written without
    // running the stack out.
    const int far = 100000;
    auto root = std::make_unique<CXmlNode>( "n" );
    CXmlNode* last = root.get();
    for( int i = 1; i < far; ++i )
        last = last->AddChild( std::make_unique<CXmlNode>( "n" ) );
    const std::string text = Written( root.get() );
    // Indentation stops growing, so the text grows with the element count.
    const std::string indent( 2 * CXmlWriter::MAX_INDENT_LEVELS, ' ' );
    EXPECT_LE( text.size(), static_cast<std::size_t>( far ) * 2 * ( indent.size() + 5 ) );
    EXPECT_NE( text.find( "\n" + indent + "<n>\n" ), std::string::npos );
    EXPECT_EQ( Depth( test::ParseXmlText( text ).get() ).first, CXmlTreeBuilder::MAX_DEPTH );
}

TEST_F( XmlTest, AttributesLongerThanTheLimitAreLeftOutWithTheFileAndLineLogged )
{
    const std::string file = test::MakeTempDir( "xml_attribute" ) + "/long.xml";
    const std::size_t limit = CXmlParser::MAX_ATTRIBUTE_LENGTH;
    for( const std::size_t length : { limit, limit + 1 } )
    {
        SCOPED_TRACE( length );
        const std::string value( length, 'v' );
        test::WriteFile( file, "<Level>\n<Image file=\"" + value + "\" x=\"1\"/>\n</Level>\n" );
        log = std::make_unique<test::CLogCapture>();
        const std::string kept = length == limit ? "file=\"" + value + "\" " : "";
        EXPECT_EQ( Written( XmlParseFile( file ).get() ),
                   "<Level>\n  <Image " + kept + "x=\"1\" >\n  </Image>\n</Level>\n" );
        EXPECT_EQ( log->Lines(), length == limit ? Lines{}
                                                 : Lines{ "Xml error, attribute longer than 65536 characters left out: "
                                                          "file (name 4, value 65537 characters) in file " + file +
                                                          " at line 2" } );
    }
    // A name as long is refused the same way.
    log = std::make_unique<test::CLogCapture>();
    const auto root = test::ParseXmlText( "<a " + std::string( limit + 1, 'k' ) + "=\"1\" b=\"2\"/>" );
    EXPECT_EQ( std::make_tuple( root->GetAttributeCount(), log->Lines().size() ), std::make_tuple( 1u, 1u ) );
}

// Inputs that once broke the fuzz target, and ones far larger than it tries,
// which would take minutes with a parser quadratic in a tag or a text.
TEST_F( XmlTest, FuzzInputsReplayCleanlyAndHugeOnesTakeLinearTime )
{
    EXPECT_GT( test::ReplayFuzzInputs( "utils", "xml", &test::FuzzXmlInput ), 0 );
    const int many = 200000;
    const std::string inputs[] = { "<a " + test::Repeated( "k=\"v\" ", many ) + ">",
                                   "<a " + std::string( many, '=' ) + ">",
                                   "<a>" + test::Repeated( "&amp;amp;", many ) + "</a>",
                                   test::Repeated( "<a>", many ) };
    for( const std::string& input : inputs )
        EXPECT_LT( test::SecondsFor( &test::FuzzXmlInput, input ), 5.0 ) << input.substr( 0, 12 );
}

TEST_F( XmlTest, EveryKindOfMemberIsStoredAndWhatIsMissingOrUnreadableIsKeptOrReported )
{
    CEveryKind saved{ true, -7, 200, -123456, 0.25f, "two words & a <tag>", { -1, 2, 320, 240 }, { 1.5f, -0.5f },
                      { { 7, 8 }, "home", true }, { { { 1, 2 }, "a", false }, { { 3, 4 }, "b", true } }, { 5, 6, 7 } };
    const std::string file = test::MakeTempDir( "xmlbind" ) + "/everything.xml";
    ASSERT_TRUE( XmlSaveToFile( saved, file, "Everything" ) );
    CEveryKind loaded;
    loaded.numbers = { 99 };
    ASSERT_TRUE( XmlLoadFromFile( loaded, file ) );
    const auto values = []( const CEveryKind& e ) {
        return std::make_tuple( e.flag, e.tiny, e.byte, e.number, e.ratio, e.text, e.area, e.speed, Values( e.home ),
                                e.numbers );
    };
    EXPECT_EQ( values( loaded ), values( saved ) );
    ASSERT_EQ( loaded.path.size(), 2u );
    EXPECT_EQ( Values( loaded.path[ 1 ] ), Values( saved.path[ 1 ] ) );
    // Fields in the order they are bound give no warnings.
    EXPECT_EQ( log->Lines(), Lines{} );
    CWaypoint point{ { 3, -4 }, "Hi there", true };
    EXPECT_EQ( Written( XmlSaveObject( point, "Waypoint" ).get() ),
               "<Waypoint loud=\"1\" >\n  <Position x=\"3\" y=\"-4\" >\n  </Position>\n"
               "  <Say>\n    Hi there\n  </Say>\n</Waypoint>\n" );
    // Missing keys and files change nothing.
    CEveryKind object;
    object.number = 42;
    object.text = "default";
    object.area = { 1, 2, 3, 4 };
    object.path = { CWaypoint{} };
    XmlLoadObject( test::ParseXmlText( "<E><Flag>1</Flag><Area w=\"30\" x=\"10\"/></E>" ).get(), object );
    XmlLoadObject( nullptr, object );
    EXPECT_EQ( std::tie( object.flag, object.number, object.text, object.area ),
               std::make_tuple( true, 42, "default", types::rect{ 10, 2, 30, 4 } ) );
    EXPECT_EQ( object.path.size(), 1u );
    EXPECT_EQ( log->Lines(), Lines{} );
    EXPECT_FALSE( XmlLoadFromFile( object, "no/such/file.xml" ) );
    EXPECT_EQ( object.text, "default" );
    EXPECT_FALSE( XmlSaveToFile( object, "no/such/dir/file.xml", "E" ) );
    EXPECT_EQ( log->Lines(), ( Lines{ "Xml error, could not write the file: no/such/dir/file.xml" } ) );
    log = std::make_unique<test::CLogCapture>();
    // Values are what stream extraction leaves: 0, or the nearest limit.
    XmlLoadObject(
        test::ParseXmlText( "<E><Flag>yes</Flag><Byte>300</Byte><Number>abc</Number><Ratio>2.5x</Ratio></E>" ).get(),
        object );
    EXPECT_EQ( std::tie( object.flag, object.byte, object.number, object.ratio ),
               std::make_tuple( false, 255, 0, 2.5f ) );
    EXPECT_EQ( Warnings(), ( Lines{ "Xml warning, could not read the value \"yes\" of: Flag",
                                    "Xml warning, could not read the value \"300\" of: Byte",
                                    "Xml warning, could not read the value \"abc\" of: Number" } ) );
}

TEST_F( XmlTest, KeysOutOfOrderLoadWithWarningsAndAbsentKeysAreSkipped )
{
    CWaypoint point;
    XmlLoadObject( test::ParseXmlText( "<W><Say>hi</Say><Position x=\"1\" y=\"2\"/></W>" ).get(), point );
    EXPECT_EQ( Values( point ), std::make_tuple( types::point{ 1, 2 }, "hi", false ) );
    const std::string misplaced =
        "Xml warning a child node wasn't in the place it should be, order fucked up in node: W";
    EXPECT_EQ( Warnings(),
               ( Lines{ misplaced, "Xml warning, ain't no childs left in the current node: W", misplaced } ) );
    // Each warning names the file and line of the XmlBind call.
    for( const std::string& line : log->Lines() )
        EXPECT_NE( line.find( "fuzzinputs.h at line " ), std::string::npos ) << line;
    // The absent Position does not move the cursor off the first Say.
    CWaypoint skipped;
    log = std::make_unique<test::CLogCapture>();
    XmlLoadObject( test::ParseXmlText( "<W><Say>a</Say><Say>b</Say></W>" ).get(), skipped );
    EXPECT_EQ( skipped.say, "a" );
    EXPECT_EQ( log->Lines(), Lines{} );
    // Ending a node other than the open one warns, and never leaves the root.
    CXmlNode root( "Root" );
    CXmlFileSys filesys( &root, CXmlFileSys::WRITING );
    filesys.SetSourceFile( "level.cpp" );
    filesys.SetSourceLine( 12 );
    filesys.StartNode( "Inner" );
    filesys.EndNode( "Other" );
    filesys.EndNode( "Root" );
    filesys.EndNode( "Root" );
    EXPECT_EQ( filesys.GetCurrentNode(), &root );
    EXPECT_EQ( log->Lines(), ( Lines{ "Xml warning, trying to end a different node: Other should end: Inner in file: "
                                      "level.cpp at line 12" } ) );
    EXPECT_EQ( CXmlFileSys( &root, CXmlFileSys::READING ).StartNode( "New" ), nullptr );
    EXPECT_EQ( root.GetChildCount(), 1u );
}
