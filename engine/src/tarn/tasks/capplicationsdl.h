#ifndef TARN_TASKS_CAPPLICATIONSDL_H
#define TARN_TASKS_CAPPLICATIONSDL_H

#include <memory>
#include <string>

#include <SDL.h>

#include "tarn/console/ccommandfunction.h"
#include "tarn/inputdevice/inputlisteners.h"
#include "tarn/console/ccommandhelp.h"
#include "tarn/tasks/ctask.h"

namespace tarn {

class CConsole;

// The "window" task: starts SDL's video, opens the window and offers the
// window commands. Start parameters, by position (a value of the wrong type
// is skipped): width, height, bpp (0: the display's), fullscreen,
// resizable, caption, icon file (a BMP of at most 32x32), framed. It does
// its work in Init, in its commands and as its settings change, then waits
// in the paused list.
//   SetName( "Title" )    SetName clears the title
//   Resize( w [, h] )     a missing or non-number value keeps the size
//   SetIcon( "icon.bmp" )
//   Fullscreen            toggles the "fullscreen" setting
// The size is always the game picture's; the window may show it enlarged.
// Console variables (main console, added by taskload( sdl )):
// "window_sdl_timer", 1 at first: SDL's timer subsystem starts with the
// video. The engine calls no SDL timer, and SDL 1.2's timer subsystem keeps
// a thread waking every millisecond; 0 leaves it out.
// Player settings, applied as they are assigned: "window_scale", 0 to 4, 1 at
// first: the window shows every game pixel as a square of that many display
// pixels a side, 0 the largest that fits the desktop; "fullscreen", 0 or 1:
// full screen in the display mode that fits the picture at the largest
// whole factor, centred on black.
class CApplicationSDL final : public CTask, public CResizeListener
{
public:
    static constexpr int DEFAULT_WIDTH = 640;
    static constexpr int DEFAULT_HEIGHT = 480;
    static constexpr const char* DEFAULT_CAPTION = "SDL Window";

    CApplicationSDL();
    // Shuts SDL down when the task started it and was never exited.
    ~CApplicationSDL() override;

    bool Init( CAnyContainer* parameters ) override;
    // False when the window is open already.
    bool Init() override;
    void Update() override {}
    types::ticks TimeUntilDue() const override { return NOTHING_DUE; }
    void Exit() override;
    bool HandleCommand( const std::string& command ) override;
    const CConsole* GetCommandConsole() const override;
    // The usage and description of the task's commands.
    static const CommandHelpTable& GetCommandHelp();

    // The console the task's commands run in (null before Init).
    CConsole* GetTaskConsole() const { return myConsole.get(); }

    // The window asks for a new size: sets the video mode.
    void OnResize( int width, int height ) override { Resize( width, height ); }

    void Resize( int width, int height );
    // Window title and icon title.
    void SetCaption( const std::string& caption );
    void WindowSetIcon( const std::string& filename );

    // Adds the task's variables to the main console, once per console.
    static void RegisterVariables();
    // Sets the video mode again for a changed "window_scale" or "fullscreen".
    static void ApplyDisplaySettings();

    SDL_Surface* GetScreen() const { return myScreen; }
    Uint32 GetVideoFlags() const { return myVideoFlags; }
    bool IsFullscreen() const { return myFullscreen; }
    const std::string& GetCaption() const { return myCaption; }

private:
    void ReadParameters( CAnyContainer* parameters );
    // The number at index of a Resize, or current (logged unless missing).
    static int SizeArgument( CAnyContainer* args, std::size_t index, int current );
    // Shuts down the video and timers, and SDL when nothing else of it runs.
    static void QuitSDL();
    // False (logged) when SDL's video cannot start.
    bool InitVideo();
    void CreateWindow();
    void LogVideoModes( Uint32 flags );
    void SetVideoMode();
    // The display size for the game picture at the current settings;
    // returns the factor the picture is to be enlarged by.
    int ChooseMode( Uint32 flags, int& width, int& height ) const;
    int ChooseFullscreenMode( Uint32 flags, int& width, int& height ) const;
    // Tells the screen and the events where the picture lies in the display.
    void PublishScale( int factor ) const;

    std::string SetNameCommand( CAnyContainer* args );
    std::string ResizeCommand( CAnyContainer* args );
    std::string SetIconCommand( CAnyContainer* args );
    std::string FullscreenCommand( CAnyContainer* args );

    std::unique_ptr<CConsole> myConsole;
    CCommandFunction mySetName;
    CCommandFunction myResize;
    CCommandFunction mySetIcon;
    CCommandFunction myFullscreenCommand;
    SDL_Surface* myScreen = nullptr;
    // SDL's message for the last failed mode set.
    std::string myVideoError;
    Uint32 myVideoFlags = 0;
    int myWidth = DEFAULT_WIDTH;
    int myHeight = DEFAULT_HEIGHT;
    int myBpp = 0;
    // The settings as the open window applies them.
    bool myFullscreen = false;
    // The desktop's size before the first video mode (0 when SDL cannot tell).
    int myDesktopWidth = 0;
    int myDesktopHeight = 0;
    bool myResizable = true;
    bool myFramed = true;
    std::string myCaption = DEFAULT_CAPTION;
    std::string myIconFile;
    bool myHardwareSurfaces = false;
    // SDL was started by this task and not yet shut down.
    bool mySDLStarted = false;

    static inline bool myStartTimer = true;
    static inline int myWindowScale = 1;
    static inline int myFullscreenSetting = 0;
};

} // namespace tarn

#endif
