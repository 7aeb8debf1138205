// Text sprites: rendering with a hand-made font, word wrap inside the font
// rect, backdrops, editing the text, sprite files and fading.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "gfx/font/fonttestsupport.h"
#include "support/spritescene.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/csurface.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/font/cfont.h"
#include "tarn/gfx/font/csystemfont.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/sdl/cscreensurface.h"
#include "tarn/gfx/sdl/csurfacesdl.h"
#include "tarn/utils/cxmlnode.h"
#include "tarn/utils/xmlobject.h"

using namespace tarn;

namespace {

const CColor WHITE( 255, 255, 255 );
const CColor GREEN( 0, 255, 0 );
const CColor BLUE( 0, 0, 255 );
const CColor BLACK( 0, 0, 0 );

// Two glyphs with shapes of their own, 2 pixels high in lines of 3:
//   'a' (2 wide)   'b' (3 wide)
//   # .            . g .
//   # #            g g g
// Char spacing 1, spaces 2 wide, no formatter.
std::unique_ptr<CFont> MakeShapeFont()
{
    std::unique_ptr<CSurface> image = Gfx::NewBuffer( 5, 2 );
    image->PutPixel( 0, 0, WHITE );
    image->PutPixel( 0, 1, WHITE );
    image->PutPixel( 1, 1, WHITE );
    image->PutPixel( 3, 0, GREEN );
    for( int x = 2; x < 5; ++x )
        image->PutPixel( x, 1, GREEN );
    CFont::CharPositions positions{};
    positions[ 'a' ] = types::rect{ 0, 0, 2, 2 };
    positions[ 'b' ] = types::rect{ 2, 0, 3, 2 };
    return std::make_unique<CFont>( std::move( image ), positions, 3, 1, 2, "shapes" );
}

// The bar font of the font tests, laid out left-aligned with word wrap.
std::unique_ptr<CFont> MakeWrappingBarFont()
{
    std::unique_ptr<CFont> font = test::MakeBarFont();
    font->SetFormatter( CFont::FORMAT_LEFT );
    return font;
}

std::unique_ptr<CTextSprite> MakeTextSprite( std::unique_ptr<CFont> font, int width, int height,
                                             const std::string& text )
{
    auto sprite = std::make_unique<CTextSprite>();
    sprite->SetFont( std::move( font ) );
    sprite->SetText( text );
    sprite->Resize( width, height );
    return sprite;
}

using test::CWorkingDirectory;

class TextSpriteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        scene = std::make_unique<test::CSpriteScene>( 64, 32, "textsprite" );
    }
    void TearDown() override
    {
        scene.reset();
        test::ResetEngine();
    }

    std::string WriteFile( const std::string& name, const std::string& text )
    {
        const std::string path = scene->GetDir() + "/" + name;
        test::WriteFile( path, text );
        return path;
    }

    // An area of the screen as rows of characters, like test::Picture.
    std::vector<std::string> Screen( const types::rect& area ) const
    {
        std::unique_ptr<CSurface> copy = scene->GetScreen()->Copy();
        copy->SetViewRect( area );
        return test::Picture( *copy );
    }

    std::unique_ptr<test::CSpriteScene> scene;
};

const std::vector<std::string> AB_A = {
    ".............",
    ".#...g....#..",
    ".##.ggg...##.",
    ".............",
};

} // namespace

TEST_F( TextSpriteTest, RendersTheTextFromTheStartPositionWithoutAFormatter )
{
    auto sprite = std::make_unique<CTextSprite>();
    sprite->SetFont( MakeShapeFont() );
    sprite->SetFontStartPosition( types::point{ 1, 0 } );
    sprite->SetText( "ab a" );
    EXPECT_TRUE( sprite->IsEmpty() ) << "no image before the sprite has a size";

    sprite->Resize( 13, 4 );

    EXPECT_EQ( CSprite::KIND_TEXT, sprite->GetType() );
    EXPECT_FALSE( sprite->IsEmpty() );
    EXPECT_EQ( ( types::rect{ 0, 0, 13, 4 } ), sprite->GetRect() );
    EXPECT_EQ( ( types::rect{ 0, 0, 13, 4 } ), sprite->GetFontRect() ) << "the font rect followed the size";
    EXPECT_EQ( AB_A, test::Picture( *sprite->GetSurface() ) );
    EXPECT_EQ( ( types::point{ 13, 0 } ), sprite->GetEndPosition() );
}

