#ifndef TARN_TESTS_HORROR_GAMEWORLD_H
#define TARN_TESTS_HORROR_GAMEWORLD_H

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <SDL.h>

#include "support/spritescene.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/cspriteupdater.h"
#include "tarn/gfx/sdl/csurfacesdl.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/tasks/cfakethread.h"
#include "tarn/tasks/ctask.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/utils/rect.h"

namespace horror {
namespace test {

// What the game's tests play in: a clean engine on a hand-set clock with an
// 800 x 600 screen, in a private working directory holding the sprite files
// the game's screens read (plain pictures where the game has text), and an
// audio task that only records the lines it is sent. Mouse input goes
// through the input dispatcher as SDL events would.
class CGameWorld final
{
public:
    explicit CGameWorld( const std::string& name ) : myOldDir( std::filesystem::current_path() )
    {
        tarn::test::ResetEngine();
        myScene = std::make_unique<tarn::test::CSpriteScene>( 800, 600, name );
        std::filesystem::current_path( myScene->GetDir() );
        for( const char* dir : { "data/gfx", "data/levels", "data/dialogs" } )
            std::filesystem::create_directories( dir );
        const std::pair<const char*, tarn::types::rect> screens[] = {
            { "icon_player", { 0, 0, 20, 20 } },            { "dialog_box", { 0, 600, 800, 160 } },
            { "dialog_text", { 194, 458, 591, 118 } },      { "click_to_continue", { 659, 575, 125, 22 } },
            { "portrait_moth", { 20, 300, 120, 150 } },     { "portrait_lady", { 20, 280, 120, 170 } },
            { "title_blackout", { 0, 0, 800, 600 } },       { "morvane_logo", { 250, 150, 300, 200 } },
            { "title_game_by", { 100, 369, 600, 64 } },     { "title_music_by", { 100, 369, 600, 64 } },
            { "blackfader", { 726, 369, 700, 64 } },        { "questions_01", { 236, 202, 330, 35 } },
            { "blackstair", { 31, 123, 700, 200 } },        { "questions_continue", { 300, 450, 200, 20 } },
            { "questions_yes", { 176, 363, 72, 42 } },      { "questions_no", { 495, 363, 56, 31 } },
            { "questions_you_continue", { 295, 348, 150, 35 } } };
        for( const auto& [ file, rect ] : screens )
            Describe( file, rect );
        for( const char* later : { "questions_02", "questions_03", "questions_04", "questions_05" } )
            Describe( later, { 131, 185, 539, 70 }, 0 );
        Write( "data/gfx/title_background.xml",
               "<BackgroundLayer><LevelBackgroundImage>" + Image( 8, 8 ) + "</LevelBackgroundImage>"
               "<CreateCrapground>0</CreateCrapground><FloatThingsAround>0</FloatThingsAround></BackgroundLayer>\n" );
        audioLines.clear();
        tarn::CTaskFactory::GetSingletonPtr()->RegisterTaskType( "recorder",
                                                                [] { return std::make_unique<CAudioRecorder>(); } );
        tarn::CTaskFactory::GetSingletonPtr()->StartTask( "recorder", "Audio", 70, nullptr );
        Frame();
    }
    ~CGameWorld()
    {
        tarn::test::ResetEngine();
        myScene.reset();
        std::filesystem::current_path( myOldDir );
    }

    // Writes data/gfx/<name>.xml: a plain picture of the rectangle's size at
    // it, with more keys (a "Z", say) when given.
    void Describe( const std::string& name, const tarn::types::rect& r, int alpha = 255, const std::string& more = "" )
    {
        Write( "data/gfx/" + name + ".xml",
               "<Sprite type=\"sprite_base\"><ImageFilename>" + Image( r.w, r.h ) + "</ImageFilename><ImageRect x=\"" +
                   std::to_string( r.x ) + "\" y=\"" + std::to_string( r.y ) + "\" w=\"" + std::to_string( r.w ) +
                   "\" h=\"" + std::to_string( r.h ) + "\"/><Alpha>" + std::to_string( alpha ) + "</Alpha>" + more +
                   "</Sprite>\n" );
    }
    void MakeSprite( const std::string& name, int w, int h ) { Describe( name, { 0, 0, w, h } ); }

    // Writes data/gfx/<name>.tga, an 800 x 600 level picture whose alpha (the
    // walk mask) is 255 but for the walls, 40, and returns its path.
    std::string MakeMask( const std::string& name, std::vector<SDL_Rect> walls = {} )
    {
        SDL_Surface* image =
            SDL_CreateRGBSurface( SDL_SWSURFACE, 800, 600, 32, 0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000 );
        SDL_FillRect( image, nullptr, 0xff606060 );
        for( SDL_Rect& wall : walls )
            SDL_FillRect( image, &wall, 0x28101010 );
        const std::string path = "data/gfx/" + name + ".tga";
        tarn::CSurfaceSDL( image ).Save( path );
        return path;
    }

    void Write( const std::string& path, const std::string& text ) { tarn::test::WriteFile( path, text ); }

    // Moves the clock on and runs one graphics frame (effects, redraw).
    void Advance( tarn::types::ticks ms )
    {
        myClock.Advance( ms );
        Frame();
    }
    void Frame()
    {
        tarn::CSpriteUpdater::GetSingletonPtr()->Update( myClock.Now() );
        myScene->Update();
    }
    tarn::test::CManualClock& Clock() { return myClock; }

    static void MoveMouse( int x, int y ) { tarn::CInputDispatcher::GetSingletonPtr()->NotifyMouseMove( x, y, 0, 0 ); }
    static void Press( int button ) { tarn::CInputDispatcher::GetSingletonPtr()->NotifyButtonDown( button ); }
    static void Release( int button ) { tarn::CInputDispatcher::GetSingletonPtr()->NotifyButtonUp( button ); }
    static void ClickAt( int x, int y )
    {
        MoveMouse( x, y );
        Press( tarn::MOUSE_BUTTON_LEFT );
        Release( tarn::MOUSE_BUTTON_LEFT );
    }

    static std::size_t SpriteCount() { return tarn::CScreenLayer::GetSingletonPtr()->GetChildren().size(); }
    static std::size_t EffectCount() { return tarn::CSpriteUpdater::GetSingletonPtr()->GetEffectCount(); }
    // Lines the audio task was sent, as "Command( args )".
    static inline std::vector<std::string> audioLines;

private:
    class CAudioRecorder final : public tarn::CTask
    {
    public:
        bool HandleCommand( const std::string& command ) override
        {
            audioLines.push_back( command );
            return true;
        }
    };
    std::string Image( int w, int h )
    {
        return myScene->MakeImage( "picture" + std::to_string( ++myImages ), w, h, tarn::CColor( 40, 90, 140 ) );
    }

    std::filesystem::path myOldDir;
    tarn::test::CManualClock myClock{ 10000 };
    std::unique_ptr<tarn::test::CSpriteScene> myScene;
    int myImages = 0;
};

} // namespace test
} // namespace horror

#endif
