// Sprites made from images and description files, and saved back.
#include <gtest/gtest.h>

#include <memory>

#include "support/spritescene.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/csprite.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/csurface.h"
#include "tarn/utils/cxmlnode.h"
#include "tarn/utils/xmlobject.h"

using namespace tarn;

namespace {

const CXmlNode* ChildNamed( const CXmlNode& node, const std::string& name )
{
    for( std::size_t i = 0; i < node.GetChildCount(); ++i )
    {
        if( node.GetChild( i )->GetName() == name )
            return node.GetChild( i );
    }
    return nullptr;
}

bool HasChildNamed( const CXmlNode& node, const std::string& name )
{
    return ChildNamed( node, name ) != nullptr;
}

class SpriteFactoryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        scene = std::make_unique<test::CSpriteScene>( 64, 64, "factory" );
        image = scene->MakeImage( "box", 12, 8, CColor( 10, 200, 30 ) );
    }
    void TearDown() override
    {
        scene.reset();
        test::ResetEngine();
    }

    std::string Describe( const std::string& name, const std::string& body )
    {
        const std::string path = scene->GetDir() + "/" + name;
        test::WriteFile( path, body );
        return path;
    }

    bool InScreenLayer( const CSprite* sprite ) const
    {
        for( const CSprite* child : CScreenLayer::GetSingletonPtr()->GetChildren() )
        {
            if( child == sprite )
                return true;
        }
        return false;
    }

    std::unique_ptr<test::CSpriteScene> scene;
    std::string image;
};

} // namespace

TEST_F( SpriteFactoryTest, ImageFileMakesASpriteOfTheImagesSize )
{
    std::unique_ptr<CSprite> sprite = CSpriteFactory::LoadSprite( image );
    EXPECT_EQ( sprite->GetType(), CSprite::KIND_BASE );
    EXPECT_EQ( sprite->GetRect(), ( types::rect{ 0, 0, 12, 8 } ) );
    EXPECT_EQ( sprite->GetFileName(), image );
    EXPECT_TRUE( InScreenLayer( sprite.get() ) );
}

TEST_F( SpriteFactoryTest, DescriptionFileSetsEveryBaseKey )
{
    const std::string file = Describe( "door.xml", "<Sprite type=\"sprite_base\">\n"
                                                   "  <ImageFilename>" + image + "</ImageFilename>\n"
                                                   "  <BackgroundUsage>0</BackgroundUsage>\n"
                                                   "  <ScrollRect x=\"1\" y=\"2\" w=\"30\" h=\"40\"/>\n"
                                                   "  <ImageRect x=\"5\" y=\"6\" w=\"12\" h=\"8\"/>\n"
                                                   "  <Z>42</Z>\n"
                                                   "  <Alpha>300</Alpha>\n"
                                                   "</Sprite>\n" );
    std::unique_ptr<CSprite> sprite = CSpriteFactory::LoadSprite( file );
    EXPECT_FALSE( sprite->IsEmpty() );
    EXPECT_FALSE( sprite->UsesBackground() );
    EXPECT_EQ( sprite->GetScrollRect(), ( types::rect{ 1, 2, 30, 40 } ) );
    EXPECT_EQ( sprite->GetRect(), ( types::rect{ 5, 6, 12, 8 } ) );
    EXPECT_EQ( sprite->GetZ(), 42 );
    EXPECT_EQ( sprite->GetAlpha(), 255 );
    EXPECT_EQ( sprite->GetFileName(), file );

    const std::string faded = Describe( "faded.xml", "<s><ImageFilename>" + image +
                                                         "</ImageFilename><Alpha>-5</Alpha></s>\n" );
    EXPECT_EQ( CSpriteFactory::LoadSprite( faded )->GetAlpha(), 0 );
}

TEST_F( SpriteFactoryTest, SizeComesFromImageRectNotFromTheImage )
{
    const std::string file = Describe( "nosize.xml", "<s type=\"sprite_base\"><ImageFilename>" + image +
                                                         "</ImageFilename></s>\n" );
    std::unique_ptr<CSprite> sprite = CSpriteFactory::LoadSprite( file );
    EXPECT_EQ( sprite->GetRect(), types::rect() );
    EXPECT_TRUE( sprite->UsesBackground() );
}

