#ifndef TARN_TASKS_CTASKDEBUG_H
#define TARN_TASKS_CTASKDEBUG_H

#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "tarn/console/ccommandfunction.h"
#include "tarn/tasks/cdebugconsolewindow.h"
#include "tarn/tasks/cdebuginputdevice.h"
#include "tarn/console/ccommandhelp.h"
#include "tarn/tasks/ctask.h"
#include "tarn/utils/types.h"

namespace tarn {

class CConsole;
class CSprite;

// The "debug" task: developer tools. Shows the frames per second, records
// and plays back mouse input, takes screenshots. Its commands:
//   ToggleConsole                  opens or closes the developer console
//   ToggleFps                      shows or hides the frames per second
//   BanAsserts( 1 )                0 allows assertion reports again
//   RecordInput( "input.txt" )     records the mouse input to the file
//   PlaybackInput( "input.txt" )   replays a recording on its engine times
//   Screenshot( "shot.tga" )       saves the screen; without a name the next
//                                  free "screenshot_NNN.bmp"
//   ScreenshotEvery( ms, "name" )  saves "name_NNN.bmp" every ms milliseconds
//                                  of the engine clock (0 stops), for tests
//                                  that replay a recording
//   Overlay( "name" )              turns a debug overlay on ("off": all off)
//   CycleOverlay                   turns the next overlay on, after the last
//                                  one all off
// Screenshots leave the overlays out unless "debug_overlay_in_screenshots"
// is 1.
class CTaskDebug final : public CTask
{
public:
    using ConsoleWindowMaker = std::function<std::unique_ptr<CDebugConsoleWindow>()>;

    static constexpr const char* BAN_ASSERTS_ERROR =
        "BanAsserts - command, need atleast on parameter. 1 = ban assert dialog box, 0 = allow assert dialog box.";
    static constexpr const char* RECORD_INPUT_ERROR =
        "RecordInput -command, requires atleast one parameter, the file recording is saved to.";
    static constexpr const char* PLAYBACK_INPUT_ERROR =
        "PlaybackInput -command, requires atleast one parameter, the file recording is saved to.";
    static constexpr const char* SCREENSHOT_ERROR = "Screenshot -command, the file name has to be a string.";
    static constexpr const char* SCREENSHOT_EVERY_ERROR =
        "ScreenshotEvery -command, needs the milliseconds between screenshots and a file name.";
    static constexpr const char* OVERLAY_ERROR = "Overlay -command, needs the name of an overlay or \"off\".";

    using CTask::Init;

    CTaskDebug();
    ~CTaskDebug() override;

    bool Init() override;
    void Update() override;
    // Until the next second of the FPS count, the next timed screenshot or
    // the input device's next step, whichever comes first.
    types::ticks TimeUntilDue() const override;
    void Exit() override;
    bool HandleCommand( const std::string& command ) override;
    const CConsole* GetCommandConsole() const override;
    // The usage and description of the task's commands.
    static const CommandHelpTable& GetCommandHelp();

    // The console the task's commands run in (null before Init).
    CConsole* GetTaskConsole() const { return myConsole.get(); }

    bool IsConsoleOpen() const { return myConsoleOpen; }
    CDebugConsoleWindow* GetConsoleWindow() const { return myConsoleWindow.get(); }
    CDebugInputDevice* GetInputDevice() const { return myInputDevice.get(); }

    // The FPS display; tests and the console window may swap it.
    CSprite* GetFpsSprite() const { return myFpsSprite.get(); }
    void SetFpsSprite( std::unique_ptr<CSprite> sprite );
    float GetAverageFps() const { return myAverageFps; }
    unsigned GetMinimumFps() const { return myMinimumFps; }
    unsigned GetMaximumFps() const { return myMaximumFps; }

    // Presents what changed since the last frame and saves the screen
    // surface, so the file shows the frame now on show (debug overlays only
    // when debug_overlay_in_screenshots is 1); "" for a name
    // picks the first free "screenshot_NNN.bmp". False (and a log line) when
    // there is no screen or the file could not be written.
    static bool SaveScreenshot( const std::string& filename );
    // prefix + "_NNN.bmp" (three digits, more past 999) for the first
    // number from `number` on that names no file, and number set to it: a
    // screenshot never replaces a file. "" when the folder cannot be read.
    static std::string NextFreeShotName( const std::string& prefix, int& number );

    // Process-wide: whether assertion reports are banned.
    static bool AreAssertsBanned() { return myAssertsBanned; }
    // How ToggleConsole makes the window on first use; without a maker the
    // command only toggles the open flag.
    static void SetConsoleWindowMaker( ConsoleWindowMaker maker );
    // Where screenshots with a relative name go ("": the working directory),
    // for a game whose own folder cannot be written.
    static void SetScreenshotFolder( const std::string& folder ) { myShotFolder = folder; }

private:
    std::string ToggleConsole( CAnyContainer* args );
    std::string ToggleFps( CAnyContainer* args );
    std::string BanAsserts( CAnyContainer* args );
    std::string RecordInput( CAnyContainer* args );
    std::string PlaybackInput( CAnyContainer* args );
    std::string Screenshot( CAnyContainer* args );
    std::string ScreenshotEvery( CAnyContainer* args );
    std::string Overlay( CAnyContainer* args );
    std::string CycleOverlay( CAnyContainer* args );
    void TakeTimedScreenshot();
    // name in the screenshot folder, unless it is absolute.
    static std::string InShotFolder( const std::string& name );

    void ToggleConsoleWindow();
    void UpdateFps();
    // Stops the current device and deletes it, or keeps it until the end
    // of the step it may still be in.
    void RetireInputDevice();

    std::unique_ptr<CConsole> myConsole;
    CCommandFunction myToggleConsoleCommand;
    CCommandFunction myToggleFpsCommand;
    CCommandFunction myBanAssertsCommand;
    CCommandFunction myRecordInputCommand;
    CCommandFunction myPlaybackInputCommand;
    CCommandFunction myScreenshotCommand;
    CCommandFunction myScreenshotEveryCommand;
    CCommandFunction myOverlayCommand;
    CCommandFunction myCycleOverlayCommand;
    types::ticks myShotInterval = 0;
    types::ticks myNextShotTime = 0;
    std::string myShotName;
    int myShotCount = 0;
    std::unique_ptr<CDebugConsoleWindow> myConsoleWindow;
    bool myConsoleOpen = false;
    bool myConsoleHoldsGame = false;
    bool myShowFps = true;
    // Whether the FPS sprite is on show now; it follows myShowFps.
    bool myFpsShown = true;
    std::unique_ptr<CSprite> myFpsSprite;
    types::ticks myFpsClockStart = 0;
    types::ticks myLastFpsTime = 0;
    unsigned myFrames = 0;
    float myAverageFps = 0;
    unsigned myMinimumFps = std::numeric_limits<unsigned>::max();
    unsigned myMaximumFps = 0;
    std::unique_ptr<CDebugInputDevice> myInputDevice;
    std::vector<std::unique_ptr<CDebugInputDevice>> myRetiredDevices;
    bool myStepping = false;

    static inline std::string myShotFolder;
    static inline bool myAssertsBanned = false;
    static inline bool myOverlaysInShots = false;
    static inline ConsoleWindowMaker myConsoleWindowMaker;
};

} // namespace tarn

#endif
