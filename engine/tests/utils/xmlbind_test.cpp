// Storing classes in XML files through Serialize and XmlBind.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/testsupport.h"
#include "tarn/utils/cxmlwriter.h"
#include "tarn/utils/point.h"
#include "tarn/utils/rect.h"
#include "tarn/utils/vector2.h"
#include "tarn/utils/xmlbind.h"
#include "tarn/utils/xmlobject.h"

using namespace tarn;

namespace {

using Lines = std::vector<std::string>;

struct CWaypoint
{
    types::point position;
    std::string say;
    bool loud = false;

    void Serialize( CXmlFileSys* filesys )
    {
        XmlBindAttribute( filesys, loud, "loud" );
        XmlBind( filesys, position, "Position" );
        XmlBind( filesys, say, "Say" );
    }
};

// One member of every kind the serialisation knows.
struct CEverything
{
    bool flag = false;
    std::int8_t tiny = 0;
    std::uint8_t byte = 0;
    std::int16_t shortValue = 0;
    std::uint16_t ushortValue = 0;
    std::int32_t number = 0;
    std::uint32_t ticks = 0;
    std::int64_t big = 0;
    std::uint64_t ubig = 0;
    float ratio = 0.0f;
    double precise = 0.0;
    std::string text;
    types::rect area;
    types::point spot;
    types::vector2 speed;
    CWaypoint home;
    std::vector<CWaypoint> path;
    std::vector<int> numbers;

    void Serialize( CXmlFileSys* filesys )
    {
        XmlBind( filesys, flag, "Flag" );
        XmlBind( filesys, tiny, "Tiny" );
        XmlBind( filesys, byte, "Byte" );
        XmlBind( filesys, shortValue, "Short" );
        XmlBind( filesys, ushortValue, "UShort" );
        XmlBind( filesys, number, "Number" );
        XmlBind( filesys, ticks, "Ticks" );
        XmlBind( filesys, big, "Big" );
        XmlBind( filesys, ubig, "UBig" );
        XmlBind( filesys, ratio, "Ratio" );
        XmlBind( filesys, precise, "Precise" );
        XmlBind( filesys, text, "Text" );
        XmlBind( filesys, area, "Area" );
        XmlBind( filesys, spot, "Spot" );
        XmlBind( filesys, speed, "Speed" );
        XmlBind( filesys, home, "Home" );
        XmlBindList( filesys, path, "Path", "Waypoint" );
        XmlBindList( filesys, numbers, "Numbers", "N" );
    }
};

struct CThree
{
    int first = 1;
    int second = 2;
    int third = 3;

    void Serialize( CXmlFileSys* filesys )
    {
        XmlBind( filesys, first, "First" );
        XmlBind( filesys, second, "Second" );
        XmlBind( filesys, third, "Third" );
    }
};

// The warnings carry the line of the XmlBind call; drop that tail.
std::string WithoutLocation( const std::string& line )
{
    return line.substr( 0, line.find( " in file: " ) );
}

} // namespace