TEST_F( TextSpriteTest, DrawsOnTheScreenWhereItStands )
{
    std::unique_ptr<CTextSprite> sprite = MakeTextSprite( MakeShapeFont(), 13, 4, "ab a" );
    sprite->SetFontStartPosition( types::point{ 1, 0 } );
    sprite->SetPosition( 20, 10 );
    sprite->SetParent( CScreenLayer::GetSingletonPtr() );

    scene->Update();

    // The transparent parts show the black screen.
    std::vector<std::string> expected = AB_A;
    for( std::string& row : expected )
    {
        for( char& c : row )
            c = c == '.' ? 'k' : c;
    }
    EXPECT_EQ( expected, Screen( types::rect{ 20, 10, 13, 4 } ) );
    EXPECT_EQ( "", scene->CompareWithFreshDrawing() );
}

TEST_F( TextSpriteTest, WrapsWordsInsideTheFontRect )
{
    // Words of two bars are 8 wide, spaces 2: "ab cd " needs 18 pixels.
    std::unique_ptr<CTextSprite> wide = MakeTextSprite( MakeWrappingBarFont(), 18, 3, "ab cd ef" );
    EXPECT_EQ( ( std::vector<std::string>{ "###.###...###.###.", "###.###...........", ".................." } ),
               test::Picture( *wide->GetSurface() ) );

    std::unique_ptr<CTextSprite> narrow = MakeTextSprite( MakeWrappingBarFont(), 17, 3, "ab cd ef" );
    EXPECT_EQ( ( std::vector<std::string>{ "###.###..........", "###.###..........", "###.###.........." } ),
               test::Picture( *narrow->GetSurface() ) );

    // Lines below the font rect are not written, and the rect may lie
    // anywhere in the sprite; the start position is then not used.
    narrow->SetFontStartPosition( types::point{ 5, 2 } );
    narrow->SetFontRect( types::rect{ 1, 1, 16, 2 } );
    EXPECT_EQ( ( std::vector<std::string>{ ".................", ".###.###.........", ".###.###........." } ),
               test::Picture( *narrow->GetSurface() ) );
}

TEST_F( TextSpriteTest, TextIsWrittenOverTheBackdrop )
{
    // A blue backdrop with a magenta (see-through) frame and a darker cross.
    std::unique_ptr<CSprite> backdrop = CSpriteFactory::LoadSprite( scene->MakeImage( "box", 13, 4, BLUE ) );
    ASSERT_EQ( 13, backdrop->GetRect().w );
    CSprite* backdropPtr = backdrop.get();

    std::unique_ptr<CTextSprite> sprite = MakeTextSprite( MakeShapeFont(), 13, 4, "ab a" );
    sprite->SetFontStartPosition( types::point{ 1, 0 } );
    backdrop->SetPosition( 2, 3 );
    sprite->SetBackdrop( std::move( backdrop ) );
    sprite->SetPosition( 2, 3 );
    sprite->SetParent( CScreenLayer::GetSingletonPtr() );
    scene->Update();

    EXPECT_EQ( backdropPtr, sprite->GetBackdrop() );
    EXPECT_EQ( CScreenLayer::GetSingletonPtr(), backdropPtr->GetParent() ) << "the backdrop stays in its layer";
    EXPECT_GT( backdropPtr->GetZ(), sprite->GetZ() ) << "behind the text";

    // Glyph pixels over the backdrop; the glyphs' empty pixels let the
    // backdrop through; the backdrop's frame lets the screen through.
    const CColor half( 0, 0, 127 );
    const std::vector<std::vector<CColor>> expected = {
        { BLACK, BLACK, BLACK, BLACK, BLACK, BLACK, BLACK, BLACK, BLACK, BLACK, BLACK, BLACK, BLACK },
        { BLACK, WHITE, BLUE, BLUE, BLUE, GREEN, BLUE, BLUE, BLUE, BLUE, WHITE, BLUE, BLACK },
        { BLACK, WHITE, WHITE, half, GREEN, GREEN, GREEN, half, half, half, WHITE, WHITE, BLACK },
        { BLACK, BLACK, BLACK, BLACK, BLACK, BLACK, BLACK, BLACK, BLACK, BLACK, BLACK, BLACK, BLACK },
    };
    for( int y = 0; y < 4; ++y )
    {
        for( int x = 0; x < 13; ++x )
            EXPECT_EQ( expected[ y ][ x ], scene->GetScreen()->GetPixel( 2 + x, 3 + y ) ) << "at " << x << "," << y;
    }
    EXPECT_EQ( "", scene->CompareWithFreshDrawing() );

    // The backdrop follows the sprite's size.
    sprite->Resize( 20, 6 );
    EXPECT_EQ( 20, backdropPtr->GetRect().w );
    EXPECT_EQ( 6, backdropPtr->GetRect().h );
}

