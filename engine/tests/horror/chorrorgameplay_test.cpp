// Playing a level: the walk mask, level files, dragging the icon, the bad
// guy's patrol, sight, chase and capture, noises, and area events.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "horror/chorrorgameplay.h"
#include "horror/cscriptrunner.h"
#include "horror/gameworld.h"
#include "tarn/utils/xmlobject.h"

using namespace horror;
using namespace tarn;

namespace {

// Remembers the scripts it is asked to run.
class CScriptLog final : public CScriptRunner
{
public:
    bool RunScript( const std::string& text ) override
    {
        scripts.push_back( text );
        if( onRun )
            onRun( text );
        return true;
    }
    std::vector<std::string> scripts;
    std::function<void( const std::string& )> onRun;
};

// A room: open floor everywhere but a wall, x 400 to 439, from y 0 to 499.
bool Room( int x, int y )
{
    return !( x >= 400 && x < 440 && y < 500 );
}

class GameplayTest : public ::testing::Test
{
protected:
    GameplayTest() : world( "gameplay" )
    {
        mask = world.MakeMask( "room", Room );
        world.MakeSprite( "badguy", 10, 10 );
        world.MakeSprite( "portal", 16, 16 );
        gameplay = std::make_unique<CHorrorGameplay>();
        gameplay->SetScriptRunner( &scripts );
    }

    // Loads a level made of the given keys after the background.
    void Load( const std::string& keys )
    {
        world.Write( "data/levels/test.xml", "<Level>\n<LevelBackgroundImage>" + mask + "</LevelBackgroundImage>\n" +
                                                 keys + "</Level>\n" );
        ASSERT_TRUE( XmlLoadFromFile( *gameplay, "data/levels/test.xml" ) );
    }

    void Drag( int fromX, int fromY, int toX, int toY )
    {
        gameplay->OnMouseMove( fromX, fromY );
        gameplay->OnButtonDown( MOUSE_BUTTON_LEFT );
        gameplay->OnMouseMove( toX, toY );
    }

    // Ticks the bad guy for ms milliseconds of game time, 17 ms a tick.
    void Run( int ms )
    {
        for( int t = 0; t < ms; t += 17 )
        {
            world.Clock().Advance( 17 );
            gameplay->Tick();
        }
    }

    types::point IconCorner() const
    {
        return types::point{ gameplay->GetPlayerIcon()->GetX(), gameplay->GetPlayerIcon()->GetY() };
    }

    horror::test::CGameWorld world;
    std::string mask;
    CScriptLog scripts;
    std::unique_ptr<CHorrorGameplay> gameplay;
};

} // namespace

TEST_F( GameplayTest, BeforeTheFirstLevelThePlayerWaitsOffScreen )
{
    EXPECT_EQ( IconCorner(), ( types::point{ 801, 600 } ) );
    EXPECT_FALSE( gameplay->IsPlayerEnabled() );
    EXPECT_FALSE( gameplay->IsBadguyVisible() );
}

TEST_F( GameplayTest, WalkMaskThresholdAndNeighbours )
{
    auto stripe = []( int x, int ) { return x < 100; };
    gameplay.reset();
    const std::string file = world.MakeMask( "stripe", stripe );
    gameplay = std::make_unique<CHorrorGameplay>();
    mask = file;
    Load( "" );
    EXPECT_TRUE( gameplay->IsOpen( types::point{ 99, 50 } ) );
    EXPECT_TRUE( gameplay->IsOpen( types::point{ 100, 50 } ) ) << "a neighbour is open";
    EXPECT_FALSE( gameplay->IsOpen( types::point{ 101, 50 } ) );
    EXPECT_FALSE( gameplay->IsOpen( types::point{ -1, 50 } ) ) << "outside the picture";
    EXPECT_TRUE( gameplay->IsOpen( types::point{ 799, 50 } ) ) << "the edge sees the open outside";
}

