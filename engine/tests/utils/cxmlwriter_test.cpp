// The exact text the writer produces, and that the parser reads it back.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "support/testsupport.h"
#include "tarn/utils/cxmlnode.h"
#include "tarn/utils/cxmlwriter.h"

using namespace tarn;

namespace {

std::string Written( const CXmlNode* root )
{
    std::ostringstream stream;
    CXmlWriter().Write( root, stream );
    return stream.str();
}

} // namespace

TEST( XmlWriter, WritesContentOnALineOfItsOwn )
{
    CXmlNode a( "a" );
    a.SetContent( "abc" );
    EXPECT_EQ( Written( &a ), "<a>\n  abc\n</a>\n" );
}

TEST( XmlWriter, IndentsChildrenAndSortsAttributes )
{
    CXmlNode level( "Level" );
    CXmlNode* rect = level.AddChild( std::make_unique<CXmlNode>( "ImageRect" ) );
    rect->AddAttribute( "y", "0" );
    rect->AddAttribute( "x", "0" );
    rect->AddAttribute( "w", "32" );
    rect->AddAttribute( "h", "32" );
    CXmlNode* z = level.AddChild( std::make_unique<CXmlNode>( "Z" ) );
    z->SetContent( "100" );
    z->AddChild( std::make_unique<CXmlNode>( "Empty" ) );

    EXPECT_EQ( Written( &level ), "<Level>\n"
                                  "  <ImageRect h=\"32\" w=\"32\" x=\"0\" y=\"0\" >\n"
                                  "  </ImageRect>\n"
                                  "  <Z>\n"
                                  "    100\n"
                                  "    <Empty>\n"
                                  "    </Empty>\n"
                                  "  </Z>\n"
                                  "</Level>\n" );
    EXPECT_EQ( Written( nullptr ), "" );
    EXPECT_EQ( rect->GetAttributeName( 0 ), "h" );
    EXPECT_EQ( rect->GetAttributeValue( 3 ), "0" );
    EXPECT_EQ( rect->GetAttributeName( 4 ), "" );
}

TEST( XmlWriter, WrittenTreesReadBackTheSame )
{
    CXmlNode root( "Script" );
    CXmlNode* line = root.AddChild( std::make_unique<CXmlNode>( "Line" ) );
    line->AddAttribute( "who", "the bad guy" );
    // Text holding markup characters is written with entities.
    line->SetPlainContent( "if a < b & c > d" );

    const std::string text = Written( &root );
    EXPECT_EQ( text, "<Script>\n"
                     "  <Line who=\"the bad guy\" >\n"
                     "    if a &lt; b &amp; c &gt; d\n"
                     "  </Line>\n"
                     "</Script>\n" );
    const auto again = test::ParseXmlText( text );
    ASSERT_EQ( again->GetChildCount(), 1u );
    EXPECT_EQ( again->GetChild( 0 )->GetContent(), "if a < b & c > d" );
    EXPECT_EQ( again->GetChild( 0 )->GetAttribute( "who" ), "the bad guy" );
    EXPECT_EQ( Written( again.get() ), text );
}
