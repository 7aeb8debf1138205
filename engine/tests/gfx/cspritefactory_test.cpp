// Sprites made from images and description files, and saved back; slider sprites, a fill bar of two sprites; text
// sprites, rendered with a font inside their font rect over an optional backdrop, edited and faded.
#include <gtest/gtest.h>

#include <filesystem>

#include "gfx/gfxtestsupport.h"
#include "tarn/gfx/canimatedsprite.h"
#include "tarn/gfx/cslidersprite.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/font/csystemfont.h"
#include "tarn/gfx/sdl/csurfacesdl.h"
#include "tarn/utils/xmlobject.h"

using namespace tarn;
using test::Rows;

namespace {

const CColor FILL( 220, 30, 30 );

// Two glyphs, 2 pixels high in lines of 3: 'a' (2 wide) and 'b' (3 wide); spaces 2 wide, no formatter.
std::unique_ptr<CFont> MakeShapeFont()
{
    return test::MakeFont( { "#..g.", "##ggg" }, { { 'a', { 0, 0, 2, 2 } }, { 'b', { 2, 0, 3, 2 } } }, 3, 2, "shapes" );
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

std::string Compare( const CSurface* expected, const CSurface* actual )
{
    return test::CompareSurfaces( gfx_cast<CSurfaceSDL>( expected )->GetRawImage(),
                                  gfx_cast<CSurfaceSDL>( actual )->GetRawImage(), true );
}

// "ab a" written from 1, 0.
const Rows AB_A = { ".............", ".#...g....#..", ".##.ggg...##.", "............." };

class SpriteFactoryTest : public test::SceneTest
{
protected:
    SpriteFactoryTest() : SceneTest( 160, 48 ) {}

    // A slider at 10, 20 whose fill sits 10 pixels in and 2 down.
    std::unique_ptr<CSliderSprite> LoadBar()
    {
        const std::string track = scene->MakeImage( "track", 120, 10, CColor( 90, 90, 90 ) );
        std::unique_ptr<CSprite> sprite = CSpriteFactory::LoadSprite(
            Write( "bar.xml", "<Slider type=\"sprite_slider\"><BottomRect x=\"10\" y=\"20\" w=\"120\" h=\"10\"/>"
                              "<TopRect x=\"20\" y=\"22\" w=\"100\" h=\"6\"/><TopSprite>" +
                                  scene->MakeImage( "fill", 100, 6, FILL ) + "</TopSprite><BottomSprite>" + track +
                                  "</BottomSprite><Value>0.5</Value></Slider>" ) );
        EXPECT_EQ( sprite->GetType(), CSprite::KIND_SLIDER );
        return std::unique_ptr<CSliderSprite>( static_cast<CSliderSprite*>( sprite.release() ) );
    }

    Rows Screen( const types::rect& area ) const
    {
        std::unique_ptr<CSurface> copy = scene->GetScreen()->Copy();
        copy->SetViewRect( area );
        return test::Picture( *copy );
    }

    std::string image = scene->MakeImage( "box", 12, 8, CColor( 10, 200, 30 ) );
};

} // namespace

TEST_F( SpriteFactoryTest, TheFileDecidesTheKindAndEverySpriteJoinsTheScreenLayer )
{
    std::unique_ptr<CSprite> plain = CSpriteFactory::LoadSprite( image );
    EXPECT_EQ( plain->GetType(), CSprite::KIND_BASE );
    EXPECT_EQ( plain->GetRect(), ( types::rect{ 0, 0, 12, 8 } ) ) << "the image's size";
    EXPECT_EQ( plain->GetFileName(), image );
    EXPECT_TRUE( InScreenLayer( plain.get() ) );
    std::unique_ptr<CSprite> layer =
        CSpriteFactory::LoadSprite( Write( "layer.xml", "<s type=\"sprite_layer\"><Z>7</Z></s>" ) );
    EXPECT_EQ( layer->GetType(), CSprite::KIND_LAYER );
    EXPECT_EQ( layer->GetZ(), 7 );
    const std::string odd = Write( "odd.xml", "<s type=\"sprite_odd\"/>" );
    EXPECT_EQ( CSpriteFactory::LoadSprite( odd )->GetType(), CSprite::KIND_BASE );
    std::unique_ptr<CSprite> bare = CSpriteFactory::LoadSprite( Write( "bare.xml", "<s type=\"sprite_animated\"/>" ) );
    EXPECT_EQ( static_cast<CAnimatedSprite*>( bare.get() )->GetAnimationCount(), 0u );
    // Missing files give empty sprites; the suffix test is case-sensitive, so
    // "nothing.XML" is an image name, and no image.
    for( const char* name : { "/nothing.xml", "/nothing.XML" } )
    {
        std::unique_ptr<CSprite> missing = CSpriteFactory::LoadSprite( scene->GetDir() + name );
        EXPECT_TRUE( missing->IsEmpty() ) << name;
        EXPECT_TRUE( InScreenLayer( missing.get() ) ) << name;
    }
    // The screen layer is never added to itself.
    plain.reset();
    layer.reset();
    bare.reset();
    const std::string screen = Write( "screen.xml", "<s type=\"sprite_screenlayer\"><Z>3</Z></s>" );
    EXPECT_EQ( CSpriteFactory::LoadSprite( screen ), nullptr );
    EXPECT_TRUE( CScreenLayer::GetSingletonPtr()->GetChildren().empty() );
}

TEST_F( SpriteFactoryTest, DescriptionFileSetsEveryBaseKeyAndReadsBackTheSame )
{
    const std::string file =
        Write( "door.xml", "<Sprite type=\"sprite_base\">\n  <ImageFilename>" + image + "</ImageFilename>\n  "
                           "<BackgroundUsage>0</BackgroundUsage>\n  <ScrollRect x=\"1\" y=\"2\" w=\"30\" h=\"40\"/>\n  "
                           "<ImageRect x=\"5\" y=\"6\" w=\"12\" h=\"8\"/>\n  <Z>42</Z><Alpha>128</Alpha></Sprite>" );
    std::unique_ptr<CSprite> sprite = CSpriteFactory::LoadSprite( file );
    EXPECT_FALSE( sprite->IsEmpty() );
    EXPECT_FALSE( sprite->UsesBackground() );
    EXPECT_EQ( sprite->GetFileName(), file );
    // The size comes from ImageRect, not from the image; alpha is held to 0 to 255.
    std::unique_ptr<CSprite> faded = CSpriteFactory::LoadSprite(
        Write( "bare.xml", "<s><ImageFilename>" + image + "</ImageFilename><Alpha>-5</Alpha></s>" ) );
    EXPECT_TRUE( faded->UsesBackground() );
    EXPECT_EQ( test::Outline( *XmlSaveObject( *faded, "Sprite" ) ),
               "Sprite(type=sprite_base){ImageFilename:" + image + " ImageRect(h=0,w=0,x=0,y=0) Z:100 Alpha:0}" );
    const std::string bright = Write( "bright.xml", "<s><Alpha>300</Alpha></s>" );
    EXPECT_EQ( CSpriteFactory::LoadSprite( bright )->GetAlpha(), 255 );
    // Every key but the background usage is written: a copy uses it again.
    std::unique_ptr<CXmlNode> saved = XmlSaveObject( *sprite, "Sprite" );
    EXPECT_EQ( test::Outline( *saved ), "Sprite(type=sprite_base){ImageFilename:" + image + " ScrollRect(h=40,w=30,"
                                        "x=1,y=2) ImageRect(h=8,w=12,x=5,y=6) Z:42 Alpha:128}" );
    CSprite copy;
    XmlLoadObject( saved.get(), copy );
    EXPECT_TRUE( copy.UsesBackground() );
    EXPECT_EQ( test::Outline( *XmlSaveObject( copy, "Sprite" ) ), test::Outline( *saved ) );
}

TEST_F( SpriteFactoryTest, SliderFillFollowsTheValueAndTheBarsPositionAndPartsMayBeMissing )
{
    std::unique_ptr<CSliderSprite> bar = LoadBar();
    EXPECT_FALSE( InScreenLayer( bar.get() ) );
    ASSERT_TRUE( InScreenLayer( bar->GetTopSprite() ) );
    ASSERT_TRUE( InScreenLayer( bar->GetBottomSprite() ) );
    bar->SetZ( 50 );
    EXPECT_EQ( bar->GetTopSprite()->GetZ(), 49 );
    EXPECT_EQ( bar->GetBottomSprite()->GetRect(), ( types::rect{ 10, 20, 120, 10 } ) );
    // Value, fill width, fill pixels shown: the fill image has a transparent border, so its first and last columns
    // never show (row 23 is its first coloured row). A fill stays within its full width.
    const std::tuple<float, int, int> cases[] = { { 0.5f, 50, 49 }, { 0.0f, 0, 0 },     { 1.0f, 100, 98 },
                                                  { 0.333f, 33, 32 }, { 1.5f, 100, 98 }, { -1.0f, 0, 0 } };
    for( const auto& [ value, width, fillPixels ] : cases )
    {
        SCOPED_TRACE( value );
        bar->SetValue( value );
        scene->Update();
        EXPECT_EQ( bar->GetValue(), value );
        EXPECT_EQ( bar->GetTopSprite()->GetRect(), ( types::rect{ 20, 22, width, 6 } ) );
        int shown = 0;
        for( int x = 0; x < 160; ++x )
            shown += ScreenPixel( x, 23 ) == FILL ? 1 : 0;
        EXPECT_EQ( shown, fillPixels );
        EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );
    }
    // Moving keeps the fill's offset; resizing changes nothing.
    bar->SetValue( 0.5f );
    bar->SetPosition( 30, 5 );
    EXPECT_EQ( bar->GetBottomSprite()->GetRect(), ( types::rect{ 30, 5, 120, 10 } ) );
    EXPECT_EQ( bar->GetTopSprite()->GetRect(), ( types::rect{ 40, 7, 50, 6 } ) );
    bar->SetX( 0 );
    bar->Resize( 10, 10 );
    EXPECT_EQ( bar->GetBottomSprite()->GetRect(), ( types::rect{ 0, 5, 120, 10 } ) );
    EXPECT_EQ( bar->GetTopSprite()->GetRect(), ( types::rect{ 10, 7, 50, 6 } ) );
    scene->Update();
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );
    const std::string pulse = Write( "pulse.xml", "<s type=\"sprite_animated\"><ImageFilename>" +
                                                      scene->MakeImage( "fill", 100, 6, FILL ) +
                                                      "</ImageFilename><Animation name=\"pulse\"><Frame type=\""
                                                      "frame_rect\"><Rect x=\"0\" y=\"0\" w=\"100\" h=\"6\"/>"
                                                      "<FrameLength>100</FrameLength></Frame></Animation></s>\n" );
    std::unique_ptr<CSprite> halfSprite = CSpriteFactory::LoadSprite(
        Write( "half.xml", "<Slider type=\"sprite_slider\"><TopRect x=\"0\" y=\"0\" w=\"100\" h=\"6\"/>"
                           "<BottomSprite>" + pulse + "</BottomSprite></Slider>\n" ) );
    auto* half = static_cast<CSliderSprite*>( halfSprite.get() );
    // Without "TopSprite" the top part is there, only empty.
    ASSERT_NE( half->GetTopSprite(), nullptr );
    EXPECT_TRUE( half->GetTopSprite()->IsEmpty() );
    EXPECT_EQ( half->GetValue(), 1.0f );
    half->PlayAnimation( "pulse" );
    auto* animated = dynamic_cast<CAnimatedSprite*>( half->GetBottomSprite() );
    ASSERT_NE( animated, nullptr );
    EXPECT_TRUE( animated->IsPlaying() );
    EXPECT_EQ( "Slider{BottomRect(h=0,w=0,x=0,y=0) TopRect(h=6,w=100,x=0,y=0) TopSprite BottomSprite:" + pulse +
                   " Value:1}",
               test::Outline( *XmlSaveObject( *half, "Slider" ) ) );
}