TEST_F( GameplayTest, LineOfSightAcrossOpenFloorOnly )
{
    Load( "" );
    const types::vector2 left{ 300, 300 }, right{ 500, 300 }, below{ 500, 550 };
    EXPECT_FALSE( gameplay->HasLineOfSight( left, right ) );
    EXPECT_TRUE( gameplay->HasLineOfSight( types::vector2{ 300, 550 }, below ) );
    EXPECT_TRUE( gameplay->HasLineOfSight( left, left ) ) << "equal points";
    // Standing in the wall's first 14 pixels does not block one's own view.
    EXPECT_TRUE( gameplay->HasLineOfSight( types::vector2{ 405, 300 }, types::vector2{ 300, 300 } ) );
}

TEST_F( GameplayTest, TheNextLevelsPictureIsReadAfresh )
{
    Load( "" );
    const types::vector2 left{ 300, 300 }, right{ 500, 300 };
    EXPECT_FALSE( gameplay->HasLineOfSight( left, right ) );

    mask = world.MakeMask( "open", []( int, int ) { return true; } );
    Load( "" );
    EXPECT_TRUE( gameplay->HasLineOfSight( left, right ) ) << "the wall went with the old picture";
    EXPECT_TRUE( gameplay->IsOpen( types::point{ 420, 100 } ) );
}

TEST_F( GameplayTest, LevelFilePlacesEverything )
{
    Load( "<BackgroundLayer></BackgroundLayer>\n"
          "<PlayerPosition x=\"100\" y=\"100\"/>\n"
          "<AreaEvents><AreaEvent for_player=\"1\" how_many_times=\"2\"><Position x=\"1\" y=\"2\"/><Range>5</Range>"
          "<Execute>x</Execute></AreaEvent></AreaEvents>\n"
          "<Portals><Portal><Position x=\"700\" y=\"500\"/><PortalImage>data/gfx/portal.xml</PortalImage>"
          "<NextFile>data/levels/two.xml</NextFile></Portal></Portals>\n"
          "<BadGuyImage>data/gfx/badguy.xml</BadGuyImage>\n<BadGuySpeed>40</BadGuySpeed>\n"
          "<BadGuyAiRange>120</BadGuyAiRange>\n<BadGuyChasesPlayer>0</BadGuyChasesPlayer>\n"
          "<BadGuyPath><PathPoint x=\"200\" y=\"200\"/><PathPoint x=\"300\" y=\"200\"/></BadGuyPath>\n" );
    EXPECT_EQ( IconCorner(), ( types::point{ 90, 90 } ) );
    ASSERT_EQ( gameplay->GetAreaEvents().size(), 2u );
    EXPECT_EQ( gameplay->GetAreaEvents()[ 1 ].execute, "LoadLevel( \"data/levels/two.xml\")" );
    EXPECT_EQ( gameplay->GetAreaEvents()[ 1 ].range, 35.0f );
    ASSERT_EQ( gameplay->GetPortalSprites().size(), 1u );
    EXPECT_EQ( gameplay->GetPortalSprites()[ 0 ]->GetX(), 692 );
    EXPECT_EQ( gameplay->GetPortalSprites()[ 0 ]->GetAlpha(), 0 ) << "a portal fades in";
    EXPECT_EQ( gameplay->GetBadguy().GetSpeed(), 40.0f );
    EXPECT_FALSE( gameplay->GetBadguy().ChasesPlayer() );
    EXPECT_EQ( gameplay->GetBadguyPosition(), ( types::vector2{ 205, 205 } ) );
    EXPECT_EQ( gameplay->GetPathIndex(), 1u );
    EXPECT_EQ( gameplay->GetBadguySprite()->GetX(), 200 );
    EXPECT_TRUE( gameplay->IsPlayerEnabled() && gameplay->IsBadguyVisible() );
}