TEST_F( TextSpriteTest, EditingTheTextRendersAgain )
{
    std::unique_ptr<CTextSprite> sprite = MakeTextSprite( MakeShapeFont(), 13, 4, "ab a" );
    sprite->SetFontStartPosition( types::point{ 1, 0 } );
    sprite->SetParent( CScreenLayer::GetSingletonPtr() );
    scene->Update();

    sprite->SetText( "ab a" );
    EXPECT_FALSE( sprite->IsChanged() ) << "the same text again changes nothing";

    sprite->SetText( "b" );
    EXPECT_TRUE( sprite->IsChanged() );
    EXPECT_EQ( ( std::vector<std::string>{ ".............", "..g..........", ".ggg.........", "............." } ),
               test::Picture( *sprite->GetSurface() ) );
    scene->Update();
    EXPECT_EQ( "", scene->CompareWithFreshDrawing() );

    sprite->InsertText( 0, "a" );
    sprite->AppendText( " a" );
    EXPECT_EQ( "ab a", sprite->GetText() );
    EXPECT_EQ( AB_A, test::Picture( *sprite->GetSurface() ) );

    sprite->InsertText( 5, "b" );
    sprite->InsertText( -1, "b" );
    sprite->InsertText( 2, "" );
    EXPECT_EQ( "ab a", sprite->GetText() ) << "positions outside the text are refused";

    sprite->EraseText( 1, 2 );
    EXPECT_EQ( "aa", sprite->GetText() );
    sprite->EraseText( 1, 0 );
    sprite->EraseText( 3, 1 );
    EXPECT_EQ( "aa", sprite->GetText() );
    sprite->EraseText( 1, 10 );
    EXPECT_EQ( "a", sprite->GetText() ) << "a count past the end erases to the end";

    sprite->EraseLastChar();
    EXPECT_EQ( "", sprite->GetText() );
    EXPECT_EQ( 0, sprite->GetTextLength() );
    EXPECT_STREQ( "", sprite->GetTextAsChars() );
    sprite->EraseLastChar();
    EXPECT_EQ( std::vector<std::string>( 4, "............." ), test::Picture( *sprite->GetSurface() ) );

    // A new font renders at once.
    sprite->SetText( "ab" );
    sprite->SetFont( MakeWrappingBarFont() );
    EXPECT_EQ( ( std::vector<std::string>{ "###.###......", ".............", ".............", "............." } ),
               test::Picture( *sprite->GetSurface() ) );
    scene->Update();
    EXPECT_EQ( "", scene->CompareWithFreshDrawing() );
}

TEST_F( TextSpriteTest, WithoutAFontTheSpriteIsEmpty )
{
    std::unique_ptr<CSprite> made = CSpriteFactory::Create( CSprite::KIND_TEXT );
    ASSERT_NE( nullptr, dynamic_cast<CTextSprite*>( made.get() ) );
    EXPECT_TRUE( made->IsEmpty() );
    EXPECT_EQ( "sprite_text", CSpriteFactory::KindName( made->GetType() ) );

    CTextSprite sprite;
    sprite.Resize( 10, 4 );
    sprite.SetText( "ab" );
    EXPECT_TRUE( sprite.IsEmpty() );
    EXPECT_EQ( 10, sprite.GetRect().w );

    sprite.Resize( -3, 4 );
    EXPECT_EQ( 0, sprite.GetRect().w ) << "no negative sizes";
    EXPECT_EQ( 4, sprite.GetRect().h );
}

