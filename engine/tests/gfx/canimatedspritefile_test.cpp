// Animated sprites from description files: playing on the screen over
// sprite-clock time, and the written form read back.
#include <gtest/gtest.h>

#include <SDL.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/spritescene.h"
#include "tarn/gfx/canimatedsprite.h"
#include "tarn/gfx/canimation.h"
#include "tarn/gfx/cframerect.h"
#include "tarn/gfx/cframesound.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/cspriteupdater.h"
#include "tarn/gfx/sdl/cscreensurface.h"
#include "tarn/gfx/sdl/csurfacesdl.h"
#include "tarn/utils/cxmlnode.h"
#include "tarn/utils/xmlobject.h"

using namespace tarn;

namespace {

constexpr int CELL = 8;
const CColor SHADES[] = { CColor( 200, 0, 0 ), CColor( 0, 200, 0 ), CColor( 0, 0, 200 ), CColor( 200, 200, 0 ) };

std::string RectXml( int cell )
{
    return "<Rect x=\"" + std::to_string( cell * CELL ) + "\" y=\"0\" w=\"8\" h=\"8\"/>";
}

std::string CellFrame( int cell, int length, const std::string& inner = "" )
{
    return "<Frame type=\"frame_rect\">" + RectXml( cell ) + "<FrameLength>" + std::to_string( length ) +
           "</FrameLength>" + inner + "</Frame>\n";
}

std::vector<std::string> ChildNames( const CXmlNode& node )
{
    std::vector<std::string> names;
    for( std::size_t i = 0; i < node.GetChildCount(); ++i )
        names.push_back( node.GetChild( i )->GetName() );
    return names;
}

// The text of the first child of that name ("?" when there is none).
std::string ChildNamed( const CXmlNode& node, const std::string& name )
{
    for( std::size_t i = 0; i < node.GetChildCount(); ++i )
    {
        if( node.GetChild( i )->GetName() == name )
            return node.GetChild( i )->GetContent();
    }
    return "?";
}

class AnimatedSpriteFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        scene = std::make_unique<test::CSpriteScene>( 64, 64, "animationfile" );
        sheet = scene->MakeSheet( "sheet", CELL, { SHADES[ 0 ], SHADES[ 1 ], SHADES[ 2 ], SHADES[ 3 ] } );
        updater = CSpriteUpdater::GetSingletonPtr();
    }
    void TearDown() override
    {
        scene.reset();
        test::ResetEngine();
    }

    std::string Describe( const std::string& name, const std::string& keys )
    {
        const std::string path = scene->GetDir() + "/" + name;
        test::WriteFile( path, "<Sprite type=\"sprite_animated\">\n<ImageFilename>" + sheet +
                                   "</ImageFilename>\n<ImageRect x=\"10\" y=\"12\" w=\"8\" h=\"8\"/>\n<Z>20</Z>\n" +
                                   keys + "</Sprite>\n" );
        return path;
    }

    // A walking animation of three cells and a door animation with sounds.
    std::string DescribeWalker()
    {
        return Describe( "walker.xml",
                         "<CurrentAnimation>walk</CurrentAnimation>\n"
                         "<MiniumUpdateTime>120</MiniumUpdateTime>\n"
                         "<TimeMultiply>1</TimeMultiply>\n"
                         "<Animation name=\"walk\" loop=\"1\">\n" +
                             CellFrame( 0, 100 ) + CellFrame( 1, 100 ) + CellFrame( 2, 100 ) +
                             "</Animation>\n"
                             "<Animation name=\"door\" loop=\"0\">\n" +
                             CellFrame( 3, 250, "<Wrapped type=\"frame_sound\" sound_file=\"data/sfx/door.wav\"/>" ) +
                             "<Frame sound_file=\"data/sfx/untyped.wav\"/>\n"
                             "<Frame type=\"frame_sound\" sound_file=\"data/sfx/creak.wav\"/>\n"
                             "</Animation>\n" );
    }

    // Where the screen's 8 x 8 pixels at 10, 12 first differ from the cell's
    // colour ("" when none).
    std::string CellOnScreen( int cell ) const
    {
        SDL_Surface* display = static_cast<CSurfaceSDL*>( scene->GetScreen() )->GetRawImage();
        for( int y = 12; y < 12 + CELL; ++y )
        {
            for( int x = 10; x < 10 + CELL; ++x )
            {
                const CColor seen = test::PixelOf( display, x, y );
                if( seen.r != SHADES[ cell ].r || seen.g != SHADES[ cell ].g || seen.b != SHADES[ cell ].b )
                {
                    std::ostringstream where;
                    where << "pixel " << x << ", " << y << " is not cell " << cell;
                    return where.str();
                }
            }
        }
        return "";
    }

    static void ExpectCells( const CAnimation& animation, const std::vector<int>& cells )
    {
        ASSERT_EQ( animation.GetFrameCount(), cells.size() );
        for( std::size_t i = 0; i < cells.size(); ++i )
        {
            const auto* frame = dynamic_cast<const CFrameRect*>( animation.GetFrame( i ) );
            ASSERT_NE( frame, nullptr );
            EXPECT_EQ( frame->GetRect(), ( types::rect{ cells[ i ] * CELL, 0, CELL, CELL } ) );
        }
    }

    std::unique_ptr<test::CSpriteScene> scene;
    std::string sheet;
    CSpriteUpdater* updater = nullptr;
};

} // namespace