TEST_F( GameplayTest, KeysLeftOutKeepWhatWasThere )
{
    Load( "<PlayerPosition x=\"100\" y=\"100\"/>\n<AreaEvents><AreaEvent for_player=\"1\" how_many_times=\"1\">"
          "<Range>5</Range></AreaEvent></AreaEvents>\n" );
    // Without a position the icon stays (its size is even); without area
    // events the old ones stay and new portals go behind them.
    Load( "<Portals><Portal><Position x=\"9\" y=\"9\"/></Portal></Portals>\n" );
    EXPECT_EQ( IconCorner(), ( types::point{ 90, 90 } ) );
    EXPECT_EQ( gameplay->GetAreaEvents().size(), 2u );
    Load( "<AreaEvents></AreaEvents>\n" );
    EXPECT_TRUE( gameplay->GetAreaEvents().empty() );
}

TEST_F( GameplayTest, KeysInReverseOrderStillLoad )
{
    tarn::test::CLogCapture log;
    world.Write( "data/levels/reverse.xml", "<Level>\n<BadGuySpeed>33</BadGuySpeed>\n<PlayerPosition x=\"50\" y=\"60\"/>\n"
                                            "<LevelBackgroundImage>" + mask + "</LevelBackgroundImage>\n</Level>\n" );
    ASSERT_TRUE( XmlLoadFromFile( *gameplay, "data/levels/reverse.xml" ) );
    EXPECT_EQ( gameplay->GetBadguy().GetSpeed(), 33.0f );
    EXPECT_EQ( IconCorner(), ( types::point{ 40, 50 } ) );
    EXPECT_NE( gameplay->GetLevelBackground(), nullptr );
    EXPECT_FALSE( log.Lines().empty() ) << "the order warnings";
}

TEST_F( GameplayTest, HiddenPlayerComesBackWhereTheLevelPutIt )
{
    Load( "<PlayerPosition x=\"100\" y=\"100\"/>\n<PlayerVisible>0</PlayerVisible>\n" );
    EXPECT_EQ( IconCorner(), ( types::point{ 801, 600 } ) );
    gameplay->SetPlayerShown( true );
    EXPECT_EQ( IconCorner(), ( types::point{ 90, 90 } ) );
}

TEST_F( GameplayTest, DraggingMovesTheIconOverOpenFloorAndDropsItAtWalls )
{
    Load( "<PlayerPosition x=\"300\" y=\"300\"/>\n" );
    Drag( 295, 295, 345, 305 );
    EXPECT_EQ( IconCorner(), ( types::point{ 340, 300 } ) );
    EXPECT_TRUE( gameplay->IsDragging() );

    // The centre would land in the wall: the icon goes as far as the floor
    // is open (its centre at 400 sees the open 399) and is dropped.
    gameplay->OnMouseMove( 405, 305 );
    EXPECT_EQ( IconCorner(), ( types::point{ 390, 300 } ) );
    EXPECT_FALSE( gameplay->IsDragging() );
    gameplay->OnMouseMove( 365, 305 );
    EXPECT_EQ( IconCorner(), ( types::point{ 390, 300 } ) );

    // Pressing beside the icon does not pick it up.
    Drag( 100, 100, 120, 120 );
    EXPECT_EQ( IconCorner(), ( types::point{ 390, 300 } ) );

    // A paused gameplay ignores the mouse.
    gameplay->SetPaused( true );
    Drag( 395, 305, 200, 200 );
    EXPECT_EQ( IconCorner(), ( types::point{ 390, 300 } ) );
}

TEST_F( GameplayTest, OneLongMoveStopsAtAWallWithItsNoiseAndCrossesOpenFloorWhole )
{
    Load( "<PlayerPosition x=\"300\" y=\"300\"/>\n<BadGuyImage>data/gfx/badguy.xml</BadGuyImage>\n"
          "<BadGuyPath><PathPoint x=\"95\" y=\"95\"/><PathPoint x=\"100\" y=\"550\"/></BadGuyPath>\n"
          "<BadguyEnabled>0</BadguyEnabled>\n" );
    gameplay->UpdatePathDistance();
    ASSERT_GT( gameplay->GetPathDistance(), 200.0f );
    // A flick from the left of the wall to the open floor right of it stops
    // at the wall and is a bump.
    Drag( 300, 300, 700, 300 );
    EXPECT_EQ( IconCorner(), ( types::point{ 390, 290 } ) );
    EXPECT_FALSE( gameplay->IsDragging() );
    EXPECT_GE( gameplay->GetBoost(), gameplay->GetPathDistance() * 0.5f - 0.01f );

    // Below the wall's end one flick crosses the room whole.
    gameplay->SetBoost( 0 );
    Drag( 400, 300, 400, 545 );
    ASSERT_EQ( IconCorner(), ( types::point{ 390, 535 } ) );
    Drag( 400, 545, 750, 560 );
    EXPECT_EQ( IconCorner(), ( types::point{ 740, 550 } ) );
    EXPECT_TRUE( gameplay->IsDragging() );
    EXPECT_EQ( gameplay->GetBoost(), 0.0f );
}

