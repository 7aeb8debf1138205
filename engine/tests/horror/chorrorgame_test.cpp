// The game object driven as the game task drives it: commands, pending
// loads, the ticks' priorities, restarting after a capture, and the end.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "horror/cbackgroundlayer.h"
#include "horror/chorrorgame.h"
#include "horror/chorrortask.h"
#include "horror/gameworld.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/gfx/cspriteupdater.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"

using namespace horror;
using namespace tarn;

namespace {

class GameTest : public ::testing::Test
{
protected:
    GameTest() : world( "game" )
    {
        world.MakeMask( "open", []( int, int ) { return true; } );
        world.MakeSprite( "badguy", 10, 10 );
        world.MakeSprite( "thing", 8, 8 );
        world.Write( "data/levels/a.xml", "<Level><LevelBackgroundImage>data/gfx/open.tga</LevelBackgroundImage>"
                                          "<PlayerPosition x=\"100\" y=\"100\"/></Level>\n" );
        world.Write( "data/levels/b.xml", "<Level><PlayerPosition x=\"200\" y=\"200\"/>"
                                          "<StartUpExecute>AddSprite( \"b\", \"data/gfx/thing.xml\" )</StartUpExecute>"
                                          "</Level>\n" );
        game = std::make_unique<CHorrorGame>();
    }

    std::string Run( const std::string& line ) { return game->GetConsole().Execute( line ); }

    void Update( int passes = 1 )
    {
        for( int i = 0; i < passes; ++i )
            game->Update();
    }