TEST_F( SpriteFactoryTest, TextIsRenderedFromTheStartPositionOrWrappedAgainOnEveryEdit )
{
    auto sprite = std::make_unique<CTextSprite>();
    sprite->SetFont( MakeShapeFont() );
    sprite->SetFontStartPosition( types::point{ 1, 0 } );
    sprite->SetText( "ab a" );
    EXPECT_TRUE( sprite->IsEmpty() ) << "no image before the sprite has a size";
    sprite->Resize( 13, 4 );
    EXPECT_EQ( ( types::rect{ 0, 0, 13, 4 } ), sprite->GetFontRect() ) << "the font rect followed the size";
    EXPECT_EQ( AB_A, test::Picture( *sprite->GetSurface() ) );
    EXPECT_EQ( ( types::point{ 13, 0 } ), sprite->GetEndPosition() );
    // On the screen the transparent parts show the black screen.
    sprite->SetPosition( 20, 10 );
    sprite->SetParent( CScreenLayer::GetSingletonPtr() );
    scene->Update();
    EXPECT_EQ( ( Rows{ "kkkkkkkkkkkkk", "k#kkkgkkkk#kk", "k##kgggkkk##k", "kkkkkkkkkkkkk" } ),
               Screen( types::rect{ 20, 10, 13, 4 } ) );
    sprite->SetText( "ab a" );
    EXPECT_FALSE( sprite->IsChanged() ) << "the same text again changes nothing";
    sprite->SetText( "b" );
    EXPECT_EQ( ( Rows{ ".............", "..g..........", ".ggg.........", "............." } ),
               test::Picture( *sprite->GetSurface() ) );
    scene->Update();
    EXPECT_EQ( "", scene->CompareWithFreshDrawing() );
    sprite->InsertText( 0, "a" );
    sprite->AppendText( " a" );
    EXPECT_EQ( AB_A, test::Picture( *sprite->GetSurface() ) );
    sprite->InsertText( 5, "b" );
    sprite->InsertText( -1, "b" );
    sprite->EraseText( 1, 0 );
    sprite->EraseText( 4, 1 );
    EXPECT_EQ( "ab a", sprite->GetText() ) << "positions outside the text are refused";
    sprite->EraseText( 1, 2 );
    EXPECT_EQ( "aa", sprite->GetText() );
    sprite->EraseText( 1, 10 );
    EXPECT_EQ( "a", sprite->GetText() ) << "a count past the end erases to the end";
    sprite->EraseLastChar();
    sprite->EraseLastChar();
    EXPECT_STREQ( "", sprite->GetTextAsChars() );
    EXPECT_EQ( Rows( 4, "............." ), test::Picture( *sprite->GetSurface() ) );
    // A new font renders at once.
    sprite->SetText( "ab" );
    sprite->SetFont( test::MakeBarFont( CFont::FORMAT_LEFT ) );
    EXPECT_EQ( ( Rows{ "###.###......", ".............", ".............", "............." } ),
               test::Picture( *sprite->GetSurface() ) );
    scene->Update();
    EXPECT_EQ( "", scene->CompareWithFreshDrawing() );
    // Words of two bars are 8 wide, spaces 2: "ab cd" needs 18 pixels.
    auto narrow = MakeTextSprite( test::MakeBarFont( CFont::FORMAT_LEFT ), 17, 3, "ab cd ef" );
    EXPECT_EQ( Rows( 3, "###.###.........." ), test::Picture( *narrow->GetSurface() ) );
    // Lines below the font rect are not written, and the rect may lie
    // anywhere in the sprite; the start position is then not used.
    narrow->SetFontStartPosition( types::point{ 5, 2 } );
    narrow->SetFontRect( types::rect{ 1, 1, 16, 2 } );
    EXPECT_EQ( ( Rows{ ".................", ".###.###.........", ".###.###........." } ),
               test::Picture( *narrow->GetSurface() ) );
}