TEST_F( AnimatedSpriteFileTest, DescribedAnimationPlaysOnTheScreen )
{
    std::unique_ptr<CSprite> sprite = CSpriteFactory::LoadSprite( DescribeWalker() );
    auto* walker = dynamic_cast<CAnimatedSprite*>( sprite.get() );
    ASSERT_NE( walker, nullptr );
    EXPECT_EQ( walker->GetCurrentAnimationName(), "walk" );
    EXPECT_TRUE( updater->IsAnimating( walker ) );

    // The gfx task's frame: animations first, then the screen layer.
    for( types::ticks now = 1000; now <= 1650; now += 10 )
    {
        updater->Update( now );
        scene->Update();
        const int cell = static_cast<int>( ( now - 1000 ) / 100 % 3 );
        ASSERT_EQ( CellOnScreen( cell ), "" ) << "at " << now;
        ASSERT_EQ( scene->CompareWithFreshDrawing(), "" ) << "at " << now;
    }
    EXPECT_EQ( walker->GetRect(), ( types::rect{ 10, 12, 8, 8 } ) );

    // The door's cell stays after its last frame.
    walker->PlayAnimation( "door" );
    for( types::ticks now = 1660; now <= 2500; now += 10 )
    {
        updater->Update( now );
        scene->Update();
    }
    EXPECT_EQ( CellOnScreen( 3 ), "" );
    EXPECT_FALSE( updater->IsAnimating( walker ) );
}

TEST_F( AnimatedSpriteFileTest, WithoutCurrentAnimationTheSpriteWaitsUnanimated )
{
    std::unique_ptr<CSprite> sprite = CSpriteFactory::LoadSprite(
        Describe( "resting.xml", "<CurrentFrame>2</CurrentFrame><Play>1</Play>\n<Animation name=\"walk\">" +
                                     CellFrame( 1, 100 ) + "</Animation>\n" ) );
    auto* resting = dynamic_cast<CAnimatedSprite*>( sprite.get() );
    ASSERT_NE( resting, nullptr );
    EXPECT_EQ( resting->GetCurrentAnimationName(), "" );
    EXPECT_EQ( resting->GetAnimationCount(), 1u );
    EXPECT_FALSE( updater->IsAnimating( resting ) );

    updater->Update( 1000 );
    scene->Update();
    EXPECT_EQ( CellOnScreen( 0 ), "" );

    resting->PlayAnimation( "walk" );
    updater->Update( 1010 );
    scene->Update();
    EXPECT_EQ( CellOnScreen( 1 ), "" );

    const std::string bare = scene->GetDir() + "/bare.xml";
    test::WriteFile( bare, "<s type=\"sprite_animated\"/>\n" );
    std::unique_ptr<CSprite> plain = CSpriteFactory::LoadSprite( bare );
    EXPECT_EQ( plain->GetType(), CSprite::KIND_ANIMATED );
    EXPECT_EQ( static_cast<CAnimatedSprite*>( plain.get() )->GetAnimationCount(), 0u );
}

