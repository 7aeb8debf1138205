// Slider sprites: a fill bar of two sprites laid out from a description file.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/spritescene.h"
#include "tarn/gfx/canimatedsprite.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/cslidersprite.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/sdl/cscreensurface.h"
#include "tarn/gfx/sdl/csurfacesdl.h"
#include "tarn/utils/cxmlnode.h"
#include "tarn/utils/xmlobject.h"

using namespace tarn;

namespace {

const CColor FILL( 220, 30, 30 );
const CColor TRACK( 90, 90, 90 );

class SliderSpriteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        scene = std::make_unique<test::CSpriteScene>( 160, 48, "slider" );
        track = scene->MakeImage( "track", 120, 10, TRACK );
        fill = scene->MakeImage( "fill", 100, 6, FILL );
    }
    void TearDown() override
    {
        scene.reset();
        test::ResetEngine();
    }

    std::string Describe( const std::string& name, const std::string& keys )
    {
        const std::string path = scene->GetDir() + "/" + name;
        test::WriteFile( path, "<Slider type=\"sprite_slider\">\n" + keys + "</Slider>\n" );
        return path;
    }

    // A bar at 10, 20 whose fill sits 10 pixels in and 2 down.
    std::unique_ptr<CSliderSprite> LoadBar( const std::string& value )
    {
        const std::string file = Describe( "bar.xml", "<BottomRect x=\"10\" y=\"20\" w=\"120\" h=\"10\"/>\n"
                                                      "<TopRect x=\"20\" y=\"22\" w=\"100\" h=\"6\"/>\n"
                                                      "<TopSprite>" + fill + "</TopSprite>\n"
                                                      "<BottomSprite>" + track + "</BottomSprite>\n"
                                                      "<Value>" + value + "</Value>\n" );
        std::unique_ptr<CSprite> sprite = CSpriteFactory::LoadSprite( file );
        EXPECT_EQ( sprite->GetType(), CSprite::KIND_SLIDER );
        return std::unique_ptr<CSliderSprite>( static_cast<CSliderSprite*>( sprite.release() ) );
    }

    // Fill-coloured pixels on the screen's row y.
    int FillPixelsOnRow( int y ) const
    {
        SDL_Surface* display = static_cast<CSurfaceSDL*>( scene->GetScreen() )->GetRawImage();
        int count = 0;
        for( int x = 0; x < display->w; ++x )
        {
            const CColor seen = test::PixelOf( display, x, y );
            count += seen.r == FILL.r && seen.g == FILL.g && seen.b == FILL.b ? 1 : 0;
        }
        return count;
    }

    static bool InScreenLayer( const CSprite* sprite )
    {
        for( const CSprite* child : CScreenLayer::GetSingletonPtr()->GetChildren() )
        {
            if( child == sprite )
                return true;
        }
        return false;
    }

    std::unique_ptr<test::CSpriteScene> scene;
    std::string track;
    std::string fill;
};

} // namespace

TEST_F( SliderSpriteTest, FillFollowsTheValue )
{
    std::unique_ptr<CSliderSprite> bar = LoadBar( "0.5" );
    EXPECT_FALSE( InScreenLayer( bar.get() ) );
    ASSERT_TRUE( InScreenLayer( bar->GetTopSprite() ) );
    ASSERT_TRUE( InScreenLayer( bar->GetBottomSprite() ) );
    bar->SetZ( 50 );
    EXPECT_EQ( bar->GetTopSprite()->GetZ(), 49 );
    EXPECT_EQ( bar->GetBottomSprite()->GetRect(), ( types::rect{ 10, 20, 120, 10 } ) );

    // The fill image has a transparent border, so its first and last columns
    // never show; row 23 is its first coloured row.
    const struct
    {
        float value;
        int width;
        int fillPixels;
    } cases[] = { { 0.5f, 50, 49 }, { 0.0f, 0, 0 }, { 1.0f, 100, 98 }, { 0.333f, 33, 32 } };
    bool first = true;
    for( const auto& c : cases )
    {
        if( !first )
            bar->SetValue( c.value );
        first = false;
        scene->Update();
        EXPECT_EQ( bar->GetTopSprite()->GetRect(), ( types::rect{ 20, 22, c.width, 6 } ) ) << c.value;
        EXPECT_EQ( FillPixelsOnRow( 23 ), c.fillPixels ) << c.value;
        EXPECT_EQ( scene->CompareWithFreshDrawing(), "" ) << c.value;
    }

    // A fill stays within its full width.
    bar->SetValue( 1.5f );
    EXPECT_EQ( bar->GetTopSprite()->GetRect().w, 100 );
    bar->SetValue( -1.0f );
    EXPECT_EQ( bar->GetTopSprite()->GetRect().w, 0 );
    EXPECT_EQ( bar->GetValue(), -1.0f );
}