TEST_F( TextSpriteTest, ReadsItsKeysAfterTheBaseKeysAndRendersOnePixelNarrower )
{
    const std::string file = WriteFile( "hello.xml", "<Sprite type=\"sprite_text\">"
                                                     "<ImageRect x=\"3\" y=\"4\" w=\"41\" h=\"15\"/>"
                                                     "<Z>7</Z>"
                                                     "<FontStartPosition x=\"2\" y=\"0\"/>"
                                                     "<FontRect x=\"0\" y=\"0\" w=\"41\" h=\"15\"/>"
                                                     "<Text>Hi!</Text>"
                                                     "<FontFile>nothing</FontFile>"
                                                     "</Sprite>" );
    test::CLogCapture log;
    std::unique_ptr<CSprite> loaded = CSpriteFactory::LoadSprite( file );
    auto* sprite = dynamic_cast<CTextSprite*>( loaded.get() );
    ASSERT_NE( nullptr, sprite );

    EXPECT_EQ( ( types::rect{ 3, 4, 40, 15 } ), sprite->GetRect() );
    EXPECT_EQ( ( types::rect{ 0, 0, 40, 15 } ), sprite->GetFontRect() ) << "as wide as the file's rect: follows";
    EXPECT_EQ( ( types::point{ 2, 0 } ), sprite->GetFontStartPosition() );
    EXPECT_EQ( 7, sprite->GetZ() );
    EXPECT_EQ( "Hi!", sprite->GetText() );
    ASSERT_NE( nullptr, sprite->GetFont() );
    EXPECT_EQ( "nothing", sprite->GetFont()->GetFileName() );
    EXPECT_EQ( nullptr, sprite->GetFont()->GetFormatter() );
    EXPECT_EQ( nullptr, sprite->GetBackdrop() );
    EXPECT_EQ( CScreenLayer::GetSingletonPtr(), sprite->GetParent() );

    // The system font wrote the text at the start position.
    std::unique_ptr<CSurface> expected = Gfx::NewBuffer( 40, 15 );
    CSystemFont::Create()->WriteText( expected.get(), "Hi!", 2, 0 );
    EXPECT_EQ( "", test::CompareSurfaces( gfx_cast<CSurfaceSDL>( expected.get() )->GetRawImage(),
                                          gfx_cast<CSurfaceSDL>( sprite->GetSurface() )->GetRawImage(), true ) );
    EXPECT_TRUE( log.Lines().empty() );
}