TEST_F( SpriteFactoryTest, TextIsWrittenOverTheBackdrop )
{
    std::unique_ptr<CSprite> backdrop =
        CSpriteFactory::LoadSprite( scene->MakeImage( "box", 13, 4, CColor( 0, 0, 255 ) ) );
    CSprite* backdropPtr = backdrop.get();
    std::unique_ptr<CTextSprite> sprite = MakeTextSprite( MakeShapeFont(), 13, 4, "ab a" );
    sprite->SetFontStartPosition( types::point{ 1, 0 } );
    sprite->SetParent( CScreenLayer::GetSingletonPtr() );
    backdrop->SetPosition( 2, 3 );
    sprite->SetBackdrop( std::move( backdrop ) );
    sprite->SetPosition( 2, 3 );
    scene->Update();
    EXPECT_EQ( CScreenLayer::GetSingletonPtr(), backdropPtr->GetParent() ) << "the backdrop stays in its layer";
    EXPECT_GT( backdropPtr->GetZ(), sprite->GetZ() ) << "behind the text";
    // The glyphs' empty pixels let the blue backdrop (and its darker cross) through; its magenta frame, the screen.
    EXPECT_EQ( ( Rows{ "kkkkkkkkkkkkk", "k#bbbgbbbb#bk", "k##?ggg???##k", "kkkkkkkkkkkkk" } ),
               Screen( types::rect{ 2, 3, 13, 4 } ) );
    EXPECT_EQ( CColor( 0, 0, 127 ), ScreenPixel( 5, 5 ) );
    EXPECT_EQ( "", scene->CompareWithFreshDrawing() );
    sprite->Resize( 20, 6 );
    EXPECT_EQ( ( types::rect{ 2, 3, 20, 6 } ), backdropPtr->GetRect() ) << "the backdrop follows the sprite's size";
}

