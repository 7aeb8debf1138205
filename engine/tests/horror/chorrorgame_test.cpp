// The game object driven as the game task drives it: commands, pending
// loads, the ticks' priorities, restarting after a capture, reloading an
// edited level, the end, and the background layer behind it all; and the
// inputs that once broke the game's loaders, replayed through its fuzz
// targets.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "horror/cbackgroundlayer.h"
#include "horror/cdialogue.h"
#include "horror/chorrorgame.h"
#include "horror/chorrortask.h"
#include "harness/fuzzhorror.h"
#include "horror/gameworld.h"
#include "support/fuzzreplay.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/gfx/cdebugoverlays.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/enginetime.h"

using namespace horror;
using namespace tarn;
using horror::test::CGameWorld;

namespace {

// An open level with the player at 100, 100.
const std::string OPEN_AT_100 =
    "<LevelBackgroundImage>data/gfx/open.tga</LevelBackgroundImage><PlayerPosition x=\"100\" y=\"100\"/>";

class GameTest : public ::testing::Test
{
protected:
    GameTest()
    {
        world.MakeMask( "open" );
        for( const char* name : { "badguy", "thing", "portal", "floating_things_01", "floating_things_02",
                                  "floating_things_03", "floating_things_04" } )
            world.MakeSprite( name, 10, 10 );
        Level( "a", OPEN_AT_100 );
        Level( "b", "<StartUpExecute>AddSprite( \"b\", \"data/gfx/thing.xml\" )</StartUpExecute>" );
    }

    void Level( const std::string& name, const std::string& keys )
    {
        world.Write( "data/levels/" + name + ".xml", "<Level>" + keys + "</Level>\n" );
    }
    std::string Run( const std::string& line ) { return game->GetConsole().Execute( line ); }
    void Update( int passes = 1 )
    {
        for( int i = 0; i < passes; ++i )
            game->Update();
    }

    CGameWorld world{ "game" };
    std::unique_ptr<CHorrorGame> game = std::make_unique<CHorrorGame>();
};

} // namespace

TEST_F( GameTest, CommandsNeedParenthesesAndTakeDefaults )
{
    EXPECT_EQ( Run( "LoadLevel" ), "Error: need parameters" );
    EXPECT_EQ( Run( "SetPlayerEnabled" ), "Error: need parameters" );
    EXPECT_EQ( Run( "LoadLevel( \"x.xml\" )" ), "" );
    EXPECT_EQ( game->GetPendingLevel(), "x.xml" );
    Run( "LoadLevel( 5 )" );
    EXPECT_EQ( game->GetPendingLevel(), "" );
    CHorrorGameplay& gameplay = game->GetGameplay();
    for( const auto& [ line, enabled ] : { std::pair{ "SetPlayerEnabled( 0 )", false },
                                           std::pair{ "SetPlayerEnabled( \"no\" )", true },
                                           std::pair{ "SetPlayerEnabled( 0.5 )", false },
                                           std::pair{ "game::SetPlayerEnabled()", true } } )
    {
        Run( line );
        EXPECT_EQ( gameplay.IsPlayerEnabled(), enabled ) << line;
    }
    // Scripts run line by line whatever the line ends.
    game->RunScript( "LoadLevel( \"one\" )\r\n\r\nLoadDialog( \"two\" )\rSetBadguyShown( 0 )" );
    EXPECT_EQ( game->GetPendingLevel() + " " + game->GetPendingDialogue(), "one two" );
    Run( "PlayMusic( \"a.ogg\" ); PlayMusic( \"a.ogg\" )" );
    Run( "PlayMusic( \"b.ogg\" ); PlayMusic( \"a.ogg\" )" );
    // A game line addressed to the audio task does not leave the game console.
    Run( "Audio::StopMusic()" );
    EXPECT_EQ( world.audioLines, ( std::vector<std::string>{ "PlayMusicFadeIn( \"a.ogg\", 500 )",
                                                               "PlayMusicFadeIn( \"b.ogg\", 500 )",
                                                               "PlayMusicFadeIn( \"a.ogg\", 500 )" } ) );
}