TEST( XmlBind, SavesAndLoadsEveryKindOfMember )
{
    test::ResetEngine();
    test::CLogCapture log;
    CEverything saved;
    saved.flag = true;
    saved.tiny = -7;
    saved.byte = 200;
    saved.shortValue = -30000;
    saved.ushortValue = 60000;
    saved.number = -123456;
    saved.ticks = 4000000000u;
    saved.big = -9000000000000LL;
    saved.ubig = 18000000000000000000ULL;
    saved.ratio = 0.25f;
    saved.precise = 3.14159;
    saved.text = "two words & a <tag>";
    saved.area = { -1, 2, 320, 240 };
    saved.spot = { 285, 208 };
    saved.speed = { 1.5f, -0.5f };
    saved.home = { { 7, 8 }, "home", true };
    saved.path = { { { 1, 2 }, "a", false }, { { 3, 4 }, "b", true } };
    saved.numbers = { 5, 6, 7 };

    const std::string file = test::MakeTempDir( "xmlbind" ) + "/everything.xml";
    ASSERT_TRUE( XmlSaveToFile( saved, file, "Everything" ) );
    CEverything loaded;
    loaded.numbers = { 99 };
    ASSERT_TRUE( XmlLoadFromFile( loaded, file ) );

    EXPECT_EQ( loaded.flag, true );
    EXPECT_EQ( loaded.tiny, -7 );
    EXPECT_EQ( loaded.byte, 200 );
    EXPECT_EQ( loaded.shortValue, -30000 );
    EXPECT_EQ( loaded.ushortValue, 60000 );
    EXPECT_EQ( loaded.number, -123456 );
    EXPECT_EQ( loaded.ticks, 4000000000u );
    EXPECT_EQ( loaded.big, -9000000000000LL );
    EXPECT_EQ( loaded.ubig, 18000000000000000000ULL );
    EXPECT_EQ( loaded.ratio, 0.25f );
    EXPECT_EQ( loaded.precise, 3.14159 );
    EXPECT_EQ( loaded.text, "two words & a <tag>" );
    EXPECT_EQ( loaded.area, ( types::rect{ -1, 2, 320, 240 } ) );
    EXPECT_EQ( loaded.spot, ( types::point{ 285, 208 } ) );
    EXPECT_EQ( loaded.speed, ( types::vector2{ 1.5f, -0.5f } ) );
    EXPECT_EQ( loaded.home.position, ( types::point{ 7, 8 } ) );
    EXPECT_EQ( loaded.home.say, "home" );
    EXPECT_TRUE( loaded.home.loud );
    ASSERT_EQ( loaded.path.size(), 2u );
    EXPECT_EQ( loaded.path[ 1 ].position, ( types::point{ 3, 4 } ) );
    EXPECT_EQ( loaded.path[ 1 ].say, "b" );
    EXPECT_TRUE( loaded.path[ 1 ].loud );
    EXPECT_EQ( loaded.numbers, ( std::vector<int>{ 5, 6, 7 } ) );
    // Fields in the order they are bound give no warnings.
    EXPECT_EQ( log.Lines(), Lines{} );
}

TEST( XmlBind, WritesFieldsAsChildElementsAndGeometryAsAttributes )
{
    CWaypoint point{ { 3, -4 }, "Hi there", true };
    CThree three;
    const auto node = XmlSaveObject( point, "Waypoint" );
    const auto threeNode = XmlSaveObject( three, "Three" );
    std::ostringstream text;
    CXmlWriter().Write( node.get(), text );
    CXmlWriter().Write( threeNode.get(), text );
    EXPECT_EQ( text.str(), "<Waypoint loud=\"1\" >\n"
                           "  <Position x=\"3\" y=\"-4\" >\n"
                           "  </Position>\n"
                           "  <Say>\n"
                           "    Hi there\n"
                           "  </Say>\n"
                           "</Waypoint>\n"
                           "<Three>\n"
                           "  <First>\n"
                           "    1\n"
                           "  </First>\n"
                           "  <Second>\n"
                           "    2\n"
                           "  </Second>\n"
                           "  <Third>\n"
                           "    3\n"
                           "  </Third>\n"
                           "</Three>\n" );
}

TEST( XmlBind, MissingKeysAndAttributesKeepTheirValues )
{
    test::ResetEngine();
    test::CLogCapture log;
    CEverything object;
    object.number = 42;
    object.text = "default";
    object.area = { 1, 2, 3, 4 };
    object.path = { CWaypoint{} };
    XmlLoadObject( test::ParseXmlText( "<E><Flag>1</Flag><Area w=\"30\" x=\"10\"/></E>" ).get(), object );

    EXPECT_TRUE( object.flag );
    EXPECT_EQ( object.number, 42 );
    EXPECT_EQ( object.text, "default" );
    EXPECT_EQ( object.area, ( types::rect{ 10, 2, 30, 4 } ) );
    EXPECT_EQ( object.path.size(), 1u );
    EXPECT_EQ( log.Lines(), Lines{} );
    XmlLoadObject( nullptr, object );
    EXPECT_EQ( object.number, 42 );
}