    horror::test::CGameWorld world;
    std::unique_ptr<CHorrorGame> game;
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
    Run( "SetPlayerEnabled( 0 )" );
    EXPECT_FALSE( gameplay.IsPlayerEnabled() );
    Run( "SetPlayerEnabled( \"no\" )" );
    EXPECT_TRUE( gameplay.IsPlayerEnabled() );
    Run( "SetPlayerEnabled( 0.5 )" );
    EXPECT_FALSE( gameplay.IsPlayerEnabled() );
    Run( "game::SetPlayerEnabled()" );
    EXPECT_TRUE( gameplay.IsPlayerEnabled() ) << "the prefix is ignored in the game console";
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
    world.Write( "data/levels/hall.xml", "<Level><StartUpExecute>LoadLevel( \"data/levels/b.xml\" )"
                                         "</StartUpExecute></Level>\n" );
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

TEST_F( GameTest, PlayMusicStartsEachNewTrackOnceThroughTheAudioTask )
{
    Run( "PlayMusic( \"a.ogg\" ); PlayMusic( \"a.ogg\" )" );
    Run( "PlayMusic( \"b.ogg\" ); PlayMusic( \"a.ogg\" )" );
    EXPECT_EQ( world.AudioLines(), ( std::vector<std::string>{ "PlayMusicFadeIn( \"a.ogg\", 500 )",
                                                               "PlayMusicFadeIn( \"b.ogg\", 500 )",
                                                               "PlayMusicFadeIn( \"a.ogg\", 500 )" } ) );
    // A game line addressed to the audio task does not leave the game console.
    Run( "Audio::StopMusic()" );
    EXPECT_EQ( world.AudioLines().size(), 3u );
}

TEST_F( GameTest, ScriptsRunLineByLineWhateverTheLineEnds )
{
    game->RunScript( "LoadLevel( \"one\" )\r\n\r\nLoadDialog( \"two\" )\rSetBadguyShown( 0 )" );
    EXPECT_EQ( game->GetPendingLevel(), "one" );
    EXPECT_EQ( game->GetPendingDialogue(), "two" );
}

TEST_F( GameTest, CaptureRestartsTheCurrentLevel )
{
    world.Write( "data/levels/trap.xml",
                 "<Level><LevelBackgroundImage>data/gfx/open.tga</LevelBackgroundImage>"
                 "<PlayerPosition x=\"100\" y=\"100\"/><BadGuyImage>data/gfx/badguy.xml</BadGuyImage>"
                 "<BadGuyPath><PathPoint x=\"97\" y=\"97\"/><PathPoint x=\"300\" y=\"300\"/></BadGuyPath></Level>\n" );
    Run( "LoadLevel( \"data/levels/trap.xml\" )" );
    Update();
    world.Clock().Advance( 20 );
    Update();
    EXPECT_TRUE( game->GetGameplay().IsCaught() );
    EXPECT_EQ( game->GetPendingLevel(), "data/levels/trap.xml" );
    Update();
    EXPECT_FALSE( game->GetGameplay().IsCaught() );
}

TEST_F( GameTest, GameplayTickHasPriorityOverTheBackgroundStep )
{
    world.Write( "data/gfx/layer.xml", "<BackgroundLayer><CreateCrapground>0</CreateCrapground></BackgroundLayer>\n" );
    world.MakeSprite( "floating_things_01", 6, 6 );
    world.MakeSprite( "floating_things_02", 6, 6 );
    world.MakeSprite( "floating_things_03", 6, 6 );
    world.MakeSprite( "floating_things_04", 6, 6 );
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
    const std::size_t effects = CSpriteUpdater::GetSingletonPtr()->GetEffectCount();
    Run( "EndGame" );
    EXPECT_NE( game->GetEndTime(), 0u );
    EXPECT_EQ( CSpriteUpdater::GetSingletonPtr()->GetEffectCount(), effects + 2 ) << "two fades";
    CTaskManager* manager = CTaskManager::GetSingletonPtr();

    world.Clock().Advance( 10000 );
    game->GetGameplay().SetPaused( true );
    Update();
    EXPECT_FALSE( manager->IsQuitRequested() );
    world.Clock().Advance( 1 );
    Update();
    EXPECT_TRUE( manager->IsQuitRequested() );
}

TEST_F( GameTest, GameTaskRoutesLinesToTheGame )
{
    EXPECT_TRUE( CTaskFactory::GetSingletonPtr()->StartTask( "game", "Game", 50, nullptr ) );
    CTask* task = CTaskFactory::GetSingletonPtr()->FindTask( "Game" );
    EXPECT_TRUE( task->PausesWhenInactive() );
    const CHorrorGame* running = static_cast<CHorrorTask*>( task )->GetGame();
    GetConsole()->Execute( "Game::LoadLevel( \"data/levels/a.xml\" );" );
    EXPECT_EQ( running->GetPendingLevel(), "data/levels/a.xml" );
    CTaskManager::GetSingletonPtr()->RunOnce();
    EXPECT_EQ( running->GetCurrentLevel(), "data/levels/a.xml" );
}

TEST_F( GameTest, DraggingTheIconIntoAPortalLoadsTheNextLevel )
{
    tarn::test::CLogCapture log;
    world.MakeSprite( "portal", 16, 16 );
    world.Write( "data/levels/start.xml",
                 "<Level><LevelBackgroundImage>data/gfx/open.tga</LevelBackgroundImage>"
                 "<PlayerPosition x=\"100\" y=\"100\"/><Portals><Portal><Position x=\"200\" y=\"100\"/>"
                 "<PortalImage>data/gfx/portal.xml</PortalImage><NextFile>data/levels/a.xml</NextFile>"
                 "</Portal></Portals></Level>\n" );
    game.reset();
    CTaskFactory::GetSingletonPtr()->StartTask( "game", "Game", 50, nullptr );
    CTaskManager* manager = CTaskManager::GetSingletonPtr();
    GetConsole()->Execute( "Game::LoadLevel( \"data/levels/start.xml\" )" );
    manager->RunOnce();
    EXPECT_TRUE( log.Contains( "Level loaded: data/levels/start.xml" ) );
    CHorrorGame* running = static_cast<CHorrorTask*>( CTaskFactory::GetSingletonPtr()->FindTask( "Game" ) )->GetGame();
    std::weak_ptr<CSprite> portal = running->GetGameplay().GetPortalSprites().at( 0 );

    CInputDispatcher* input = CInputDispatcher::GetSingletonPtr();
    input->NotifyMouseMove( 100, 100, 0, 0 );
    input->NotifyButtonDown( MOUSE_BUTTON_LEFT );
    for( int x = 110; x <= 180; x += 10 )
        input->NotifyMouseMove( x, 100, 10, 0 );
    input->NotifyButtonUp( MOUSE_BUTTON_LEFT );
    EXPECT_EQ( running->GetPendingLevel(), "data/levels/a.xml" );
    EXPECT_EQ( running->GetGameplay().GetAreaEvents().at( 0 ).howManyTimes, 0 ) << "the portal fired once";

    manager->RunOnce();
    EXPECT_TRUE( log.Contains( "Level loaded: data/levels/a.xml" ) );
    EXPECT_TRUE( portal.expired() ) << "the first level's portal left the screen";
}