TEST_F( GameplayTest, BadGuyPatrolsItsPathAtItsSpeedAndStopsAtTheEnd )
{
    Load( "<PlayerPosition x=\"700\" y=\"50\"/>\n<BadGuyImage>data/gfx/badguy.xml</BadGuyImage>\n"
          "<BadGuySpeed>100</BadGuySpeed>\n<BadGuyAiRange>10</BadGuyAiRange>\n"
          "<BadGuyPath><PathPoint x=\"95\" y=\"95\"/><PathPoint x=\"200\" y=\"100\"/>"
          "<PathPoint x=\"200\" y=\"200\"/></BadGuyPath>\n" );
    Run( 500 );
    EXPECT_NEAR( gameplay->GetBadguyPosition().x, 150.0f, 2.0f );
    Run( 2000 );
    EXPECT_EQ( gameplay->GetBadguyPosition(), ( types::vector2{ 200, 200 } ) );
    EXPECT_EQ( gameplay->GetPathIndex(), 3u );
    EXPECT_EQ( gameplay->GetBadguySprite()->GetX(), 195 );
    EXPECT_FALSE( gameplay->IsCaught() );
}

TEST_F( GameplayTest, SeeingThePlayerStartsAChaseWithAShriekAndCatches )
{
    Load( "<PlayerPosition x=\"300\" y=\"200\"/>\n<BadGuyImage>data/gfx/badguy.xml</BadGuyImage>\n"
          "<BadGuySpeed>20</BadGuySpeed>\n<BadGuyAiRange>250</BadGuyAiRange>\n"
          "<BadGuyPath><PathPoint x=\"95\" y=\"195\"/><PathPoint x=\"100\" y=\"500\"/></BadGuyPath>\n" );
    Run( 17 );
    EXPECT_TRUE( gameplay->IsChasing() );
    EXPECT_GT( gameplay->GetAlarm(), 4.9f );
    ASSERT_EQ( world.AudioLines().size(), 1u );
    EXPECT_EQ( world.AudioLines()[ 0 ].rfind( "PlayEffect( \"data/sfx/shriek_0", 0 ), 0u );

    Run( 5000 );
    EXPECT_TRUE( gameplay->IsCaught() );
    EXPECT_EQ( world.AudioLines().size(), 1u ) << "one shriek for the jump in speed";
}

TEST_F( GameplayTest, WallsHideThePlayerAndABadGuyThatDoesNotChasePatrolsOn )
{
    Load( "<PlayerPosition x=\"500\" y=\"200\"/>\n<BadGuyImage>data/gfx/badguy.xml</BadGuyImage>\n"
          "<BadGuyAiRange>300</BadGuyAiRange>\n"
          "<BadGuyPath><PathPoint x=\"295\" y=\"195\"/><PathPoint x=\"300\" y=\"100\"/></BadGuyPath>\n" );
    Run( 500 );
    EXPECT_FALSE( gameplay->IsChasing() ) << "the wall is between them";

    Load( "<PlayerPosition x=\"300\" y=\"300\"/>\n<BadGuyImage>data/gfx/badguy.xml</BadGuyImage>\n"
          "<BadGuyChasesPlayer>0</BadGuyChasesPlayer>\n"
          "<BadGuyPath><PathPoint x=\"295\" y=\"195\"/><PathPoint x=\"300\" y=\"100\"/></BadGuyPath>\n" );
    Run( 500 );
    EXPECT_FALSE( gameplay->IsChasing() );
    EXPECT_LT( gameplay->GetBadguyPosition().y, 200.0f );
}