TEST( XmlBind, KeysInReverseOrderLoadWithWarnings )
{
    test::ResetEngine();
    test::CLogCapture log;
    CThree three;
    XmlLoadObject( test::ParseXmlText( "<T><Third>30</Third><Second>20</Second><First>10</First></T>" ).get(), three );
    EXPECT_EQ( three.first, 10 );
    EXPECT_EQ( three.second, 20 );
    EXPECT_EQ( three.third, 30 );

    std::vector<std::string> warnings;
    for( const std::string& line : log.Lines() )
        warnings.push_back( WithoutLocation( line ) );
    const std::string misplaced =
        "Xml warning a child node wasn't in the place it should be, order fucked up in node: T";
    EXPECT_EQ( warnings, ( Lines{ misplaced, "Xml warning, ain't no childs left in the current node: T", misplaced,
                                  misplaced } ) );
    // The location names this test file and the line of the XmlBind call.
    EXPECT_NE( log.Lines()[ 0 ].find( " in file: " ), std::string::npos );
    EXPECT_NE( log.Lines()[ 0 ].find( "xmlbind_test.cpp at line " ), std::string::npos );
}

TEST( XmlBind, AbsentKeysDoNotMoveTheCursor )
{
    test::ResetEngine();
    test::CLogCapture log;
    CThree three;
    XmlLoadObject( test::ParseXmlText( "<T><First>10</First><Third>30</Third><Third>31</Third></T>" ).get(), three );
    EXPECT_EQ( three.first, 10 );
    EXPECT_EQ( three.second, 2 );
    // The cursor stood on the first "Third", which is taken.
    EXPECT_EQ( three.third, 30 );
    EXPECT_EQ( log.Lines(), Lines{} );
}

TEST( XmlBind, UnreadableValuesAreReported )
{
    test::ResetEngine();
    test::CLogCapture log;
    CEverything object;
    object.number = 5;
    object.byte = 1;
    XmlLoadObject( test::ParseXmlText( "<E><Flag>yes</Flag><Byte>300</Byte><Number>abc</Number><Ratio>2.5x</Ratio></E>" ).get(),
                   object );
    // Values are what stream extraction leaves: 0, or the nearest limit.
    EXPECT_FALSE( object.flag );
    EXPECT_EQ( object.byte, 255 );
    EXPECT_EQ( object.number, 0 );
    EXPECT_EQ( object.ratio, 2.5f );

    std::vector<std::string> warnings;
    for( const std::string& line : log.Lines() )
        warnings.push_back( WithoutLocation( line ) );
    EXPECT_EQ( warnings, ( Lines{ "Xml warning, could not read the value \"yes\" of: Flag",
                                  "Xml warning, could not read the value \"300\" of: Byte",
                                  "Xml warning, could not read the value \"abc\" of: Number" } ) );
}

TEST( XmlFileSys, EndingADifferentNodeWarnsAndNeverLeavesTheRoot )
{
    test::ResetEngine();
    test::CLogCapture log;
    CXmlNode root( "Root" );
    CXmlFileSys filesys( &root, CXmlFileSys::WRITING );
    filesys.SetSourceFile( "level.cpp" );
    filesys.SetSourceLine( 12 );
    filesys.StartNode( "Inner" );
    filesys.EndNode( "Other" );
    filesys.EndNode( "Root" );
    filesys.EndNode( "Root" );
    EXPECT_EQ( filesys.GetCurrentNode(), &root );
    EXPECT_EQ( log.Lines(),
               ( Lines{ "Xml warning, trying to end a different node: Other should end: Inner in file: level.cpp at "
                        "line 12" } ) );

    CXmlFileSys reading( &root, CXmlFileSys::READING );
    EXPECT_EQ( reading.StartNode( "New" ), nullptr );
    EXPECT_EQ( root.GetChildCount(), 1u );
}

TEST( XmlFiles, MissingFilesLeaveTheObjectAlone )
{
    CThree three;
    three.first = 11;
    EXPECT_FALSE( XmlLoadFromFile( three, "no/such/file.xml" ) );
    EXPECT_EQ( three.first, 11 );

    test::ResetEngine();
    test::CLogCapture log;
    EXPECT_FALSE( XmlSaveToFile( three, "no/such/dir/file.xml", "Three" ) );
    EXPECT_EQ( log.Lines(), ( Lines{ "Xml error, could not write the file: no/such/dir/file.xml" } ) );
}