TEST_F( TextSpriteTest, WritesItsKeysAndReadsBackTheSame )
{
    const std::string backdropImage = scene->MakeImage( "backdrop", 8, 8, BLUE );
    const std::string file =
        WriteFile( "full.xml", "<Sprite type=\"sprite_text\">"
                               "<ImageRect x=\"1\" y=\"2\" w=\"31\" h=\"16\"/>"
                               "<Alpha>200</Alpha>"
                               "<FontStartPosition x=\"3\" y=\"1\"/>"
                               "<FontRect x=\"1\" y=\"1\" w=\"28\" h=\"15\"/>"
                               "<Text>Hello</Text>"
                               "<BackdropFile>" + backdropImage + "</BackdropFile>"
                               "<FontFile>nothing</FontFile>"
                               "</Sprite>" );
    std::unique_ptr<CSprite> loaded = CSpriteFactory::LoadSprite( file );
    auto* sprite = dynamic_cast<CTextSprite*>( loaded.get() );
    ASSERT_NE( nullptr, sprite );
    ASSERT_NE( nullptr, sprite->GetBackdrop() );
    EXPECT_EQ( backdropImage, sprite->GetBackdrop()->GetFileName() );
    EXPECT_EQ( CScreenLayer::GetSingletonPtr(), sprite->GetBackdrop()->GetParent() )
        << "like every sprite the factory loads";
    EXPECT_EQ( sprite->GetZ() + 1, sprite->GetBackdrop()->GetZ() ) << "behind the text";
    EXPECT_EQ( 30, sprite->GetBackdrop()->GetRect().w ) << "sized like the sprite";
    EXPECT_EQ( ( types::rect{ 1, 1, 28, 15 } ), sprite->GetFontRect() ) << "narrower than the rect: kept";

    std::unique_ptr<CXmlNode> saved = XmlSaveObject( *sprite, "Sprite" );
    EXPECT_EQ( "sprite_text", saved->GetAttribute( "type" ) );
    std::vector<std::string> keys;
    for( std::size_t i = 0; i < saved->GetChildCount(); ++i )
        keys.push_back( saved->GetChild( i )->GetName() );
    EXPECT_EQ( ( std::vector<std::string>{ "ImageRect", "Z", "Alpha", "FontStartPosition", "FontRect", "Text",
                                           "BackdropFile", "FontFile" } ),
               keys );
    EXPECT_EQ( "31", saved->GetChild( 0 )->GetAttribute( "w" ) ) << "the file keeps the width it was read with";
    EXPECT_EQ( backdropImage, saved->GetChild( 6 )->GetContent() );
    EXPECT_EQ( "nothing", saved->GetChild( 7 )->GetContent() );

    CTextSprite copy;
    XmlLoadObject( saved.get(), copy );
    EXPECT_EQ( sprite->GetRect(), copy.GetRect() );
    EXPECT_EQ( sprite->GetFontRect(), copy.GetFontRect() );
    EXPECT_EQ( sprite->GetFontStartPosition(), copy.GetFontStartPosition() );
    EXPECT_EQ( "Hello", copy.GetText() );
    EXPECT_EQ( 200, copy.GetAlpha() );
    EXPECT_EQ( "", test::CompareSurfaces( gfx_cast<CSurfaceSDL>( sprite->GetSurface() )->GetRawImage(),
                                          gfx_cast<CSurfaceSDL>( copy.GetSurface() )->GetRawImage(), true ) );

    std::unique_ptr<CXmlNode> again = XmlSaveObject( copy, "Sprite" );
    ASSERT_EQ( saved->GetChildCount(), again->GetChildCount() );
    for( std::size_t i = 0; i < saved->GetChildCount(); ++i )
    {
        EXPECT_EQ( saved->GetChild( i )->GetContent(), again->GetChild( i )->GetContent() );
        EXPECT_EQ( saved->GetChild( i )->GetAttributes(), again->GetChild( i )->GetAttributes() );
    }
}

TEST_F( TextSpriteTest, AFileWithoutFontGivesAnEmptySpriteAndWritesNoFontKeys )
{
    const std::string file = WriteFile( "bare.xml", "<Sprite type=\"sprite_text\">"
                                                    "<ImageRect x=\"0\" y=\"0\" w=\"10\" h=\"5\"/>"
                                                    "<Text>words</Text>"
                                                    "</Sprite>" );
    std::unique_ptr<CSprite> sprite = CSpriteFactory::LoadSprite( file );
    EXPECT_EQ( CSprite::KIND_TEXT, sprite->GetType() );
    EXPECT_TRUE( sprite->IsEmpty() );

    std::unique_ptr<CXmlNode> saved = XmlSaveObject( *sprite, "Sprite" );
    for( std::size_t i = 0; i < saved->GetChildCount(); ++i )
    {
        EXPECT_NE( "FontFile", saved->GetChild( i )->GetName() );
        EXPECT_NE( "BackdropFile", saved->GetChild( i )->GetName() );
    }
}