TEST_F( GameplayTest, NoisesMakeTheBadGuyHurry )
{
    EXPECT_FLOAT_EQ( CHorrorGameplay::BoostFactor( 0 ), 1.0f );
    EXPECT_FLOAT_EQ( CHorrorGameplay::BoostFactor( 5000 ), 14.0f );
    EXPECT_NEAR( CHorrorGameplay::AlarmFactor( 5 ), 12.0f, 0.01f );
    EXPECT_NEAR( CHorrorGameplay::AlarmFactor( -3 ), 2.196f, 0.01f );

    Load( "<PlayerPosition x=\"300\" y=\"550\"/>\n<BadGuyImage>data/gfx/badguy.xml</BadGuyImage>\n"
          "<BadGuyAiRange>50</BadGuyAiRange>\n"
          "<BadGuyPath><PathPoint x=\"595\" y=\"95\"/><PathPoint x=\"600\" y=\"550\"/></BadGuyPath>\n" );
    Run( 17 * 8 );
    ASSERT_GT( gameplay->GetPathDistance(), 200.0f );
    // Letting go of the icon far away adds a fifth of the path distance.
    Drag( 300, 550, 310, 550 );
    gameplay->OnButtonUp( MOUSE_BUTTON_LEFT );
    EXPECT_NEAR( gameplay->GetBoost(), gameplay->GetPathDistance() / 5.0f, 0.01f );

    // Bumping into the wall adds at least half of it.
    gameplay->SetBoost( 0 );
    gameplay->SetBadguyEnabled( false );
    Drag( 310, 550, 420, 400 );
    EXPECT_FALSE( gameplay->IsDragging() );
    EXPECT_GE( gameplay->GetBoost(), gameplay->GetPathDistance() * 0.5f - 0.01f );
}

TEST_F( GameplayTest, AreaEventsFireInsideTheirCircleAsOftenAsCounted )
{
    Load( "<PlayerPosition x=\"100\" y=\"100\"/>\n"
          "<AreaEvents><AreaEvent for_player=\"1\" how_many_times=\"2\"><Position x=\"150\" y=\"100\"/>"
          "<Range>20</Range><Execute>Ring()</Execute></AreaEvent></AreaEvents>\n" );
    Drag( 100, 100, 130, 100 ); // centre exactly 20 away: outside
    EXPECT_TRUE( scripts.scripts.empty() );
    gameplay->OnMouseMove( 131, 100 );
    gameplay->OnMouseMove( 132, 100 );
    gameplay->OnMouseMove( 133, 100 );
    EXPECT_EQ( scripts.scripts, ( std::vector<std::string>{ "Ring()", "Ring()" } ) );
}

TEST_F( GameplayTest, PortalAddedByAnEventFiresInTheSamePass )
{
    Load( "<PlayerPosition x=\"100\" y=\"100\"/>\n"
          "<AreaEvents><AreaEvent for_player=\"1\" how_many_times=\"1\"><Position x=\"110\" y=\"100\"/>"
          "<Range>30</Range><Execute>door</Execute></AreaEvent></AreaEvents>\n" );
    scripts.onRun = [ this ]( const std::string& text ) {
        if( text == "door" )
            gameplay->AddPortal( types::point{ 120, 100 }, "data/gfx/portal.xml", "data/levels/next.xml" );
    };
    Drag( 100, 100, 105, 100 );
    EXPECT_EQ( scripts.scripts, ( std::vector<std::string>{ "door", "LoadLevel( \"data/levels/next.xml\")" } ) );
}