TEST_F( GameTest, OnlyTheLastPendingLevelLoadsAndBeforeAPendingDialogue )
{
    Run( "LoadLevel( \"data/levels/b.xml\" ); LoadLevel( \"data/levels/a.xml\" ); LoadDialog( \"d.xml\" )" );
    Update();
    EXPECT_EQ( game->GetCurrentLevel(), "data/levels/a.xml" );
    EXPECT_EQ( game->GetPendingDialogue(), "d.xml" );
    Update();
    EXPECT_EQ( game->GetPendingDialogue(), "" );
    // A level whose start-up script asks for the next one: that one loads
    // at the following update.
    Level( "hall", "<StartUpExecute>LoadLevel( \"data/levels/b.xml\" )</StartUpExecute>" );
    Run( "LoadLevel( \"data/levels/hall.xml\" )" );
    Update();
    EXPECT_EQ( game->GetCurrentLevel(), "data/levels/hall.xml" );
    EXPECT_EQ( game->GetPendingLevel(), "data/levels/b.xml" );
    Update();
    EXPECT_EQ( game->GetCurrentLevel(), "data/levels/b.xml" );
}

TEST_F( GameTest, NamedSpritesAreKeptByNameAndClearedByALevelLoad )
{
    Run( "AddSprite( \"door\", \"data/gfx/thing.xml\" )" );
    CSprite* first = game->GetNamedSprites().at( "door" ).get();
    Run( "AddSprite( \"door\", \"data/gfx/badguy.xml\" )" );
    EXPECT_EQ( game->GetNamedSprites().at( "door" ).get(), first );
    Run( "SpriteMoveTo( \"door\", 30.7, 40 ); SpriteMoveTo( \"nobody\", 1, 1 )" );
    EXPECT_EQ( first->GetX(), 30 );
    Run( "RemoveSprite( \"door\" )" );
    EXPECT_TRUE( game->GetNamedSprites().empty() );
    // A level's start-up script runs after the level's named sprites went.
    Run( "AddSprite( \"old\", \"data/gfx/thing.xml\" ); LoadLevel( \"data/levels/b.xml\" )" );
    Update();
    EXPECT_EQ( game->GetNamedSprites().count( "old" ), 0u );
    EXPECT_EQ( game->GetNamedSprites().count( "b" ), 1u );
}

TEST_F( GameTest, CaptureRestartsTheCurrentLevel )
{
    Level( "trap", OPEN_AT_100 + "<BadGuyImage>data/gfx/badguy.xml</BadGuyImage><BadGuyPath>"
                                 "<PathPoint x=\"97\" y=\"97\"/><PathPoint x=\"300\" y=\"300\"/></BadGuyPath>" );
    Run( "LoadLevel( \"data/levels/trap.xml\" )" );
    Update();
    world.Clock().Advance( 20 );
    Update();
    EXPECT_TRUE( game->GetGameplay().IsCaught() );
    EXPECT_EQ( game->GetPendingLevel(), "data/levels/trap.xml" );
    Update();
    EXPECT_FALSE( game->GetGameplay().IsCaught() );
}