TEST_F( SpriteFactoryTest, TextFilesSetEveryKeyReadBackTheSameAndFadeIn )
{
    // A font rect as wide as the file's rect follows the sprite, which renders
    // one pixel narrower; here with the system font ("nothing").
    test::CLogCapture log;
    std::unique_ptr<CSprite> loaded = CSpriteFactory::LoadSprite( Write(
        "hello.xml", "<Sprite type=\"sprite_text\"><ImageRect x=\"3\" y=\"4\" w=\"41\" h=\"15\"/><FontStartPosition "
                     "x=\"2\" y=\"0\"/><FontRect x=\"0\" y=\"0\" w=\"41\" h=\"15\"/><Text>Hi!</Text><FontFile>nothing"
                     "</FontFile></Sprite>" ) );
    auto* hello = dynamic_cast<CTextSprite*>( loaded.get() );
    ASSERT_NE( nullptr, hello );
    EXPECT_EQ( ( types::rect{ 3, 4, 40, 15 } ), hello->GetRect() );
    EXPECT_EQ( ( types::rect{ 0, 0, 40, 15 } ), hello->GetFontRect() );
    EXPECT_EQ( CScreenLayer::GetSingletonPtr(), hello->GetParent() );
    std::unique_ptr<CSurface> expected = Gfx::NewBuffer( 40, 15 );
    CSystemFont::Create()->WriteText( expected.get(), "Hi!", 2, 0 );
    EXPECT_EQ( "", Compare( expected.get(), hello->GetSurface() ) );
    EXPECT_TRUE( log.Lines().empty() );
    // A narrower font rect is kept; the backdrop joins the screen layer behind the text, sized like the sprite; the
    // file keeps the width it was read with.
    const std::string backdrop = scene->MakeImage( "backdrop", 8, 8, CColor( 0, 0, 255 ) );
    loaded = CSpriteFactory::LoadSprite(
        Write( "full.xml", "<Sprite type=\"sprite_text\"><ImageRect x=\"1\" y=\"2\" w=\"31\" h=\"16\"/><Alpha>200"
                           "</Alpha><FontStartPosition x=\"3\" y=\"1\"/><FontRect x=\"1\" y=\"1\" w=\"28\" h=\"15\"/>"
                           "<Text>Hello</Text><BackdropFile>" + backdrop + "</BackdropFile><FontFile>nothing</FontFile>"
                           "</Sprite>" ) );
    auto* sprite = dynamic_cast<CTextSprite*>( loaded.get() );
    ASSERT_NE( nullptr, sprite );
    ASSERT_NE( nullptr, sprite->GetBackdrop() );
    EXPECT_EQ( CScreenLayer::GetSingletonPtr(), sprite->GetBackdrop()->GetParent() );
    EXPECT_EQ( sprite->GetZ() + 1, sprite->GetBackdrop()->GetZ() );
    EXPECT_EQ( 30, sprite->GetBackdrop()->GetRect().w );
    EXPECT_EQ( ( types::rect{ 1, 1, 28, 15 } ), sprite->GetFontRect() );
    std::unique_ptr<CXmlNode> saved = XmlSaveObject( *sprite, "Sprite" );
    EXPECT_EQ( "Sprite(type=sprite_text){ImageRect(h=16,w=31,x=1,y=2) Z:100 Alpha:200 FontStartPosition(x=3,y=1) "
               "FontRect(h=15,w=28,x=1,y=1) Text:Hello BackdropFile:" + backdrop + " FontFile:nothing}",
               test::Outline( *saved ) );
    CTextSprite copy;
    XmlLoadObject( saved.get(), copy );
    EXPECT_EQ( test::Outline( *saved ), test::Outline( *XmlSaveObject( copy, "Sprite" ) ) );
    EXPECT_EQ( "", Compare( sprite->GetSurface(), copy.GetSurface() ) );
    // Without a font the sprite is empty and no font keys are written.
    loaded = CSpriteFactory::LoadSprite( Write( "bare.xml", "<Sprite type=\"sprite_text\"><ImageRect x=\"0\" y=\"0\" "
                                                            "w=\"10\" h=\"5\"/><Text>hi</Text></Sprite>" ) );
    EXPECT_EQ( CSprite::KIND_TEXT, loaded->GetType() );
    EXPECT_TRUE( loaded->IsEmpty() );
    const std::string bare = test::Outline( *XmlSaveObject( *loaded, "Sprite" ) );
    EXPECT_EQ( std::string::npos, bare.find( "FontFile" ) ) << bare;
    EXPECT_EQ( std::string::npos, bare.find( "BackdropFile" ) ) << bare;
    loaded->Resize( -3, 4 );
    EXPECT_EQ( ( types::rect{ 0, 0, 0, 4 } ), loaded->GetRect() ) << "no negative sizes";
    // Fading in shows the text also when the file started invisible.
    loaded = CSpriteFactory::LoadSprite(
        Write( "fade.xml", "<Sprite type=\"sprite_text\"><ImageRect x=\"4\" y=\"4\" w=\"41\" h=\"15\"/><Alpha>0"
                           "</Alpha><FontRect x=\"0\" y=\"0\" w=\"40\" h=\"15\"/><Text>MM</Text><FontFile>nothing"
                           "</FontFile></Sprite>" ) );
    CSprite* faded = loaded.get();
    // The brightest pixel of the sprite's area on the screen, after a frame.
    auto brightest = [ & ]( int alpha ) {
        faded->SetAlpha( alpha );
        scene->Update();
        int most = 0;
        for( int y = 4; y < 4 + 15; ++y )
            for( int x = 4; x < 4 + 40; ++x )
                most = std::max( most, static_cast<int>( ScreenPixel( x, y ).r ) );
        return most;
    };
    EXPECT_EQ( 0, brightest( 0 ) ) << "alpha 0: nothing shows";
    EXPECT_NEAR( 128, brightest( 128 ), 2 ) << "half faded in";
    EXPECT_EQ( "", scene->CompareWithFreshDrawing() );
    faded->SetText( "MMM" );
    EXPECT_NEAR( 128, brightest( 128 ), 2 ) << "a new text keeps the sprite's alpha";
    EXPECT_EQ( 255, brightest( 255 ) );
    EXPECT_EQ( "", scene->CompareWithFreshDrawing() );
    EXPECT_EQ( 0, brightest( 0 ) ) << "and out again";
}