TEST_F( SliderSpriteTest, MovingKeepsTheFillsOffset )
{
    std::unique_ptr<CSliderSprite> bar = LoadBar( "0.5" );
    bar->SetPosition( 30, 5 );
    EXPECT_EQ( bar->GetBottomSprite()->GetRect(), ( types::rect{ 30, 5, 120, 10 } ) );
    EXPECT_EQ( bar->GetTopSprite()->GetRect(), ( types::rect{ 40, 7, 50, 6 } ) );

    bar->SetX( 0 );
    EXPECT_EQ( bar->GetBottomSprite()->GetRect(), ( types::rect{ 0, 5, 120, 10 } ) );
    EXPECT_EQ( bar->GetTopSprite()->GetRect(), ( types::rect{ 10, 7, 50, 6 } ) );

    // Resizing leaves the parts as they are.
    bar->Resize( 10, 10 );
    EXPECT_EQ( bar->GetBottomSprite()->GetRect(), ( types::rect{ 0, 5, 120, 10 } ) );

    scene->Update();
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );
}

TEST_F( SliderSpriteTest, PartsMayBeMissingOrAnimated )
{
    const std::string pulse = scene->GetDir() + "/pulse.xml";
    test::WriteFile( pulse, "<s type=\"sprite_animated\"><ImageFilename>" + fill +
                                "</ImageFilename><Animation name=\"pulse\"><Frame type=\"frame_rect\">"
                                "<Rect x=\"0\" y=\"0\" w=\"100\" h=\"6\"/><FrameLength>100</FrameLength>"
                                "</Frame></Animation></s>\n" );
    const std::string file = Describe( "half.xml", "<TopRect x=\"0\" y=\"0\" w=\"100\" h=\"6\"/>\n"
                                                   "<BottomSprite>" + pulse + "</BottomSprite>\n" );
    std::unique_ptr<CSprite> sprite = CSpriteFactory::LoadSprite( file );
    auto* bar = static_cast<CSliderSprite*>( sprite.get() );

    // Without "TopSprite" the top part is there, only empty.
    ASSERT_NE( bar->GetTopSprite(), nullptr );
    EXPECT_TRUE( bar->GetTopSprite()->IsEmpty() );
    EXPECT_EQ( bar->GetValue(), 1.0f );

    bar->PlayAnimation( "pulse" );
    auto* animated = dynamic_cast<CAnimatedSprite*>( bar->GetBottomSprite() );
    ASSERT_NE( animated, nullptr );
    EXPECT_TRUE( animated->IsPlaying() );

    std::unique_ptr<CXmlNode> saved = XmlSaveObject( *bar, "Slider" );
    ASSERT_EQ( saved->GetChildCount(), 5u );
    EXPECT_EQ( saved->GetChild( 0 )->GetName(), "BottomRect" );
    EXPECT_EQ( saved->GetChild( 2 )->GetName(), "TopSprite" );
    EXPECT_EQ( saved->GetChild( 2 )->GetContent(), "" );
    EXPECT_EQ( saved->GetChild( 3 )->GetContent(), pulse );
    EXPECT_EQ( saved->GetChild( 4 )->GetContent(), "1" );
}