// An author's reload reads the level's files again: a changed picture shows
// (the image cache reads it anew, though the running level still shows the
// old one), and a file that would not load leaves the level running, with a
// line naming the file and why. Watched, a change is noticed within a second.
TEST_F( GameTest, ReloadShowsChangedPicturesAndKeepsTheLevelPastABrokenFile )
{
    tarn::test::CLogCapture log;
    const std::string room = OPEN_AT_100 + "<StartUpExecute>AddSprite( \"thing\", \"data/gfx/thing.xml\" )"
                                           "</StartUpExecute>";
    Level( "room", room );
    EXPECT_FALSE( game->ReloadLevel() ) << "no level runs yet";
    Run( "LoadLevel( \"data/levels/room.xml\" )" );
    Update();
    ASSERT_TRUE( game->GetGameplay().IsOpen( { 50, 50 } ) );
    world.MakeMask( "open", { { 0, 0, 200, 200 } } );
    EXPECT_EQ( Run( "ReloadLevel" ), "" );
    EXPECT_EQ( game->GetPendingLevel(), "data/levels/room.xml" );
    Update();
    EXPECT_FALSE( game->GetGameplay().IsOpen( { 50, 50 } ) ) << "the new picture's wall";

    world.Write( "data/gfx/noise.png", "not a picture" );
    // The file to write, its text, and the fault found.
    const std::string cases[][ 3 ] = {
        { "data/levels/room.xml", "<Level><StartUpExecute>AddSprite( \"thing\", \"data/gfx/thing.xml\" )\n",
          "data/levels/room.xml: ends before the element <StartUpExecute> is closed" },
        { "data/levels/room.xml", "<Level><StartUpExecute>LoadDialog( \"data/levels/b.xml\" )</StartUpExecute></Level>",
          "data/levels/b.xml: holds a <Level>, not a <WittyDialog>" },
        { "data/gfx/thing.xml", "<Sprite><ImageFilename>data/gfx/gone.png</ImageFilename></Sprite>",
          "data/gfx/gone.png: does not exist" },
        { "data/gfx/thing.xml", "<Sprite><ImageFilename>data/gfx/noise.png</ImageFilename></Sprite>",
          "data/gfx/noise.png: does not load as a picture" },
    };
    for( const auto& [ file, text, fault ] : cases )
    {
        world.Write( file, text );
        EXPECT_FALSE( game->ReloadLevel() ) << file;
        EXPECT_TRUE( log.Contains( "The level data/levels/room.xml was not reloaded: " + fault ) ) << fault;
        EXPECT_EQ( game->GetPendingLevel(), "" );
        EXPECT_EQ( game->GetNamedSprites().count( "thing" ), 1u ) << "the level runs on";
        Level( "room", room );
        world.MakeSprite( "thing", 10, 10 );
    }

    *game->GetWatchFilesFlag() = true;
    Update();
    world.MakeSprite( "thing", 120, 120 );
    const auto thingWidth = [ this ] { return game->GetNamedSprites().at( "thing" )->GetRect().w; };
    world.Clock().Advance( CHorrorGame::WATCH_INTERVAL - 1 );
    Update();
    EXPECT_EQ( thingWidth(), 10 );
    world.Clock().Advance( 1 );
    Update();
    EXPECT_EQ( thingWidth(), 120 );
}

TEST_F( GameTest, GameplayTickHasPriorityOverTheBackgroundStep )
{
    world.Write( "data/gfx/layer.xml", "<BackgroundLayer><CreateCrapground>0</CreateCrapground></BackgroundLayer>\n" );
    game->GetBackgroundLayer().LoadBackgroundLayer( "data/gfx/layer.xml" );
    const types::vector2 before = game->GetBackgroundLayer().GetFloatingThings()[ 0 ].GetPosition();
    // Every pass is late for every tick: only the gameplay ticks.
    for( int i = 0; i < 5; ++i )
    {
        world.Clock().Advance( 250 );
        Update();
    }
    EXPECT_EQ( game->GetBackgroundLayer().GetFloatingThings()[ 0 ].GetPosition(), before );
    // Paused gameplay: the dialogue and the background take turns.
    game->GetGameplay().SetPaused( true );
    world.Clock().Advance( 250 );
    Update( 2 );
    EXPECT_NE( game->GetBackgroundLayer().GetFloatingThings()[ 0 ].GetPosition(), before );
}

TEST_F( GameTest, EndGameFadesInTheEndAndQuitsTenSecondsLater )
{
    world.MakeSprite( "end_of_game_blackout", 800, 600 );
    world.MakeSprite( "end_of_game_animation", 100, 100 );
    Run( "EndGame" );
    world.Clock().Advance( 10000 );
    game->GetGameplay().SetPaused( true );
    Update();
    EXPECT_FALSE( CTaskManager::GetSingletonPtr()->IsQuitRequested() );
    world.Clock().Advance( 1 );
    Update();
    EXPECT_TRUE( CTaskManager::GetSingletonPtr()->IsQuitRequested() );
}