TEST_F( SpriteFactoryTest, KindsAndNames )
{
    EXPECT_EQ( CSpriteFactory::KindName( 4 ), "sprite_animated" );
    EXPECT_EQ( CSpriteFactory::KindName( 6 ), "" );
    EXPECT_EQ( CSpriteFactory::KindNumber( "sprite_layer" ), 1 );
    EXPECT_EQ( CSpriteFactory::KindNumber( "sprite_nonsense" ), 0 );

    const std::string layer = Describe( "layer.xml", "<s type=\"sprite_layer\"><Z>7</Z></s>\n" );
    std::unique_ptr<CSprite> sprite = CSpriteFactory::LoadSprite( layer );
    EXPECT_EQ( sprite->GetType(), CSprite::KIND_LAYER );
    EXPECT_EQ( sprite->GetZ(), 7 );

    const std::string unknown = Describe( "odd.xml", "<s type=\"sprite_odd\"/>\n" );
    EXPECT_EQ( CSpriteFactory::LoadSprite( unknown )->GetType(), CSprite::KIND_BASE );
}

TEST_F( SpriteFactoryTest, MissingFilesGiveEmptySpritesInTheScreenLayer )
{
    std::unique_ptr<CSprite> missing = CSpriteFactory::LoadSprite( scene->GetDir() + "/nothing.xml" );
    EXPECT_TRUE( missing->IsEmpty() );
    EXPECT_TRUE( InScreenLayer( missing.get() ) );

    // The suffix test is case-sensitive: this is an image name, and no image.
    std::unique_ptr<CSprite> upper = CSpriteFactory::LoadSprite( scene->GetDir() + "/nothing.XML" );
    EXPECT_TRUE( upper->IsEmpty() );
}

TEST_F( SpriteFactoryTest, ScreenLayerDescriptionNeverAddsTheLayerToItself )
{
    const std::string file = Describe( "screen.xml", "<s type=\"sprite_screenlayer\"><Z>3</Z></s>\n" );
    EXPECT_EQ( CSpriteFactory::LoadSprite( file ), nullptr );
    EXPECT_TRUE( CScreenLayer::GetSingletonPtr()->GetChildren().empty() );
}

TEST_F( SpriteFactoryTest, SavedSpriteReadsBackTheSame )
{
    const std::string file = Describe( "saved.xml", "<s><ImageFilename>" + image +
                                                        "</ImageFilename><BackgroundUsage>0</BackgroundUsage>"
                                                        "<ImageRect x=\"3\" y=\"4\" w=\"12\" h=\"8\"/>"
                                                        "<Z>9</Z><Alpha>128</Alpha></s>\n" );
    std::unique_ptr<CSprite> sprite = CSpriteFactory::LoadSprite( file );
    std::unique_ptr<CXmlNode> saved = XmlSaveObject( *sprite, "Sprite" );
    EXPECT_EQ( saved->GetAttribute( "type" ), "sprite_base" );
    EXPECT_FALSE( HasChildNamed( *saved, "BackgroundUsage" ) );
    EXPECT_FALSE( HasChildNamed( *saved, "ScrollRect" ) );
    EXPECT_TRUE( HasChildNamed( *saved, "ImageFilename" ) );

    CSprite copy;
    XmlLoadObject( saved.get(), copy );
    EXPECT_EQ( copy.GetRect(), sprite->GetRect() );
    EXPECT_EQ( copy.GetZ(), 9 );
    EXPECT_EQ( copy.GetAlpha(), 128 );
    EXPECT_TRUE( copy.UsesBackground() );
    std::unique_ptr<CXmlNode> again = XmlSaveObject( copy, "Sprite" );
    ASSERT_TRUE( HasChildNamed( *again, "ImageFilename" ) );
    EXPECT_EQ( ChildNamed( *again, "ImageFilename" )->GetContent(), image );
}
