// The background layer: decorations switched by its file, dealt into the
// quarters, and floating things that drift a pixel a step.
#include <gtest/gtest.h>

#include "horror/cbackgroundlayer.h"
#include "horror/gameworld.h"

using namespace horror;
using namespace tarn;

namespace {

class BackgroundLayerTest : public ::testing::Test
{
protected:
    BackgroundLayerTest() : world( "background" )
    {
        world.MakeSprite( "picture", 800, 600 );
        for( const char* name : { "background_crap_01", "background_crap_02", "background_crap_03",
                                  "background_crap_04" } )
            world.MakeSprite( name, 40, 30 );
        for( const char* name : { "floating_things_01", "floating_things_02", "floating_things_03",
                                  "floating_things_04" } )
            world.MakeSprite( name, 10, 10 );
    }

    horror::test::CGameWorld world;
    CBackgroundLayer layer;
};

} // namespace

TEST_F( BackgroundLayerTest, FileSwitchesTheDecorations )
{
    world.Write( "bare.xml", "<BackgroundLayer><LevelBackgroundImage>data/gfx/picture.xml</LevelBackgroundImage>"
                             "<CreateCrapground>0</CreateCrapground><FloatThingsAround>0</FloatThingsAround>"
                             "</BackgroundLayer>\n" );
    layer.LoadBackgroundLayer( "bare.xml" );
    ASSERT_NE( layer.GetBackground(), nullptr );
    EXPECT_FALSE( layer.GetBackground()->IsEmpty() );
    EXPECT_EQ( layer.GetCrapSprites()[ 0 ], nullptr );
    EXPECT_TRUE( layer.GetFloatingThings().empty() );

    world.Write( "full.xml", "<BackgroundLayer/>\n" );
    layer.LoadBackgroundLayer( "full.xml" );
    const int centres[ 4 ][ 2 ] = { { 200, 150 }, { 600, 150 }, { 200, 450 }, { 600, 450 } };
    for( int i = 0; i < 4; ++i )
    {
        ASSERT_NE( layer.GetCrapSprites()[ i ], nullptr );
        EXPECT_EQ( layer.GetCrapSprites()[ i ]->GetX(), centres[ i ][ 0 ] - 20 );
        EXPECT_EQ( layer.GetCrapSprites()[ i ]->GetY(), centres[ i ][ 1 ] - 15 );
    }
    EXPECT_EQ( layer.GetFloatingThings().size(), 2u );
}

TEST_F( BackgroundLayerTest, FloatingThingsDriftOnePixelAlongTheLargerAxis )
{
    CFloatingThing thing;
    thing.Init( "data/gfx/floating_things_01.xml", types::vector2{ 100, 100 }, types::vector2{ 200, 100 } );
    EXPECT_EQ( thing.GetPosition(), ( types::vector2{ 96, 95 } ) );
    thing.Step();
    EXPECT_EQ( thing.GetSprite()->GetX(), 97 );

    // Standing on its target it takes a new one without dividing by zero.
    CFloatingThing still;
    still.Init( "data/gfx/floating_things_02.xml", types::vector2{ 100, 100 }, types::vector2{ 100, 100 } );
    EXPECT_EQ( still.GetPosition(), ( types::vector2{ 95, 95 } ) );
    EXPECT_NE( still.GetTarget(), ( types::vector2{ 95, 95 } ) );
}