TEST_F( GameTest, TheGameTaskTakesItsLinesAndDraggingIntoAPortalLoadsTheNextLevel )
{
    tarn::test::CLogCapture log;
    Level( "start", OPEN_AT_100 + "<Portals><Portal><Position x=\"200\" y=\"100\"/><PortalImage>data/gfx/portal.xml"
                                  "</PortalImage><NextFile>data/levels/a.xml</NextFile></Portal></Portals>" );
    game.reset();
    ASSERT_TRUE( CTaskFactory::GetSingletonPtr()->StartTask( "game", "Game", 50, nullptr ) );
    CTask* task = CTaskFactory::GetSingletonPtr()->FindTask( "Game" );
    EXPECT_TRUE( task->PausesWhenInactive() );
    CHorrorGame* running = static_cast<CHorrorTask*>( task )->GetGame();
    GetConsole()->Execute( "Game::LoadLevel( \"data/levels/start.xml\" );" );
    EXPECT_EQ( running->GetPendingLevel(), "data/levels/start.xml" );
    CTaskManager::GetSingletonPtr()->RunOnce();
    EXPECT_TRUE( log.Contains( "Level loaded: data/levels/start.xml" ) );
    std::weak_ptr<CSprite> portal = running->GetGameplay().GetPortalSprites().at( 0 );
    CGameWorld::MoveMouse( 100, 100 );
    CGameWorld::Press( MOUSE_BUTTON_LEFT );
    for( int x = 110; x <= 180; x += 10 )
        CGameWorld::MoveMouse( x, 100 );
    CGameWorld::Release( MOUSE_BUTTON_LEFT );
    EXPECT_EQ( running->GetPendingLevel(), "data/levels/a.xml" );
    CTaskManager::GetSingletonPtr()->RunOnce();
    EXPECT_TRUE( log.Contains( "Level loaded: data/levels/a.xml" ) );
    EXPECT_TRUE( portal.expired() ) << "the first level's portal left the screen";
}

// While the developer console is open the game holds still: the bad guy
// stays, the dialogue types no further, and no timer jumps when it closes.
TEST_F( GameTest, TheGameHoldsStillWhileTheConsoleIsOpen )
{
    Level( "patrol", OPEN_AT_100 + "<BadGuyImage>data/gfx/badguy.xml</BadGuyImage><BadGuyPath>"
                                   "<PathPoint x=\"400\" y=\"400\"/><PathPoint x=\"700\" y=\"400\"/></BadGuyPath>" );
    world.Write( "data/dialogs/talk.xml", "<WittyDialog><DialogLine><SpeakerImage>data/gfx/portrait_moth.xml"
                                          "</SpeakerImage><Dialogue>A long line that types on slowly</Dialogue>"
                                          "</DialogLine></WittyDialog>\n" );
    game.reset();
    CTaskFactory* tasks = CTaskFactory::GetSingletonPtr();
    ASSERT_TRUE( tasks->StartTask( "game", "Game", 50, nullptr ) && tasks->StartTask( "debug", "Debug", 80, nullptr ) );
    CHorrorGame* running = static_cast<CHorrorTask*>( tasks->FindTask( "Game" ) )->GetGame();
    GetConsole()->Execute( "debug_console_holds_game = 1" );
    GetConsole()->Execute( "Game::LoadLevel( \"data/levels/patrol.xml\" )" );
    const auto pass = [ & ]( types::ticks ms ) {
        world.Advance( ms );
        CTaskManager::GetSingletonPtr()->RunOnce();
    };
    const auto holdFor = [ & ]( types::ticks ms ) {
        GetConsole()->Execute( "Debug::ToggleConsole" );
        const types::ticks gameTime = GameTime();
        const types::vector2 badguy = running->GetGameplay().GetBadguyPosition();
        const unsigned typed = running->GetDialogue()->GetShownChars();
        for( types::ticks waited = 0; waited < ms; waited += 50 )
            pass( 50 );
        EXPECT_EQ( GameTime(), gameTime );
        EXPECT_EQ( running->GetGameplay().GetBadguyPosition(), badguy );
        EXPECT_EQ( running->GetDialogue()->GetShownChars(), typed );
        GetConsole()->Execute( "Debug::ToggleConsole" );
        pass( 20 );
        EXPECT_EQ( GameTime(), gameTime + 20 ) << "the clock goes on from where it stood";
    };
    for( int i = 0; i < 10; ++i )
        pass( 50 );
    const types::vector2 start = running->GetGameplay().GetBadguyPosition();
    holdFor( 5000 );
    EXPECT_NE( running->GetGameplay().GetBadguyPosition(), start ) << "it moves again";
    EXPECT_LT( ( running->GetGameplay().GetBadguyPosition() - start ).Length(), 20.0f ) << "but a step, not five seconds";
    GetConsole()->Execute( "Game::LoadDialog( \"data/dialogs/talk.xml\" )" );
    for( int i = 0; i < 20; ++i )
        pass( 50 );
    ASSERT_GT( running->GetDialogue()->GetShownChars(), 0u );
    holdFor( 3000 );
}