TEST_F( SpriteFactoryTest, EveryShippedTextSpriteFileLoadsAndShowsItsText )
{
    const std::filesystem::path root( TARN_SOURCE_DIR );
    test::CLogCapture log;
    // The files name fonts and images relative to the game's directory.
    test::CWorkingDirectory inGameDir( root );
    int files = 0;
    for( const auto& entry : std::filesystem::directory_iterator( root / "data/gfx" ) )
    {
        const std::string name = "data/gfx/" + entry.path().filename().string();
        if( test::ReadFile( name ).find( "type=\"sprite_text\"" ) == std::string::npos )
            continue;
        SCOPED_TRACE( name );
        ++files;
        std::unique_ptr<CSprite> loaded = CSpriteFactory::LoadSprite( name );
        auto* sprite = dynamic_cast<CTextSprite*>( loaded.get() );
        ASSERT_NE( nullptr, sprite );
        ASSERT_FALSE( sprite->IsEmpty() );
        EXPECT_NE( nullptr, sprite->GetFont()->GetFormatter() );
        // The source pixels, whatever alpha the sprite fades with.
        sprite->SetAlpha( 255 );
        const CSurface* image = sprite->GetSurface();
        int ink = 0;
        for( int y = 0; y < image->GetHeight(); ++y )
            for( int x = 0; x < image->GetWidth(); ++x )
                ink += image->GetPixel( x, y ).a != 0 ? 1 : 0;
        EXPECT_EQ( sprite->GetText().empty(), ink == 0 );
        EXPECT_TRUE( sprite->GetText().empty() || ( ink > 20 && sprite->GetEndPosition().y > 0 ) ) << "the text shows";
    }
    EXPECT_GE( files, 7 );
    EXPECT_EQ( Rows{}, log.Lines() );
}