TEST_F( AnimatedSpriteFileTest, WrittenFormReadsBackWithItsRectangleFrames )
{
    std::unique_ptr<CSprite> sprite = CSpriteFactory::LoadSprite(
        Describe( "fast.xml", "<CurrentAnimation>walk</CurrentAnimation><TimeMultiply>2</TimeMultiply>\n"
                              "<Animation name=\"walk\">" +
                                  CellFrame( 0, 100 ) + CellFrame( 1, 100 ) + "</Animation>\n" ) );
    EXPECT_EQ( static_cast<CAnimatedSprite*>( sprite.get() )->GetTimeMultiplier(), 2.0f );
    std::unique_ptr<CXmlNode> fast = XmlSaveObject( *sprite, "Sprite" );
    EXPECT_EQ( ChildNamed( *fast, "TimeMultiply" ), "2" );

    std::unique_ptr<CSprite> walker = CSpriteFactory::LoadSprite( DescribeWalker() );
    std::unique_ptr<CXmlNode> saved = XmlSaveObject( *walker, "Sprite" );
    EXPECT_EQ( saved->GetAttribute( "type" ), "sprite_animated" );
    EXPECT_EQ( ChildNames( *saved ),
               ( std::vector<std::string>{ "ImageFilename", "ImageRect", "Z", "Alpha", "CurrentAnimation", "CurrentFrame",
                                           "MiniumUpdateTime", "Play", "TimeMultiply", "Animation", "Animation" } ) );
    EXPECT_EQ( ChildNamed( *saved, "CurrentAnimation" ), "walk" );
    EXPECT_EQ( ChildNamed( *saved, "MiniumUpdateTime" ), "120" );
    EXPECT_EQ( ChildNamed( *saved, "Play" ), "1" );

    const CXmlNode* door = saved->GetChild( 10 );
    EXPECT_EQ( door->GetAttribute( "name" ), "door" );
    EXPECT_EQ( door->GetAttribute( "loop" ), "0" );
    ASSERT_EQ( ChildNames( *door ), ( std::vector<std::string>{ "Frame", "Frame" } ) );
    const CXmlNode* opening = door->GetChild( 0 );
    EXPECT_EQ( opening->GetAttribute( "type" ), "frame_rect" );
    EXPECT_EQ( ChildNames( *opening ), ( std::vector<std::string>{ "Rect", "FrameLength", "Wrapped" } ) );
    EXPECT_EQ( opening->GetChild( 2 )->GetAttribute( "type" ), "frame_sound" );
    EXPECT_EQ( opening->GetChild( 2 )->GetAttribute( "sound_file" ), "data/sfx/door.wav" );
    // A sound frame of its own is written without a type...
    const CXmlNode* creak = door->GetChild( 1 );
    EXPECT_FALSE( creak->HasAttribute( "type" ) );
    EXPECT_EQ( creak->GetAttribute( "sound_file" ), "data/sfx/creak.wav" );

    const std::string file = scene->GetDir() + "/saved.xml";
    ASSERT_TRUE( XmlSaveToFile( *walker, file, "Sprite" ) );
    std::unique_ptr<CSprite> again = CSpriteFactory::LoadSprite( file );
    auto* copy = dynamic_cast<CAnimatedSprite*>( again.get() );
    ASSERT_NE( copy, nullptr );
    ASSERT_EQ( copy->GetAnimationCount(), 2u );
    EXPECT_EQ( copy->GetCurrentAnimationName(), "walk" );
    ExpectCells( *copy->GetAnimation( 0 ), { 0, 1, 2 } );
    // ... so reading the file back leaves it out; the wrapped one stays.
    ExpectCells( *copy->GetAnimation( 1 ), { 3 } );
    EXPECT_FALSE( copy->GetAnimation( 1 )->IsLooping() );
    const auto* wrapped =
        dynamic_cast<const CFrameSound*>( static_cast<const CFrameRect*>( copy->GetAnimation( 1 )->GetFrame( 0 ) )
                                              ->GetWrapped() );
    ASSERT_NE( wrapped, nullptr );
    EXPECT_EQ( wrapped->GetSoundFile(), "data/sfx/door.wav" );
    EXPECT_EQ( copy->GetRect(), walker->GetRect() );
}
