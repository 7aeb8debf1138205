#include "horror/gamescene.h"

#include <filesystem>

#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/cspriteupdater.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/tasks/cfakethread.h"

namespace tarn {
namespace test {

namespace {

CInputDispatcher* Dispatcher()
{
    return CInputDispatcher::GetSingletonPtr();
}

} // namespace

CGameScene::CGameScene( const std::string& name ) :
    myOldDir( std::filesystem::current_path().string() )
{
    ResetEngine();
    myScene = std::make_unique<CSpriteScene>( 800, 600, name );
    std::filesystem::current_path( myScene->GetDir() );
    std::filesystem::create_directories( "data/gfx" );
    std::filesystem::create_directories( "data/dialogs" );

    Describe( "data/gfx/dialog_box.xml", { 0, 600, 800, 160 } );
    Describe( "data/gfx/dialog_text.xml", { 194, 458, 591, 118 } );
    Describe( "data/gfx/click_to_continue.xml", { 659, 575, 125, 22 } );
    Describe( "data/gfx/portrait_moth.xml", { 20, 300, 120, 150 } );
    Describe( "data/gfx/portrait_lady.xml", { 20, 280, 120, 170 } );

    Write( "data/gfx/title_background.xml", "<BackgroundLayer><LevelBackgroundImage>" +
                                                 myScene->MakeImage( "title_back", 8, 8, CColor( 30, 30, 30 ) ) +
                                                 "</LevelBackgroundImage><CreateCrapground>0</CreateCrapground>"
                                                 "<FloatThingsAround>0</FloatThingsAround></BackgroundLayer>\n" );
    Describe( "data/gfx/title_blackout.xml", { 0, 0, 800, 600 } );
    Describe( "data/gfx/morvane_logo.xml", { 250, 150, 300, 200 } );
    Describe( "data/gfx/title_game_by.xml", { 100, 369, 600, 64 } );
    Describe( "data/gfx/title_music_by.xml", { 100, 369, 600, 64 } );
    Describe( "data/gfx/blackfader.xml", { 726, 369, 700, 64 } );

    Describe( "data/gfx/questions_01.xml", { 236, 202, 330, 35 } );
    for( const char* file : { "data/gfx/questions_02.xml", "data/gfx/questions_03.xml",
                              "data/gfx/questions_04.xml", "data/gfx/questions_05.xml" } )
        Describe( file, { 131, 185, 539, 70 }, 0 );
    Describe( "data/gfx/blackstair.xml", { 31, 123, 700, 200 } );
    Describe( "data/gfx/questions_continue.xml", { 300, 450, 200, 20 } );
    Describe( "data/gfx/questions_yes.xml", { 176, 363, 72, 42 } );
    Describe( "data/gfx/questions_no.xml", { 495, 363, 56, 31 } );
    Describe( "data/gfx/questions_you_continue.xml", { 295, 348, 150, 35 } );
    Frame();
}

CGameScene::~CGameScene()
{
    DeleteAllFakeThreads();
    std::filesystem::current_path( myOldDir );
    myScene.reset();
    ResetEngine();
}

void CGameScene::Describe( const std::string& path, const types::rect& rect, int alpha )
{
    ++myImages;
    const std::string image = myScene->MakeImage( "picture" + std::to_string( myImages ), rect.w, rect.h,
                                                  CColor( 40 + myImages * 7 % 200, 90, 140 ) );
    Write( path, "<Sprite type=\"sprite_base\"><ImageFilename>" + image + "</ImageFilename>" +
                     "<ImageRect x=\"" + std::to_string( rect.x ) + "\" y=\"" + std::to_string( rect.y ) +
                     "\" w=\"" + std::to_string( rect.w ) + "\" h=\"" + std::to_string( rect.h ) + "\"/>" +
                     "<Alpha>" + std::to_string( alpha ) + "</Alpha></Sprite>\n" );
}

void CGameScene::Write( const std::string& path, const std::string& text )
{
    WriteFile( path, text );
}

void CGameScene::Advance( types::ticks ms )
{
    myClock.Advance( ms );
    Frame();
}

void CGameScene::Frame()
{
    CSpriteUpdater::GetSingletonPtr()->Update( myClock.Now() );
    myScene->Update();
}

void CGameScene::RunFakeThreads()
{
    tarn::RunFakeThreads( 0 );
}

void CGameScene::MoveMouse( int x, int y )
{
    Dispatcher()->NotifyMouseMove( x, y, 0, 0 );
}

void CGameScene::Press( int button )
{
    Dispatcher()->NotifyButtonDown( button );
}

void CGameScene::Release( int button )
{
    Dispatcher()->NotifyButtonUp( button );
}

void CGameScene::ClickAt( int x, int y )
{
    MoveMouse( x, y );
    Press( MOUSE_BUTTON_LEFT );
    Release( MOUSE_BUTTON_LEFT );
}

std::size_t CGameScene::SpriteCount()
{
    return CScreenLayer::GetSingletonPtr()->GetChildren().size();
}

std::size_t CGameScene::EffectCount()
{
    return CSpriteUpdater::GetSingletonPtr()->GetEffectCount();
}

} // namespace test
} // namespace tarn
