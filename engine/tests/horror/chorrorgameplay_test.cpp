// Playing a level: the walk mask, level files, dragging the icon, the bad
// guy's patrol, sight, chase and capture, noises, and area events; and the
// data checker on small broken levels.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "horror/cdatachecker.h"
#include "horror/cgameplayoverlay.h"
#include "horror/chorrorgameplay.h"
#include "horror/cscriptrunner.h"
#include "horror/gameworld.h"
#include "tarn/gfx/cdebugoverlays.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/xmlobject.h"

using namespace horror;
using namespace tarn;
using Strings = std::vector<std::string>;
using P = types::point;
using V = types::vector2;

namespace {

// Level keys.
std::string Point( const std::string& key, int x, int y )
{
    return "<" + key + " x=\"" + std::to_string( x ) + "\" y=\"" + std::to_string( y ) + "\"/>";
}
std::string Player( int x, int y )
{
    return Point( "PlayerPosition", x, y );
}
std::string BadGuy( std::initializer_list<P> path, const std::string& more = "" )
{
    std::string xml = "<BadGuyImage>data/gfx/badguy.xml</BadGuyImage>" + more + "<BadGuyPath>";
    for( const P& p : path )
        xml += Point( "PathPoint", p.x, p.y );
    return xml + "</BadGuyPath>";
}
std::string Event( int x, int y, int range, const std::string& script, int times )
{
    return "<AreaEvents><AreaEvent for_player=\"1\" how_many_times=\"" + std::to_string( times ) + "\">" +
           Point( "Position", x, y ) + "<Range>" + std::to_string( range ) + "</Range><Execute>" + script +
           "</Execute></AreaEvent></AreaEvents>";
}

// Whether the report holds every one of the lines.
::testing::AssertionResult Reports( const std::string& report, std::initializer_list<std::string> lines )
{
    for( const std::string& line : lines )
    {
        if( report.find( line ) == std::string::npos )
            return ::testing::AssertionFailure() << "no \"" << line << "\" in\n" << report;
    }
    return ::testing::AssertionSuccess();
}

// The fixture runs the level's scripts by remembering them.
class GameplayTest : public ::testing::Test, public CScriptRunner
{
protected:
    GameplayTest()
    {
        // A room: open floor everywhere but a wall, x 400 to 439, from y 0 to 499.
        mask = world.MakeMask( "room", { { 400, 0, 40, 500 } } );
        world.MakeSprite( "badguy", 10, 10 );
        world.MakeSprite( "portal", 16, 16 );
        gameplay->SetScriptRunner( this );
    }
    bool RunScript( const std::string& text ) override
    {
        scripts.push_back( text );
        if( onRun )
            onRun( text );
        return true;
    }