TEST_F( TextSpriteTest, FadingInShowsTheTextAlsoWhenTheFileStartedInvisible )
{
    const std::string file = WriteFile( "fade.xml", "<Sprite type=\"sprite_text\">"
                                                    "<ImageRect x=\"4\" y=\"4\" w=\"41\" h=\"15\"/>"
                                                    "<Alpha>0</Alpha>"
                                                    "<FontRect x=\"0\" y=\"0\" w=\"40\" h=\"15\"/>"
                                                    "<Text>MM</Text>"
                                                    "<FontFile>nothing</FontFile>"
                                                    "</Sprite>" );
    std::unique_ptr<CSprite> sprite = CSpriteFactory::LoadSprite( file );
    const types::rect area = sprite->GetRect();
    const CSurface* screen = scene->GetScreen();

    // The brightest pixel of the sprite's area on the screen.
    auto brightest = [&]() {
        int most = 0;
        for( int y = area.y; y < area.y + area.h; ++y )
        {
            for( int x = area.x; x < area.x + area.w; ++x )
                most = std::max( most, static_cast<int>( screen->GetPixel( x, y ).r ) );
        }
        return most;
    };

    scene->Update();
    EXPECT_EQ( 0, brightest() ) << "alpha 0: nothing shows";

    sprite->SetAlpha( 128 );
    scene->Update();
    EXPECT_NEAR( 128, brightest(), 2 ) << "half faded in";
    EXPECT_EQ( "", scene->CompareWithFreshDrawing() );

    // A new text keeps the sprite's alpha.
    sprite->SetText( "MMM" );
    scene->Update();
    EXPECT_NEAR( 128, brightest(), 2 );

    sprite->SetAlpha( 255 );
    scene->Update();
    EXPECT_EQ( 255, brightest() );
    EXPECT_EQ( "", scene->CompareWithFreshDrawing() );

    sprite->SetAlpha( 0 );
    scene->Update();
    EXPECT_EQ( 0, brightest() ) << "and out again";
}

TEST_F( TextSpriteTest, EveryShippedTextSpriteFileLoadsAndShowsItsText )
{
    const std::filesystem::path root( TARN_SOURCE_DIR );
    std::vector<std::filesystem::path> files;
    for( const auto& entry : std::filesystem::directory_iterator( root / "data/gfx" ) )
    {
        if( entry.path().extension() == ".xml" &&
            test::ReadFile( entry.path().string() ).find( "\"sprite_text\"" ) != std::string::npos )
            files.push_back( entry.path() );
    }
    ASSERT_GE( files.size(), 7u );

    test::CLogCapture log;
    // The files name fonts and images relative to the game's directory.
    CWorkingDirectory inGameDir( root );
    for( const std::filesystem::path& path : files )
    {
        const std::string name = "data/gfx/" + path.filename().string();
        SCOPED_TRACE( name );
        std::unique_ptr<CXmlNode> tree = XmlParseFile( name );
        ASSERT_NE( nullptr, tree );
        int fileWidth = 0;
        int fileHeight = 0;
        for( std::size_t i = 0; i < tree->GetChildCount(); ++i )
        {
            if( tree->GetChild( i )->GetName() == "ImageRect" )
            {
                fileWidth = std::stoi( tree->GetChild( i )->GetAttribute( "w" ) );
                fileHeight = std::stoi( tree->GetChild( i )->GetAttribute( "h" ) );
            }
        }

        std::unique_ptr<CSprite> loaded = CSpriteFactory::LoadSprite( name );
        auto* sprite = dynamic_cast<CTextSprite*>( loaded.get() );
        ASSERT_NE( nullptr, sprite );
        ASSERT_FALSE( sprite->IsEmpty() );
        ASSERT_NE( nullptr, sprite->GetFont() );
        EXPECT_NE( nullptr, sprite->GetFont()->GetFormatter() );
        EXPECT_EQ( fileWidth - 1, sprite->GetRect().w );
        EXPECT_EQ( fileHeight, sprite->GetRect().h );

        // The source pixels, whatever alpha the sprite fades with.
        sprite->SetAlpha( 255 );
        const CSurface* image = sprite->GetSurface();
        ASSERT_EQ( sprite->GetRect().w, image->GetWidth() );
        ASSERT_EQ( sprite->GetRect().h, image->GetHeight() );
        int ink = 0;
        for( int y = 0; y < image->GetHeight(); ++y )
        {
            for( int x = 0; x < image->GetWidth(); ++x )
                ink += image->GetPixel( x, y ).a != 0 ? 1 : 0;
        }
        if( sprite->GetText().empty() )
        {
            EXPECT_EQ( 0, ink );
        }
        else
        {
            EXPECT_GT( ink, 20 ) << "the text shows";
            EXPECT_GT( sprite->GetEndPosition().y, 0 ) << "at least one line was written";
        }
    }
    EXPECT_EQ( std::vector<std::string>{}, log.Lines() );
}