TEST_F( GameTest, BackgroundLayerFileSwitchesTheDecorationsAndThingsDriftAPixelAStep )
{
    world.MakeSprite( "picture", 800, 600 );
    for( const char* name : { "background_crap_01", "background_crap_02", "background_crap_03", "background_crap_04" } )
        world.MakeSprite( name, 40, 30 );
    CBackgroundLayer layer;
    world.Write( "bare.xml", "<BackgroundLayer><LevelBackgroundImage>data/gfx/picture.xml</LevelBackgroundImage>"
                             "<CreateCrapground>0</CreateCrapground><FloatThingsAround>0</FloatThingsAround>"
                             "</BackgroundLayer>\n" );
    layer.LoadBackgroundLayer( "bare.xml" );
    ASSERT_NE( layer.GetBackground(), nullptr );
    EXPECT_FALSE( layer.GetBackground()->IsEmpty() );
    EXPECT_EQ( layer.GetCrapSprites()[ 0 ], nullptr );
    EXPECT_TRUE( layer.GetFloatingThings().empty() );
    // By default a decoration is centred in each quarter, and two things float.
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
    // A thing drifts one pixel along the larger axis; standing on its target
    // it takes a new one without dividing by zero.
    CFloatingThing thing;
    thing.Init( "data/gfx/floating_things_01.xml", types::vector2{ 100, 100 }, types::vector2{ 200, 100 } );
    EXPECT_EQ( thing.GetPosition(), ( types::vector2{ 96, 95 } ) );
    thing.Step();
    EXPECT_EQ( thing.GetSprite()->GetX(), 97 );
    CFloatingThing still;
    still.Init( "data/gfx/floating_things_02.xml", types::vector2{ 100, 100 }, types::vector2{ 100, 100 } );
    EXPECT_EQ( still.GetPosition(), ( types::vector2{ 95, 95 } ) );
    EXPECT_NE( still.GetTarget(), ( types::vector2{ 95, 95 } ) );
}

namespace {

class HorrorFuzzInputs : public tarn::test::FuzzReplayTest, public ::testing::WithParamInterface<const char*>
{
};

} // namespace

// Level, dialogue and background-layer files that once broke a loader load
// (or are refused) cleanly, from the game's folder.
TEST_P( HorrorFuzzInputs, ReplayCleanly )
{
    const std::string target = GetParam();
    auto* replay = target == "level"      ? &horror::test::FuzzLevelInput
                   : target == "dialogue" ? &horror::test::FuzzDialogueInput
                                          : &horror::test::FuzzBackgroundInput;
    EXPECT_GT( tarn::test::ReplayFuzzInputs( "horror", target, replay ), 0 );
}

INSTANTIATE_TEST_SUITE_P( Targets, HorrorFuzzInputs, ::testing::Values( "level", "dialogue", "background" ) );

TEST_F( GameTest, TheGameOffersItsDebugOverlaysWhileItLivesInTheOrderF4StepsThroughThem )
{
    CDebugOverlays& overlays = CScreenLayer::GetSingletonPtr()->GetDebugOverlays();
    const std::vector<std::string> all{ "walkmask", "paths", "sight", "areas", "dirty" };
    EXPECT_EQ( overlays.GetNames(), all );
    EXPECT_EQ( overlays.TurnOnNext(), "walkmask" );
    EXPECT_EQ( overlays.TurnOnNext(), "paths" );
    game.reset();
    EXPECT_EQ( overlays.GetNames(), std::vector<std::string>{ "dirty" } );
    overlays.Paint( *CScreenLayer::GetScreenSurface() );
    EXPECT_TRUE( overlays.IsOn( "paths" ) ) << "back with the next game";
    game = std::make_unique<CHorrorGame>();
    EXPECT_EQ( overlays.GetNames(), all );
    EXPECT_EQ( overlays.TurnOnNext(), "sight" );
}