    // Loads a level of the background and the keys.
    void Load( const std::string& keys )
    {
        world.Write( "data/levels/l.xml", "<Level><LevelBackgroundImage>" + mask + "</LevelBackgroundImage>" + keys +
                                              "</Level>\n" );
        ASSERT_TRUE( XmlLoadFromFile( *gameplay, "data/levels/l.xml" ) );
    }
    // The data checker's report (and error count) on a level of the start, a
    // picture whose floor is open left of x 400 and below y 500, and the keys.
    std::string Check( const std::string& keys, const std::string& start = Player( 100, 100 ) )
    {
        const std::string split = world.MakeMask( "split", { { 400, 0, 400, 500 } } );
        world.Write( "data/levels/l.xml", "<Level>" + start + "<LevelBackgroundImage>" + split +
                                              "</LevelBackgroundImage>" + keys + "</Level>\n" );
        CDataChecker checker;
        checker.CheckLevel( "data/levels/l.xml" );
        errors = checker.GetErrorCount();
        return checker.Report();
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
    P Icon() const { return P{ gameplay->GetPlayerIcon()->GetX(), gameplay->GetPlayerIcon()->GetY() }; }

    horror::test::CGameWorld world{ "gameplay" };
    std::string mask;
    Strings scripts;
    std::function<void( const std::string& )> onRun;
    int errors = 0;
    std::unique_ptr<CHorrorGameplay> gameplay = std::make_unique<CHorrorGameplay>();
};

} // namespace

TEST_F( GameplayTest, WalkMaskAndSightFollowTheLevelPicture )
{
    Load( "" );
    EXPECT_TRUE( gameplay->IsOpen( P{ 399, 50 } ) );
    EXPECT_TRUE( gameplay->IsOpen( P{ 400, 50 } ) ) << "a neighbour is open";
    EXPECT_FALSE( gameplay->IsOpen( P{ 401, 50 } ) );
    EXPECT_FALSE( gameplay->IsOpen( P{ -1, 50 } ) ) << "outside the picture";
    EXPECT_FALSE( gameplay->IsOpen( P{ 420, 1 } ) );
    EXPECT_TRUE( gameplay->IsOpen( P{ 420, 0 } ) ) << "the edge sees the open outside";
    const V left{ 300, 300 }, right{ 500, 300 };
    EXPECT_FALSE( gameplay->HasLineOfSight( left, right ) );
    EXPECT_TRUE( gameplay->HasLineOfSight( V{ 300, 550 }, V{ 500, 550 } ) );
    EXPECT_TRUE( gameplay->HasLineOfSight( left, left ) ) << "equal points";
    EXPECT_TRUE( gameplay->HasLineOfSight( V{ 405, 300 }, left ) ) << "from inside the wall's edge";
    mask = world.MakeMask( "open" );
    Load( "" );
    EXPECT_TRUE( gameplay->HasLineOfSight( left, right ) ) << "the wall went with the old picture";
    EXPECT_TRUE( gameplay->IsOpen( P{ 420, 100 } ) );
}

TEST_F( GameplayTest, LevelFilesPlaceEverythingAndKeysLeftOutKeepWhatWasThere )
{
    EXPECT_EQ( Icon(), ( P{ 801, 600 } ) ) << "before a level the player waits off screen";
    EXPECT_FALSE( gameplay->IsPlayerEnabled() || gameplay->IsBadguyVisible() );
    Load( Player( 100, 100 ) + "<PlayerVisible>0</PlayerVisible>" );
    EXPECT_EQ( Icon(), ( P{ 801, 600 } ) );
    gameplay->SetPlayerShown( true );
    EXPECT_EQ( Icon(), ( P{ 90, 90 } ) ) << "back where the level put it";
    Load( "<BackgroundLayer></BackgroundLayer>" + Player( 100, 100 ) + Event( 1, 2, 5, "x", 2 ) +
          "<Portals><Portal><Position x=\"700\" y=\"500\"/><PortalImage>data/gfx/portal.xml</PortalImage>"
          "<NextFile>data/levels/two.xml</NextFile></Portal></Portals>" +
          BadGuy( { { 200, 200 }, { 300, 200 } }, "<BadGuySpeed>40</BadGuySpeed><BadGuyAiRange>120</BadGuyAiRange>"
                                                  "<BadGuyChasesPlayer>0</BadGuyChasesPlayer>" ) );
    ASSERT_EQ( gameplay->GetAreaEvents().size(), 2u );
    EXPECT_EQ( gameplay->GetAreaEvents()[ 1 ].execute, "LoadLevel( \"data/levels/two.xml\")" );
    EXPECT_EQ( gameplay->GetAreaEvents()[ 1 ].range, 35.0f );
    ASSERT_EQ( gameplay->GetPortalSprites().size(), 1u );
    EXPECT_EQ( gameplay->GetPortalSprites()[ 0 ]->GetX(), 692 );
    EXPECT_EQ( gameplay->GetPortalSprites()[ 0 ]->GetAlpha(), 0 ) << "a portal fades in";
    EXPECT_EQ( gameplay->GetBadguy().GetSpeed(), 40.0f );
    EXPECT_FALSE( gameplay->GetBadguy().ChasesPlayer() );
    // The first path point is the picture's corner; later ones are for its centre.
    EXPECT_EQ( gameplay->GetBadguyPosition(), ( V{ 205, 205 } ) );
    EXPECT_EQ( gameplay->GetBadguySprite()->GetX(), 200 );
    EXPECT_TRUE( gameplay->IsPlayerEnabled() && gameplay->IsBadguyVisible() );
    // Without a position the icon stays; without area events the old ones
    // stay and new portals go behind them.
    Load( "<Portals><Portal><Position x=\"9\" y=\"9\"/></Portal></Portals>" );
    EXPECT_EQ( Icon(), ( P{ 90, 90 } ) );
    EXPECT_EQ( gameplay->GetAreaEvents().size(), 3u );
    Load( "<AreaEvents></AreaEvents>" );
    EXPECT_TRUE( gameplay->GetAreaEvents().empty() );
    tarn::test::CLogCapture log;
    world.Write( "data/levels/reverse.xml", "<Level><BadGuySpeed>33</BadGuySpeed>" + Player( 50, 60 ) +
                                                "<LevelBackgroundImage>" + mask + "</LevelBackgroundImage></Level>\n" );
    ASSERT_TRUE( XmlLoadFromFile( *gameplay, "data/levels/reverse.xml" ) );
    EXPECT_EQ( gameplay->GetBadguy().GetSpeed(), 33.0f ) << "keys in reverse order still load";
    EXPECT_EQ( Icon(), ( P{ 40, 50 } ) );
    EXPECT_NE( gameplay->GetLevelBackground(), nullptr );
    EXPECT_FALSE( log.Lines().empty() ) << "the order warnings";
}

TEST_F( GameplayTest, DraggingCrossesOpenFloorStopsAtWallsAndMakesNoises )
{
    Load( Player( 300, 300 ) + BadGuy( { { 95, 95 }, { 100, 550 } } ) + "<BadguyEnabled>0</BadguyEnabled>" );
    gameplay->UpdatePathDistance();
    ASSERT_GT( gameplay->GetPathDistance(), 200.0f );
    Drag( 295, 295, 345, 305 );
    EXPECT_EQ( Icon(), ( P{ 340, 300 } ) );
    EXPECT_TRUE( gameplay->IsDragging() );
    gameplay->OnButtonUp( MOUSE_BUTTON_LEFT );
    EXPECT_NEAR( gameplay->GetBoost(), gameplay->GetPathDistance() / 5.0f, 0.01f ) << "letting go is a noise";
    // A flick beyond the wall stops where the centre is still open (at 400 it
    // sees the open 399) and drops the icon with a bump worth half the path.
    gameplay->SetBoost( 0 );
    Drag( 345, 305, 705, 305 );
    EXPECT_EQ( Icon(), ( P{ 390, 300 } ) );
    EXPECT_FALSE( gameplay->IsDragging() );
    EXPECT_GE( gameplay->GetBoost(), gameplay->GetPathDistance() * 0.5f - 0.01f );
    gameplay->OnMouseMove( 365, 305 );
    Drag( 100, 100, 120, 120 ); // beside the icon
    gameplay->SetPaused( true );
    Drag( 395, 305, 200, 200 );
    EXPECT_EQ( Icon(), ( P{ 390, 300 } ) ) << "neither a dropped icon, a press beside it nor a paused game moves it";
    gameplay->SetPaused( false );
    CTaskManager::GetSingletonPtr()->SetHolding( "menu", true );
    Drag( 395, 305, 200, 200 );
    EXPECT_EQ( Icon(), ( P{ 390, 300 } ) ) << "nor does the pointer working a menu over the held game";
    CTaskManager::GetSingletonPtr()->SetHolding( "menu", false );
    gameplay->OnButtonUp( MOUSE_BUTTON_LEFT );
    // Below the wall's end one flick crosses the room whole.
    gameplay->SetBoost( 0 );
    Drag( 400, 310, 400, 555 );
    ASSERT_EQ( Icon(), ( P{ 390, 545 } ) );
    Drag( 400, 555, 750, 570 );
    EXPECT_EQ( Icon(), ( P{ 740, 560 } ) );
    EXPECT_TRUE( gameplay->IsDragging() );
    EXPECT_EQ( gameplay->GetBoost(), 0.0f );
}

TEST_F( GameplayTest, BadGuyPatrolsItsPathAtItsSpeedAndStopsAtTheEnd )
{
    Load( Player( 700, 50 ) + BadGuy( { { 95, 95 }, { 200, 100 }, { 200, 200 } },
                                      "<BadGuySpeed>100</BadGuySpeed><BadGuyAiRange>10</BadGuyAiRange>" ) );
    world.Clock().Advance( 5000 );
    gameplay->Tick();
    EXPECT_NEAR( gameplay->GetBadguyPosition().x, 125.0f, 0.01f ) << "a long pause is a step of a quarter second";
    Run( 500 );
    EXPECT_NEAR( gameplay->GetBadguyPosition().x, 176.0f, 2.0f );
    Run( 2000 );
    EXPECT_EQ( gameplay->GetBadguyPosition(), ( V{ 200, 200 } ) );
    EXPECT_EQ( gameplay->GetBadguySprite()->GetX(), 195 );
    EXPECT_FALSE( gameplay->IsCaught() );
}

TEST_F( GameplayTest, SeeingThePlayerStartsAChaseWithAShriekAndCatches )
{
    Load( Player( 300, 200 ) + BadGuy( { { 95, 195 }, { 100, 500 } },
                                       "<BadGuySpeed>20</BadGuySpeed><BadGuyAiRange>250</BadGuyAiRange>" ) );
    Run( 17 );
    EXPECT_TRUE( gameplay->IsChasing() );
    EXPECT_GT( gameplay->GetAlarm(), 4.9f );
    ASSERT_EQ( world.audioLines.size(), 1u );
    EXPECT_EQ( world.audioLines[ 0 ].rfind( "PlayEffect( \"data/sfx/shriek_0", 0 ), 0u );
    Run( 5000 );
    EXPECT_TRUE( gameplay->IsCaught() );
    EXPECT_EQ( world.audioLines.size(), 1u ) << "one shriek for the jump in speed";
}

TEST_F( GameplayTest, WallsHideThePlayerAndABadGuyThatLosesSightGoesBackToItsPath )
{
    Load( Player( 500, 200 ) + BadGuy( { { 295, 195 }, { 300, 100 } }, "<BadGuyAiRange>300</BadGuyAiRange>" ) );
    Run( 500 );
    EXPECT_FALSE( gameplay->IsChasing() ) << "the wall is between them";
    Load( Player( 300, 300 ) + BadGuy( { { 295, 545 }, { 600, 550 }, { 600, 100 }, { 350, 560 } },
                                       "<BadGuyAiRange>400</BadGuyAiRange>" ) );
    Run( 17 );
    ASSERT_TRUE( gameplay->IsChasing() );
    // The player hides; the bad guy still sees the first, second and last
    // points, and takes the last of them.
    gameplay->SetPlayerShown( false );
    Run( 17 );
    EXPECT_FALSE( gameplay->IsChasing() );
    EXPECT_EQ( gameplay->GetPathIndex(), 3u );
    Load( Player( 300, 300 ) + BadGuy( { { 295, 195 }, { 300, 100 } }, "<BadGuyChasesPlayer>0</BadGuyChasesPlayer>" ) );
    Run( 500 );
    EXPECT_FALSE( gameplay->IsChasing() ) << "one that does not chase patrols on";
    EXPECT_LT( gameplay->GetBadguyPosition().y, 200.0f );
}

TEST_F( GameplayTest, AreaEventsAndPortalsFireInsideTheirCircleAsOftenAsCounted )
{
    Load( Player( 100, 100 ) + Event( 150, 100, 20, "Ring()", 2 ) );
    Drag( 100, 100, 130, 100 ); // centre exactly 20 away: outside
    EXPECT_TRUE( scripts.empty() );
    for( int x = 131; x <= 133; ++x )
        gameplay->OnMouseMove( x, 100 );
    EXPECT_EQ( scripts, ( Strings{ "Ring()", "Ring()" } ) );
    scripts.clear();
    Load( Player( 100, 100 ) + "<AreaEvents></AreaEvents><Portals>"
          "<Portal><Position x=\"130\" y=\"100\"/><NextFile>first.xml</NextFile></Portal>"
          "<Portal><Position x=\"130\" y=\"100\"/><NextFile>second.xml</NextFile></Portal></Portals>" );
    Drag( 100, 100, 110, 100 );
    EXPECT_EQ( scripts, ( Strings{ "LoadLevel( \"first.xml\")", "LoadLevel( \"second.xml\")" } ) ) << "the last wins";
    // A portal added by an event's script fires in the same pass.
    scripts.clear();
    Load( Player( 100, 100 ) + "<Portals></Portals>" + Event( 110, 100, 30, "door", 1 ) );
    onRun = [ this ]( const std::string& text ) {
        if( text == "door" )
            gameplay->AddPortal( P{ 120, 100 }, "data/gfx/portal.xml", "data/levels/next.xml" );
    };
    Drag( 100, 100, 105, 100 );
    EXPECT_EQ( scripts, ( Strings{ "door", "LoadLevel( \"data/levels/next.xml\")" } ) );
}

// An author may put places anywhere in the int range: distances far across
// it are measured exactly, and play at its limits goes on without overflow.
TEST_F( GameplayTest, DistancesHoldAcrossTheWholeIntRange )
{
    Load( Player( 100, 100 ) + Event( 100100, 100, 99990, "Far()", 1 ) );
    Drag( 100, 100, 105, 100 ); // 99,995 pixels away
    EXPECT_TRUE( scripts.empty() );
    gameplay->OnMouseMove( 115, 100 ); // 99,985 pixels away
    EXPECT_EQ( scripts, ( Strings{ "Far()" } ) );
    EXPECT_FALSE( gameplay->HasLineOfSight( V{ 100, 100 }, V{ 3e9f, -3e9f } ) );
    Load( Player( 2147483647, -2147483647 - 1 ) +
          "<BadGuyPath><PathPoint x=\"2147483647\" y=\"2147483647\"/><PathPoint x=\"-2147483648\" y=\"0\"/>"
          "</BadGuyPath>" );
    EXPECT_GT( Icon().x, 2147483000 );
    EXPECT_LT( Icon().y, -2147483000 );
    Drag( 2147483647, -2147483647, 2147483647, -2147483640 );
    Run( 2000 );
    EXPECT_FALSE( gameplay->IsCaught() );
    EXPECT_GT( gameplay->GetBadguySprite()->GetX(), 2147483000 );
}

TEST_F( GameplayTest, TheDataCheckerPassesAGoodLevelAndNamesEachProblemWithItsFileAndKey )
{
    world.Write( "data/levels/next.xml", "<Level/>\n" );
    EXPECT_EQ( Check( "<Portals><Portal><Position x=\"300\" y=\"550\"/><PortalImage>data/gfx/portal.xml</PortalImage>"
                      "<NextFile>data/levels/next.xml</NextFile></Portal></Portals>" +
                      BadGuy( { { 50, 50 }, { 100, 550 } } ) ),
               "" );
    EXPECT_EQ( errors, 0 );
    EXPECT_TRUE( Reports( Check( "<BadGuyImage>data/gfx/nobody.xml</BadGuyImage><Portals><Portal>"
                                 "<Position x=\"300\" y=\"550\"/><NextFile>data/levels/gone.xml</NextFile></Portal>"
                                 "</Portals>" ),
                          { "error: data/levels/l.xml: BadGuyImage: the file \"data/gfx/nobody.xml\" does not exist",
                            "Portals/Portal 1/NextFile: the file \"data/levels/gone.xml\" does not exist" } ) );
    EXPECT_TRUE( Reports( Check( "<BadGuySpeed>10</BadGuySpeed><StartUpExecute></StartUpExecute><BadGuySpede>3"
                                 "</BadGuySpede>" ),
                          { "error: data/levels/l.xml: BadGuySpede: unknown key",
                            "warning: data/levels/l.xml: StartUpExecute: comes after" } ) );
    EXPECT_TRUE( Reports( Check( "<Portals><Portal><Position x=\"600\" y=\"100\"/><NextFile>data/levels/next.xml"
                                 "</NextFile></Portal></Portals>" + BadGuy( { { 50, 50 }, { 600, 300 } } ) ),
                          { "area event at 600,100: cannot be reached",
                            "BadGuyPath/PathPoint 2: on closed floor at 600,300" } ) );
    EXPECT_TRUE( Reports( Check( "", Player( 600, 100 ) ),
                          { "PlayerPosition: the player starts on closed floor at 600,100" } ) );
    EXPECT_TRUE( Reports( Check( "<StartUpExecute>PlayMusic( \"data/music/none.ogg\" );\n"
                                 "Audio::PlayEffect( \"x.wav\" );\nvisited = 1;\nSetPlayerShown( 1 );"
                                 "</StartUpExecute>" ),
                          { "StartUpExecute (PlayMusic): the file \"data/music/none.ogg\" does not exist",
                            "calls PlayEffect, which the game does not know" } ) );
    EXPECT_EQ( errors, 2 ) << "the script's other lines are the game's own";
    // A name longer than the system takes is a missing file, not a crash.
    const std::string tooLong( 5000, 'a' );
    EXPECT_TRUE( Reports( Check( "<BadGuyImage>" + tooLong + "</BadGuyImage>" ),
                          { "the file \"" + tooLong + "\" does not exist" } ) );
    CDataChecker checker;
    checker.CheckLevel( tooLong );
    EXPECT_TRUE( Reports( checker.Report(), { tooLong + ": : the level file does not exist" } ) );
    // With a caption file, each sound the game plays without a caption is named once, where it is played.
    world.Write( "data/captions.xml", "<Captions><Caption sound_file=\"a.wav\">[a]</Caption><Caption sound_file=\""
                                      "data/sfx/shriek_01.wav\">[a shriek]</Caption></Captions>\n" );
    world.Write( "data/gfx/s.xml", "<Sprite type=\"sprite_animated\"><Animation name=\"x\"><Frame type=\"frame_sound"
                                   "\" sound_file=\"a.wav\"/><Frame type=\"frame_sound\" sound_file=\"b.wav\"/>"
                                   "</Animation></Sprite>\n" );
    const std::string report = Check( "<StartUpExecute>AddSprite( \"s\", \"data/gfx/s.xml\" );\nAudio::PlayEffect( "
                                      "\"c.wav\" );\nAudio::PlayEffect( \"a.wav\" );</StartUpExecute>" );
    EXPECT_TRUE( Reports( report, { "warning: data/levels/l.xml: StartUpExecute (PlayEffect): the sound \"c.wav\" has "
                                    "no caption in data/captions.xml",
                                    "data/gfx/s.xml: sound_file: the sound \"b.wav\"",
                                    "the game's code: the bad guy's shriek: the sound \"data/sfx/shriek_02.wav\"" } ) );
    std::size_t uncaptioned = 0;
    for( auto at = report.find( "no caption" ); at != std::string::npos; at = report.find( "no caption", at + 1 ) )
        ++uncaptioned;
    EXPECT_EQ( uncaptioned, 4u ) << "shrieks 2 and 3, b.wav and c.wav";
}

TEST_F( GameplayTest, TheDataCheckerWarnsOfAStartUnderTheOpeningDialogueAndOfSpritesOverText )
{
    // The box (Z 100) rests on the bottom at y 441 while a dialogue shows.
    world.Write( "data/gfx/sign.xml", "<Sprite type=\"sprite_text\"><ImageRect x=\"100\" y=\"100\" w=\"200\" "
                                      "h=\"30\"/><FontFile>nothing</FontFile><Text>Beware</Text></Sprite>\n" );
    world.Describe( "front", { 0, 0, 20, 20 }, 255, "<Z>5</Z>" );
    world.Describe( "behind", { 0, 0, 20, 20 }, 255, "<Z>300</Z>" );
    const std::string talk = "<StartUpExecute>DoDialog( \"\", \"Hush.\" );</StartUpExecute>";
    auto place = []( const char* name, int x, int y ) {
        return "<StartUpExecute>AddSprite( \"sign\", \"data/gfx/sign.xml\" );AddSprite( \"s\", \"data/gfx/" +
               std::string( name ) + ".xml\" );SpriteMoveTo( \"s\", " + std::to_string( x ) + ", " +
               std::to_string( y ) + " );</StartUpExecute>";
    };
    const struct
    {
        std::string start, keys, warning;
    } cases[] = {
        { Player( 100, 520 ), talk, "PlayerPosition: the player starts at 100,520, under the box of the dialogue" },
        { Player( 100, 430 ), talk, "" },
        { Player( 100, 520 ), "", "" },
        { Player( 100, 100 ), place( "behind", 290, 120 ), "StartUpExecute: the sprite \"s\" (data/gfx/behind.xml at "
                                                           "290,120 20x20) is drawn over the text sprite \"sign\"" },
        { Player( 100, 100 ), place( "front", 300, 430 ), "(Z 5) is drawn over the dialogue box (0,441 800x160, Z 100)" },
        { Player( 100, 100 ), place( "behind", 300, 430 ), "" },
    };
    for( const auto& c : cases )
    {
        const std::string report = Check( "", c.keys + c.start );
        EXPECT_EQ( report.find( "warning" ) != std::string::npos, !c.warning.empty() ) << report;
        EXPECT_TRUE( Reports( report, { c.warning } ) );
    }
}

TEST_F( GameplayTest, DebugOverlaysDrawTheLevelWhereItIsAndLeaveTheFrameAsItWas )
{
    CDebugOverlays& overlays = CScreenLayer::GetSingletonPtr()->GetDebugOverlays();
    const std::vector<std::unique_ptr<CGameplayOverlay>> made = CGameplayOverlay::MakeAll( *gameplay );
    for( const auto& overlay : made )
        ASSERT_TRUE( overlays.Add( overlay.get() ) );
    CSurface& screen = *CScreenLayer::GetScreenSurface();
    const types::rect all{ 0, 0, 800, 600 };
    const CColor none( 0, 0, 0, 0 );
    // The overlay, the player's place, where the overlay's pixels may lie and
    // a colour it shows. A bad guy centred at 205,305 sees 60 pixels and heads
    // for its second path point, 300,300; the wall runs
    // from x 400 to 439 down to y 499; an event for the player at 600,520.
    const std::tuple<const char*, P, types::rect, CColor> cases[] = {
        { "walkmask", { 100, 100 }, { 400, 0, 40, 500 }, none },
        { "paths", { 100, 100 }, { 190, 290, 120, 20 }, CColor( 255, 255, 0 ) },
        { "sight", { 100, 100 }, { 95, 95, 175, 275 }, CColor( 0, 255, 0 ) },
        { "sight", { 600, 100 }, { 140, 95, 480, 275 }, CColor( 255, 0, 0 ) },
        { "areas", { 100, 100 }, { 570, 490, 61, 61 }, CColor( 0, 255, 0 ) },
    };
    for( const auto& [ name, player, region, colour ] : cases )
    {
        SCOPED_TRACE( std::string( name ) + " " + std::to_string( player.x ) );
        Load( Player( player.x, player.y ) +
              BadGuy( { { 200, 300 }, { 300, 300 } }, "<BadGuyAiRange>60</BadGuyAiRange>" ) +
              Event( 600, 520, 30, "door", 2 ) );
        world.Frame();
        const std::vector<CColor> frame = screen.GetPixels( all );
        ASSERT_TRUE( overlays.TurnOn( name ) );
        overlays.Paint( screen );
        const std::vector<CColor> painted = screen.GetPixels( all );
        int changed = 0, outside = 0;
        bool shown = colour == none;
        for( int i = 0; i < 800 * 600; ++i )
        {
            if( painted[ i ] == frame[ i ] )
                continue;
            ++changed;
            outside += types::Intersects( region, types::rect{ i % 800, i / 800, 1, 1 } ) ? 0 : 1;
            shown = shown || painted[ i ] == colour;
        }
        EXPECT_GT( changed, 30 );
        EXPECT_EQ( outside, 0 );
        EXPECT_TRUE( shown );
        overlays.Restore( screen );
        EXPECT_EQ( screen.GetPixels( all ), frame );
        overlays.TurnAllOff();
    }
}
