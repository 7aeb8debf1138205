#include "tarn/tasks/ctaskdebug.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/gfx/cdebugoverlays.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/csprite.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/font/csystemfont.h"
#include "tarn/gfx/csurface.h"
#include "tarn/tasks/cinputrecorder.h"
#include "tarn/tasks/cplaybackmouse.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/canycontainer.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/enginetime.h"
#include "tarn/utils/numberutils.h"

namespace tarn {

namespace {

CTaskRegistrar<CTaskDebug> registrar( "debug" );

constexpr int FPS_X = 4;
constexpr int FPS_Y = 4;
// In front of every sprite of the game.
constexpr int FPS_Z = -1000;
const char* const SHOW_FPS = "debug_show_fps";
const char* const CONSOLE_HOLDS_GAME = "debug_console_holds_game";
const char* const CONSOLE_HOLDER = "console";
const char* const OVERLAYS_IN_SHOTS = "debug_overlay_in_screenshots";

// The FPS display: a system-font text sprite in the top-left corner. Made
// here alone so that it can follow the text sprite kind; a kind the factory
// cannot make yet gives an empty sprite that takes its text and shows
// nothing.
std::unique_ptr<CSprite> CreateFpsSprite()
{
    auto sprite = std::make_unique<CTextSprite>();
    sprite->SetFont( CSystemFont::Create() );
    sprite->Resize( 96, 15 );
    sprite->SetPosition( FPS_X, FPS_Y );
    sprite->SetZ( FPS_Z );
    sprite->SetParent( CScreenLayer::GetSingletonPtr() );
    return sprite;
}

} // namespace

CTaskDebug::CTaskDebug() :
    myToggleConsoleCommand( [ this ]( CAnyContainer* args ) { return ToggleConsole( args ); } ),
    myToggleFpsCommand( [ this ]( CAnyContainer* args ) { return ToggleFps( args ); } ),
    myBanAssertsCommand( [ this ]( CAnyContainer* args ) { return BanAsserts( args ); } ),
    myRecordInputCommand( [ this ]( CAnyContainer* args ) { return RecordInput( args ); } ),
    myPlaybackInputCommand( [ this ]( CAnyContainer* args ) { return PlaybackInput( args ); } ),
    myScreenshotCommand( [ this ]( CAnyContainer* args ) { return Screenshot( args ); } ),
    myScreenshotEveryCommand( [ this ]( CAnyContainer* args ) { return ScreenshotEvery( args ); } ),
    myOverlayCommand( [ this ]( CAnyContainer* args ) { return Overlay( args ); } ),
    myCycleOverlayCommand( [ this ]( CAnyContainer* args ) { return CycleOverlay( args ); } )
{
}

CTaskDebug::~CTaskDebug() = default;

bool CTaskDebug::Init()
{
    myConsole = CreateConsole();
    myConsole->AddCommand( "ToggleConsole", &myToggleConsoleCommand );
    myConsole->AddCommand( "ToggleFps", &myToggleFpsCommand );
    myConsole->AddCommand( "BanAsserts", &myBanAssertsCommand );
    myConsole->AddCommand( "RecordInput", &myRecordInputCommand );
    myConsole->AddCommand( "PlaybackInput", &myPlaybackInputCommand );
    myConsole->AddCommand( "Screenshot", &myScreenshotCommand );
    myConsole->AddCommand( "ScreenshotEvery", &myScreenshotEveryCommand );
    myConsole->AddCommand( "Overlay", &myOverlayCommand );
    myConsole->AddCommand( "CycleOverlay", &myCycleOverlayCommand );
    ApplyCommandHelp( *myConsole, GetCommandHelp() );
    myFpsSprite = CreateFpsSprite();
    myFpsShown = true;
    myFpsClockStart = EngineTime();
    GetConsole()->AddVariable( SHOW_FPS, std::make_unique<CConsoleVar<bool>>( SHOW_FPS, &myShowFps ),
                               "1 shows the frames per second in the top-left corner; Debug::ToggleFps flips it." );
    GetConsole()->AddVariable( CONSOLE_HOLDS_GAME,
                               std::make_unique<CConsoleVar<bool>>( CONSOLE_HOLDS_GAME, &myConsoleHoldsGame ),
                               "1 holds the game still while the developer console is open." );
    myOverlaysInShots = false;
    GetConsole()->AddVariable( OVERLAYS_IN_SHOTS,
                               std::make_unique<CConsoleVar<bool>>( OVERLAYS_IN_SHOTS, &myOverlaysInShots ),
                               "1 keeps the debug overlays in screenshots; 0 leaves them out." );
    return true;
}

void CTaskDebug::Update()
{
    if( myConsoleWindow && myConsoleWindow->TakeToggleRequest() )
        ToggleConsoleWindow();
    if( myConsoleWindow )
        myConsoleWindow->Update();

    UpdateFps();
    if( myFpsSprite && myFpsShown != myShowFps )
    {
        myFpsSprite->SetVisible( myShowFps );
        myFpsShown = myShowFps;
    }
    TakeTimedScreenshot();

    if( myInputDevice )
    {
        myStepping = true;
        myInputDevice->Step();
        myStepping = false;
        myRetiredDevices.clear();
    }
}

types::ticks CTaskDebug::TimeUntilDue() const
{
    const types::ticks now = EngineTime();
    // UpdateFps closes a second once more than 999 ms have passed.
    const types::ticks sinceFps = now - myFpsClockStart - myLastFpsTime;
    types::ticks due = sinceFps >= 1000 ? 0 : 1000 - sinceFps;
    if( myShotInterval != 0 )
    {
        const auto untilShot = static_cast<std::int32_t>( myNextShotTime - now );
        due = std::min<types::ticks>( due, untilShot <= 0 ? 0 : static_cast<types::ticks>( untilShot ) );
    }
    if( myInputDevice )
        due = std::min( due, myInputDevice->TimeUntilDue() );
    return due;
}

void CTaskDebug::Exit()
{
    GetConsole()->RemoveVariable( SHOW_FPS );
    GetConsole()->RemoveVariable( CONSOLE_HOLDS_GAME );
    GetConsole()->RemoveVariable( OVERLAYS_IN_SHOTS );
    myConsoleWindow.reset();
    myConsoleOpen = false;
    CTaskManager::GetSingletonPtr()->SetHolding( CONSOLE_HOLDER, false );
    myFpsSprite.reset();
    RetireInputDevice();
}

bool CTaskDebug::HandleCommand( const std::string& command )
{
    if( myConsole )
        myConsole->Execute( command, false );
    return true;
}

const CConsole* CTaskDebug::GetCommandConsole() const
{
    return myConsole.get();
}

const CommandHelpTable& CTaskDebug::GetCommandHelp()
{
    static const CommandHelpTable table = {
        { "ToggleConsole", "ToggleConsole", "Opens or closes the developer console." },
        { "ToggleFps", "ToggleFps", "Shows or hides the frames per second." },
        { "BanAsserts", "BanAsserts( 1 )", "Bans assertion reports; 0 allows them again." },
        { "RecordInput", "RecordInput( \"input.txt\" )", "Records the mouse input to the file." },
        { "PlaybackInput", "PlaybackInput( \"input.txt\" )",
          "Replays a recording of the mouse input on its engine times." },
        { "Screenshot", "Screenshot( \"shot.tga\" )",
          "Saves the screen; without a name to the next free \"screenshot_NNN.bmp\". Debug overlays are left out "
          "unless debug_overlay_in_screenshots is 1." },
        { "ScreenshotEvery", "ScreenshotEvery( ms, \"name\" )",
          "Saves \"name_NNN.bmp\" every ms milliseconds of the engine clock; 0 stops." },
        { "Overlay", "Overlay( \"dirty\" )",
          "Turns a debug overlay on over everything (several may be on); \"off\" turns them all off. An unknown "
          "name logs the names known." },
        { "CycleOverlay", "CycleOverlay",
          "Turns on the overlay after the last one turned on, and the others off; past the last one all are off." },
    };
    return table;
}

void CTaskDebug::SetFpsSprite( std::unique_ptr<CSprite> sprite )
{
    myFpsSprite = std::move( sprite );
    myFpsShown = true;
}

bool CTaskDebug::SaveScreenshot( const std::string& filename )
{
    CSurface* screen = CScreenLayer::GetScreenSurface();
    if( !screen )
    {
        GetLog().Error() << "Screenshot - there is no screen to save\n";
        return false;
    }
    int number = 0;
    const std::string name =
        filename.empty() ? NextFreeShotName( InShotFolder( "screenshot" ), number ) : InShotFolder( filename );
    if( name.empty() )
        return false;
    // A sprite that changed since the last frame has already been erased
    // from the screen surface but not drawn again; draw and present what
    // changed first, so the picture is a whole frame, the one now on show.
    // The overlays stay on show in the window.
    CDebugOverlays* overlays = nullptr;
    if( CScreenLayer::HasSingleton() )
    {
        CScreenLayer::GetSingletonPtr()->Update();
        overlays = &CScreenLayer::GetSingletonPtr()->GetDebugOverlays();
        overlays->Paint( *screen );
        screen->Flip();
        overlays->Restore( *screen );
        if( myOverlaysInShots )
            overlays->Paint( *screen );
    }
    const bool saved = screen->Save( name );
    if( overlays )
        overlays->Restore( *screen );
    if( !saved )
    {
        GetLog().Error() << "Screenshot could not be saved: " << name << "\n";
        return false;
    }
    GetLog() << "Screenshot saved: " << name << "\n";
    return true;
}

std::string CTaskDebug::NextFreeShotName( const std::string& prefix, int& number )
{
    for( ; number < std::numeric_limits<int>::max(); ++number )
    {
        char digits[ 16 ];
        std::snprintf( digits, sizeof( digits ), "%03d", number );
        const std::string name = prefix + "_" + digits + ".bmp";
        // A dangling link counts as taken: saving would write where it points.
        std::error_code error;
        const std::filesystem::file_status status = std::filesystem::symlink_status( name, error );
        if( status.type() == std::filesystem::file_type::not_found )
            return name;
        if( error )
        {
            GetLog().Error() << "Screenshot - cannot tell whether " << name << " exists: " << error.message() << "\n";
            return "";
        }
    }
    GetLog().Error() << "Screenshot - every number for " << prefix << " is taken\n";
    return "";
}

std::string CTaskDebug::InShotFolder( const std::string& name )
{
    if( myShotFolder.empty() || name.empty() || name[ 0 ] == '/' )
        return name;
    return myShotFolder + "/" + name;
}

void CTaskDebug::SetConsoleWindowMaker( ConsoleWindowMaker maker )
{
    myConsoleWindowMaker = std::move( maker );
}

std::string CTaskDebug::ToggleConsole( CAnyContainer* args )
{
    (void)args;
    ToggleConsoleWindow();
    return "";
}

std::string CTaskDebug::ToggleFps( CAnyContainer* args )
{
    (void)args;
    GetConsole()->SetVariable( SHOW_FPS, myShowFps ? "0" : "1" );
    return "";
}

std::string CTaskDebug::BanAsserts( CAnyContainer* args )
{
    if( !args )
    {
        GetLog().Error() << BAN_ASSERTS_ERROR << "\n";
        return "";
    }
    if( args->Size() == 0 )
        return "";
    bool ban = true;
    if( args->IsType( 0, CAnyContainer::TYPE_NUMBER ) )
        ban = std::trunc( args->GetNumber( 0 ) ) != 0.0;
    else
        GetLog().Error() << BAN_ASSERTS_ERROR << "\n";
    myAssertsBanned = ban;
    return "";
}

std::string CTaskDebug::RecordInput( CAnyContainer* args )
{
    if( !args || !args->IsType( 0, CAnyContainer::TYPE_STRING ) )
    {
        GetLog().Error() << RECORD_INPUT_ERROR << "\n";
        return "";
    }
    // The old device lets go of the clock before the new one looks at it.
    RetireInputDevice();
    myInputDevice = std::make_unique<CInputRecorder>( args->GetString( 0 ) );
    return "";
}

std::string CTaskDebug::PlaybackInput( CAnyContainer* args )
{
    if( !args || !args->IsType( 0, CAnyContainer::TYPE_STRING ) )
    {
        GetLog().Error() << PLAYBACK_INPUT_ERROR << "\n";
        return "";
    }
    RetireInputDevice();
    myInputDevice = std::make_unique<CPlaybackMouse>( args->GetString( 0 ) );
    return "";
}

std::string CTaskDebug::Screenshot( CAnyContainer* args )
{
    std::string name;
    if( args && args->Size() > 0 )
    {
        if( !args->IsType( 0, CAnyContainer::TYPE_STRING ) )
        {
            GetLog().Error() << SCREENSHOT_ERROR << "\n";
            return "";
        }
        name = args->GetString( 0 );
    }
    SaveScreenshot( name );
    return "";
}

std::string CTaskDebug::ScreenshotEvery( CAnyContainer* args )
{
    const bool usable = args && args->IsType( 0, CAnyContainer::TYPE_NUMBER ) &&
                        ( args->GetNumber( 0 ) <= 0 || args->IsType( 1, CAnyContainer::TYPE_STRING ) );
    if( !usable )
    {
        GetLog().Error() << SCREENSHOT_EVERY_ERROR << "\n";
        return "";
    }
    const int interval = TruncateToInt( args->GetNumber( 0 ) );
    myShotInterval = interval > 0 ? static_cast<types::ticks>( interval ) : 0;
    myShotName = InShotFolder( args->GetString( 1 ) );
    myNextShotTime = EngineTime() + myShotInterval;
    return "";
}

std::string CTaskDebug::Overlay( CAnyContainer* args )
{
    if( !args || !args->IsType( 0, CAnyContainer::TYPE_STRING ) )
    {
        GetLog().Error() << OVERLAY_ERROR << "\n";
        return "";
    }
    CDebugOverlays& overlays = CScreenLayer::GetSingletonPtr()->GetDebugOverlays();
    const std::string name = args->GetString( 0 );
    if( name == "off" )
        overlays.TurnAllOff();
    else
        overlays.TurnOn( name );
    return "";
}

std::string CTaskDebug::CycleOverlay( CAnyContainer* args )
{
    (void)args;
    const std::string name = CScreenLayer::GetSingletonPtr()->GetDebugOverlays().TurnOnNext();
    GetLog() << "Overlay: " << ( name.empty() ? "off" : name ) << "\n";
    return "";
}

void CTaskDebug::TakeTimedScreenshot()
{
    if( myShotInterval == 0 || static_cast<std::int32_t>( EngineTime() - myNextShotTime ) < 0 )
        return;
    const std::string name = NextFreeShotName( myShotName, myShotCount );
    if( !name.empty() )
    {
        ++myShotCount;
        SaveScreenshot( name );
    }
    myNextShotTime = EngineTime() + myShotInterval;
}

void CTaskDebug::ToggleConsoleWindow()
{
    if( !myConsoleWindow && myConsoleWindowMaker )
        myConsoleWindow = myConsoleWindowMaker();
    myConsoleOpen = !myConsoleOpen;
    if( myConsoleWindow )
        myConsoleWindow->SetOpen( myConsoleOpen );
    CTaskManager::GetSingletonPtr()->SetHolding( CONSOLE_HOLDER, myConsoleOpen && myConsoleHoldsGame );
}

void CTaskDebug::UpdateFps()
{
    ++myFrames;
    // The engine clock: the count goes on while the game is held.
    const types::ticks now = EngineTime() - myFpsClockStart;
    // The engine clock went back (a playback started): count from here.
    if( now < myLastFpsTime )
        myLastFpsTime = now;
    if( now - myLastFpsTime <= 999 )
        return;
    if( myAverageFps < 1.0f )
        myAverageFps = static_cast<float>( myFrames );
    myAverageFps = ( static_cast<float>( myFrames ) + myAverageFps ) / 2.0f;
    myMinimumFps = std::min( myMinimumFps, myFrames );
    myMaximumFps = std::max( myMaximumFps, myFrames );
    if( myFpsSprite )
        myFpsSprite->SetText( "Fps: " + std::to_string( myFrames ) );
    myFrames = 0;
    myLastFpsTime = now;
}

void CTaskDebug::RetireInputDevice()
{
    if( !myInputDevice )
        return;
    myInputDevice->Stop();
    if( myStepping )
        myRetiredDevices.push_back( std::move( myInputDevice ) );
    else
        myInputDevice.reset();
}

} // namespace tarn