TEST_F( GameplayTest, LosingSightSendsTheBadGuyToTheLastPathPointItSees )
{
    Load( "<PlayerPosition x=\"300\" y=\"300\"/>\n<BadGuyImage>data/gfx/badguy.xml</BadGuyImage>\n"
          "<BadGuyAiRange>400</BadGuyAiRange>\n"
          "<BadGuyPath><PathPoint x=\"295\" y=\"545\"/><PathPoint x=\"600\" y=\"550\"/>"
          "<PathPoint x=\"600\" y=\"100\"/><PathPoint x=\"350\" y=\"560\"/></BadGuyPath>\n" );
    Run( 17 );
    ASSERT_TRUE( gameplay->IsChasing() );
    // The player hides behind the wall; the bad guy still sees the first,
    // second and last points, and takes the last of them.
    gameplay->SetPlayerShown( false );
    Run( 17 );
    EXPECT_FALSE( gameplay->IsChasing() );
    EXPECT_EQ( gameplay->GetPathIndex(), 3u );
}

TEST_F( GameplayTest, TheFirstStepAfterAPauseIsCappedAtAQuarterSecond )
{
    Load( "<PlayerPosition x=\"700\" y=\"50\"/>\n<BadGuyImage>data/gfx/badguy.xml</BadGuyImage>\n"
          "<BadGuySpeed>100</BadGuySpeed>\n<BadGuyAiRange>10</BadGuyAiRange>\n"
          "<BadGuyPath><PathPoint x=\"95\" y=\"95\"/><PathPoint x=\"300\" y=\"100\"/></BadGuyPath>\n" );
    world.Clock().Advance( 5000 );
    gameplay->Tick();
    EXPECT_NEAR( gameplay->GetBadguyPosition().x, 125.0f, 0.01f );
}

TEST_F( GameplayTest, TwoPortalsOnOneSpotBothRunAndTheLastWins )
{
    Load( "<PlayerPosition x=\"100\" y=\"100\"/>\n<Portals>"
          "<Portal><Position x=\"130\" y=\"100\"/><NextFile>first.xml</NextFile></Portal>"
          "<Portal><Position x=\"130\" y=\"100\"/><NextFile>second.xml</NextFile></Portal></Portals>\n" );
    Drag( 100, 100, 110, 100 );
    ASSERT_EQ( scripts.scripts.size(), 2u );
    EXPECT_EQ( scripts.scripts.back(), "LoadLevel( \"second.xml\")" );
}

// An author may put places anywhere in the int range: distances far across
// it are measured exactly, and play at its limits goes on without overflow.
TEST_F( GameplayTest, DistancesHoldAcrossTheWholeIntRange )
{
    Load( "<PlayerPosition x=\"100\" y=\"100\"/>\n"
          "<AreaEvents><AreaEvent for_player=\"1\" how_many_times=\"1\"><Position x=\"100100\" y=\"100\"/>"
          "<Range>99990</Range><Execute>Far()</Execute></AreaEvent></AreaEvents>\n" );
    Drag( 100, 100, 105, 100 ); // 99,995 pixels away
    EXPECT_TRUE( scripts.scripts.empty() );
    gameplay->OnMouseMove( 115, 100 ); // 99,985 pixels away
    EXPECT_EQ( scripts.scripts, ( std::vector<std::string>{ "Far()" } ) );
    EXPECT_FALSE( gameplay->HasLineOfSight( types::vector2{ 100, 100 }, types::vector2{ 3e9f, -3e9f } ) );

    Load( "<PlayerPosition x=\"2147483647\" y=\"-2147483648\"/>\n"
          "<BadGuyPath><PathPoint x=\"2147483647\" y=\"2147483647\"/><PathPoint x=\"-2147483648\" y=\"0\"/>"
          "</BadGuyPath>\n" );
    EXPECT_GT( IconCorner().x, 2147483000 );
    EXPECT_LT( IconCorner().y, -2147483000 );
    Drag( 2147483647, -2147483647, 2147483647, -2147483640 );
    Run( 2000 );
    EXPECT_FALSE( gameplay->IsCaught() );
    EXPECT_GT( gameplay->GetBadguySprite()->GetX(), 2147483000 );
}
