#include "tarn/tasks/capplicationsdl.h"

#include <algorithm>

#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/console/cconsolevariable.h"
#include "tarn/console/csettingvar.h"
#include "tarn/gfx/cdisplayscale.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/imagelimits.h"
#include "tarn/gfx/sdl/csdlsurfacecreator.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/io/datafile.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/canycontainer.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/numberutils.h"

namespace tarn {

namespace {

constexpr int MAX_ICON_SIZE = 32;
constexpr int DRIVER_NAME_SIZE = 256;
constexpr int MAX_WINDOW_SCALE = 4;
// Room left on the desktop for the window's frame and the desktop's panels
// when the window scale is the largest that fits.
constexpr int DESKTOP_MARGIN = 96;

// Sizes past the picture limit fail inside SDL or take gigabytes; a negative
// one is nonsense. 0 is SDL's "the display's own size".
bool IsValidSize( int width, int height )
{
    return width >= 0 && height >= 0 && width <= MAX_IMAGE_SIDE && height <= MAX_IMAGE_SIDE;
}

void ReportInvalidSize( int width, int height, int kept, int keptHeight )
{
    GetLog().Error() << "Invalid width or height: " << width << "x" << height << " (each 0 to " << MAX_IMAGE_SIDE
                     << "), the window stays " << kept << "x" << keptHeight << "\n";
}

std::string VersionText( const SDL_version& version )
{
    return std::to_string( version.major ) + "." + std::to_string( version.minor ) + "." +
           std::to_string( version.patch );
}

} // namespace

CApplicationSDL::CApplicationSDL() :
    mySetName( [ this ]( CAnyContainer* args ) { return SetNameCommand( args ); } ),
    myResize( [ this ]( CAnyContainer* args ) { return ResizeCommand( args ); } ),
    mySetIcon( [ this ]( CAnyContainer* args ) { return SetIconCommand( args ); } ),
    myFullscreenCommand( [ this ]( CAnyContainer* args ) { return FullscreenCommand( args ); } )
{
    SetPriority( 1000 );
    SetName( "window" );
}

CApplicationSDL::~CApplicationSDL()
{
    // A window task waits in the paused list, which the shutdown does not
    // kill; SDL still has to be closed.
    if( !mySDLStarted )
        return;
    if( CInputDispatcher::HasSingleton() )
        CInputDispatcher::GetSingletonPtr()->RemoveResizeListener( this );
    QuitSDL();
    CDisplayScale::SetCurrent( CDisplayScale() );
}

bool CApplicationSDL::Init()
{
    if( myScreen )
        return false;
    return Init( nullptr );
}

bool CApplicationSDL::Init( CAnyContainer* parameters )
{
    ReadParameters( parameters );
    // Without a display every task that draws would fail, or crash inside
    // SDL: the program ends, saying why.
    if( !InitVideo() )
    {
        CTaskManager::GetSingletonPtr()->RequestQuitOnError( std::string( "Cannot start the video: " ) +
                                                             SDL_GetError() );
        return false;
    }
    CreateWindow();
    RegisterVariables();

    myConsole = CreateConsole();
    myConsole->AddCommand( "SetName", &mySetName );
    myConsole->AddCommand( "Resize", &myResize );
    myConsole->AddCommand( "SetIcon", &mySetIcon );
    myConsole->AddCommand( "Fullscreen", &myFullscreenCommand );
    ApplyCommandHelp( *myConsole, GetCommandHelp() );

    CInputDispatcher* dispatcher = CInputDispatcher::GetSingletonPtr();
    dispatcher->AddResizeListener( this );
    // Every resize listener learns the size; this task sets the mode.
    dispatcher->NotifyResize( myWidth, myHeight );
    if( !myScreen )
    {
        CTaskManager::GetSingletonPtr()->RequestQuitOnError( "Cannot open a window of " + std::to_string( myWidth ) +
                                                             "x" + std::to_string( myHeight ) + ": " +
                                                             myVideoError );
        return false;
    }
    // Nothing to do per pass: wait in the paused list; commands still work,
    // and a changed setting takes effect as it is assigned.
    return false;
}

void CApplicationSDL::Exit()
{
    if( CInputDispatcher::HasSingleton() )
        CInputDispatcher::GetSingletonPtr()->RemoveResizeListener( this );
    QuitSDL();
    mySDLStarted = false;
    myScreen = nullptr;
    CDisplayScale::SetCurrent( CDisplayScale() );
}

void CApplicationSDL::QuitSDL()
{
    // The audio task may still play: it closes its own part of SDL.
    SDL_QuitSubSystem( SDL_INIT_VIDEO | SDL_INIT_TIMER );
    if( SDL_WasInit( SDL_INIT_EVERYTHING ) == 0 )
        SDL_Quit();
}

bool CApplicationSDL::HandleCommand( const std::string& command )
{
    if( myConsole )
        myConsole->Execute( command, false );
    return true;
}

const CConsole* CApplicationSDL::GetCommandConsole() const
{
    return myConsole.get();
}

const CommandHelpTable& CApplicationSDL::GetCommandHelp()
{
    static const CommandHelpTable table = {
        { "SetName", "SetName( \"Title\" )", "Sets the window's title; without a name clears it." },
        { "Resize", "Resize( w [, h] )", "Resizes the game picture; a missing or non-number value keeps the size." },
        { "SetIcon", "SetIcon( \"icon.bmp\" )", "Sets the window's icon from a BMP of at most 32x32." },
        { "Fullscreen", "Fullscreen", "Toggles the \"fullscreen\" setting." },
    };
    return table;
}

void CApplicationSDL::Resize( int width, int height )
{
    const int oldWidth = myWidth;
    const int oldHeight = myHeight;
    const bool hadScreen = myScreen != nullptr;
    myWidth = width;
    myHeight = height;
    SetVideoMode();
    if( myScreen || !hadScreen )
        return;
    // SDL let go of the old mode when the new one failed: open it again.
    GetLog().Error() << "Keeping the window at " << oldWidth << "x" << oldHeight << "\n";
    myWidth = oldWidth;
    myHeight = oldHeight;
    SetVideoMode();
}

void CApplicationSDL::SetCaption( const std::string& caption )
{
    myCaption = caption;
    SDL_WM_SetCaption( caption.c_str(), caption.c_str() );
}

void CApplicationSDL::WindowSetIcon( const std::string& filename )
{
    myIconFile = filename;
    if( !CheckImageFileSize( filename ) )
        return;
    // Not a regular file (a FIFO would block SDL's read for good): no icon.
    const bool readable = DataFileFault( filename, MAX_IMAGE_FILE_SIZE ).empty();
    SDL_Surface* icon = readable ? SDL_LoadBMP_RW( SDL_RWFromFile( filename.c_str(), "rb" ), 1 ) : nullptr;
    if( !icon )
    {
        GetLog().Warning() << " CApplicationSDL::WindowSetIcon() Could not load file: " << filename << "\n";
        return;
    }
    if( icon->w > MAX_ICON_SIZE )
        GetLog().Warning() << " CApplicationSDL::WindowSetIcon() Image's (" << filename
                           << ") width is larger than 32 pixels \n";
    else if( icon->h > MAX_ICON_SIZE )
        GetLog().Warning() << " CApplicationSDL::WindowSetIcon() Image's (" << filename
                           << ") height is larger than 32 pixels \n";
    else
        SDL_WM_SetIcon( icon, nullptr );
    SDL_FreeSurface( icon );
}

void CApplicationSDL::ReadParameters( CAnyContainer* parameters )
{
    if( !parameters )
    {
        myVideoFlags = 0;
        myWidth = DEFAULT_WIDTH;
        myHeight = DEFAULT_HEIGHT;
        myBpp = 0;
        myFullscreen = false;
        myFullscreenSetting = 0;
        myCaption = DEFAULT_CAPTION;
        return;
    }
    const auto number = [ parameters ]( std::size_t i, int& field ) {
        if( parameters->IsType( i, CAnyContainer::TYPE_NUMBER ) )
            field = TruncateToInt( parameters->GetNumber( i ) );
    };
    const auto flag = [ parameters ]( std::size_t i, bool& field ) {
        if( parameters->IsType( i, CAnyContainer::TYPE_NUMBER ) )
            field = TruncateToInt( parameters->GetNumber( i ) ) != 0;
    };
    const auto text = [ parameters ]( std::size_t i, std::string& field ) {
        if( parameters->IsType( i, CAnyContainer::TYPE_STRING ) )
            field = parameters->GetString( i );
    };
    const int oldWidth = myWidth;
    const int oldHeight = myHeight;
    number( 0, myWidth );
    number( 1, myHeight );
    if( !IsValidSize( myWidth, myHeight ) )
    {
        ReportInvalidSize( myWidth, myHeight, oldWidth, oldHeight );
        myWidth = oldWidth;
        myHeight = oldHeight;
    }
    number( 2, myBpp );
    flag( 3, myFullscreen );
    myFullscreenSetting = myFullscreen ? 1 : 0;
    flag( 4, myResizable );
    text( 5, myCaption );
    text( 6, myIconFile );
    flag( 7, myFramed );
}

void CApplicationSDL::RegisterVariables()
{
    CConsole* console = GetConsole();
    if( console->HasVariable( "window_sdl_timer" ) )
        return;
    myStartTimer = true;
    myWindowScale = 1;
    myFullscreenSetting = 0;
    console->AddVariable( "window_sdl_timer", std::make_unique<CConsoleVar<bool>>( "window_sdl_timer", &myStartTimer ),
                          "0 starts SDL without its timer thread (read as the window task starts)." );
    console->AddVariable( "window_scale",
                          std::make_unique<CSettingVar>( "window_scale", &myWindowScale, 0, MAX_WINDOW_SCALE,
                                                         &ApplyDisplaySettings ),
                          "How many times the window enlarges the game picture; 0 the largest that fits the desktop." );
    console->AddVariable( "fullscreen",
                          std::make_unique<CSettingVar>( "fullscreen", &myFullscreenSetting, 0, 1, &ApplyDisplaySettings ),
                          "1 shows the game full screen, enlarged by the largest whole factor that fits." );
}

bool CApplicationSDL::InitVideo()
{
    GetLog() << "Initializing video ";
    if( SDL_Init( SDL_INIT_VIDEO | ( myStartTimer ? SDL_INIT_TIMER : 0 ) ) < 0 )
    {
        GetLog().Indent();
        GetLog().Error() << "Error on initialing video or timer.\n";
        GetLog().Error() << " SDL Says:\n";
        GetLog().Error() << SDL_GetError() << "\n";
        GetLog().Error() << "Exiting on error \n";
        GetLog().Unindent();
        return false;
    }
    mySDLStarted = true;
    // Once a mode is set SDL reports the mode's size instead.
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    myDesktopWidth = info ? info->current_w : 0;
    myDesktopHeight = info ? info->current_h : 0;
    GetLog() << "[OK]\n\n";
    return true;
}

void CApplicationSDL::CreateWindow()
{
    GetLog() << "Creating new window" << "\n";
    GetLog().Indent();

    SDL_version compiled;
    SDL_VERSION( &compiled );
    GetLog() << "Compiled with SDL version: " << VersionText( compiled ) << "\n";
    GetLog() << "Running with SDL version: " << VersionText( *SDL_Linked_Version() ) << "\n";
    char driver[ DRIVER_NAME_SIZE ] = "";
    if( !SDL_VideoDriverName( driver, DRIVER_NAME_SIZE ) )
        driver[ 0 ] = '\0';
    GetLog() << "Using driver: " << driver << "\n";

    Uint32 flags = 0;
    if( !myFullscreen && myResizable )
    {
        flags |= SDL_RESIZABLE;
        GetLog() << "Using resizable ( SDL_RESIZABLE )\n";
    }
    if( myBpp == 0 && !myFullscreen )
    {
        flags |= SDL_ANYFORMAT;
        GetLog() << "Using anyformat ( SDL_ANYFORMAT )\n";
    }
    if( !myFramed )
    {
        flags |= SDL_NOFRAME;
        GetLog() << "Using no window frames,\n  ( oh my god our window doesn't have frames!? ) ( SDL_NOFRAME )\n";
    }
    if( myHardwareSurfaces )
        flags |= SDL_HWSURFACE;
    LogVideoModes( flags );

    myVideoFlags = flags;
    if( !myCaption.empty() )
        SetCaption( myCaption );
    if( !myIconFile.empty() )
        WindowSetIcon( myIconFile );

    GetLog().Unindent();
    GetLog() << "New window created succesfully" << "\n\n";
}

void CApplicationSDL::LogVideoModes( Uint32 flags )
{
    GetLog() << "Valid resolutions for current flags\n";
    if( !SDL_WasInit( SDL_INIT_VIDEO ) )
        return;
    SDL_Rect** modes = SDL_ListModes( nullptr, flags );
    if( modes == reinterpret_cast<SDL_Rect**>( -1 ) )
    {
        GetLog() << "All resolutions available\n";
        return;
    }
    for( int i = 0; modes && modes[ i ]; ++i )
        GetLog() << "Width: " << modes[ i ]->w << "\tHeight:" << modes[ i ]->h << "\n";
}

void CApplicationSDL::SetVideoMode()
{
    myFullscreen = myFullscreenSetting != 0;
    const Uint32 flags = myVideoFlags | ( myFullscreen ? SDL_FULLSCREEN : 0 );
    int width = myWidth;
    int height = myHeight;
    const int factor = ChooseMode( flags, width, height );
    // SDL refuses to check depth 0; "any depth" means the display's.
    const SDL_VideoInfo* info = SDL_WasInit( SDL_INIT_VIDEO ) ? SDL_GetVideoInfo() : nullptr;
    const int wanted = myBpp != 0 || !info ? myBpp : info->vfmt->BitsPerPixel;
    const int depth = SDL_VideoModeOK( width, height, wanted, flags );
    if( depth == 0 )
    {
        GetLog().Error() << "Error the screen mode is not available\n";
        GetLog().Error() << "Resolution: " << width << ", " << height << " @ " << myBpp << "\n";
        GetLog().Error() << "Flags: " << flags << "\n";
    }
    if( myBpp != 0 && depth != myBpp )
    {
        GetLog().Error() << "Error the screen mode is not available with the bpp " << myBpp << "\n";
        GetLog().Error() << "Using bpp " << depth << "\n";
    }

    myScreen = SDL_SetVideoMode( width, height, depth, flags );
    PublishScale( factor );
    if( !myScreen )
    {
        myVideoError = SDL_GetError();
        GetLog().Error() << "Error creating the new window\n";
        GetLog().Error() << "  " << myVideoError << "\n";
        return;
    }
    CSDLSurfaceCreator::SetHardwareSurfaces( myHardwareSurfaces );
    CSDLSurfaceCreator::SetDepth( myScreen->format->BitsPerPixel );
    // The display's pixels are new: every sprite has to be drawn again.
    if( CScreenLayer::HasSingleton() )
        CScreenLayer::GetSingletonPtr()->RequestDrawAll();
}

void CApplicationSDL::ApplyDisplaySettings()
{
    // The open window takes a new mode as for a resize to the size it has; a
    // window opened later reads the settings then.
    const CDisplayScale& scale = CDisplayScale::Current();
    if( scale.GetWidth() > 0 && CInputDispatcher::HasSingleton() )
        CInputDispatcher::GetSingletonPtr()->NotifyResize( scale.GetWidth(), scale.GetHeight() );
}

int CApplicationSDL::ChooseMode( Uint32 flags, int& width, int& height ) const
{
    // 0 asks SDL for the display's own size: the picture is the display.
    if( myWidth <= 0 || myHeight <= 0 )
        return 1;
    if( myFullscreen )
        return ChooseFullscreenMode( flags, width, height );
    int factor = myWindowScale;
    if( factor == 0 )
        factor = CDisplayScale::FittingFactor( myWidth, myHeight, myDesktopWidth - DESKTOP_MARGIN,
                                               myDesktopHeight - DESKTOP_MARGIN );
    const int side = static_cast<int>( MAX_IMAGE_SIDE );
    factor = std::min( factor, CDisplayScale::FittingFactor( myWidth, myHeight, side, side ) );
    width = myWidth * factor;
    height = myHeight * factor;
    return factor;
}

int CApplicationSDL::ChooseFullscreenMode( Uint32 flags, int& width, int& height ) const
{
    SDL_Rect** modes = SDL_ListModes( nullptr, flags );
    if( modes == reinterpret_cast<SDL_Rect**>( -1 ) )
    {
        // Any size will do: the desktop's, when SDL told it.
        if( myDesktopWidth <= 0 || myDesktopHeight <= 0 )
            return 1;
        width = myDesktopWidth;
        height = myDesktopHeight;
        return CDisplayScale::FittingFactor( myWidth, myHeight, width, height );
    }
    // The largest factor; of the modes that give it, the smallest border.
    int best = 0;
    for( int i = 0; modes && modes[ i ]; ++i )
    {
        const int factor = std::min( modes[ i ]->w / myWidth, modes[ i ]->h / myHeight );
        const bool smaller = modes[ i ]->w * modes[ i ]->h < width * height;
        if( factor > best || ( factor == best && factor > 0 && smaller ) )
        {
            best = factor;
            width = modes[ i ]->w;
            height = modes[ i ]->h;
        }
    }
    return std::max( best, 1 );
}

void CApplicationSDL::PublishScale( int factor ) const
{
    if( !myScreen || myWidth <= 0 || myHeight <= 0 )
    {
        CDisplayScale::SetCurrent( CDisplayScale() );
        return;
    }
    // SDL may have opened another size than asked for: the factor must fit it.
    const int fitting = CDisplayScale::FittingFactor( myWidth, myHeight, myScreen->w, myScreen->h );
    CDisplayScale::SetCurrent(
        CDisplayScale( myWidth, myHeight, std::min( factor, fitting ), myScreen->w, myScreen->h ) );
}

std::string CApplicationSDL::SetNameCommand( CAnyContainer* args )
{
    SetCaption( args && args->Size() > 0 ? args->GetString( 0 ) : "" );
    return "";
}

int CApplicationSDL::SizeArgument( CAnyContainer* args, std::size_t index, int current )
{
    if( args->IsType( index, CAnyContainer::TYPE_NUMBER ) )
        return TruncateToInt( args->GetNumber( index ) );
    // A word or a number too large for the script is kept out, and said so.
    if( index < args->Size() )
        GetLog().Warning() << "Resize: " << args->GetString( index ) << " is not a number, the "
                           << ( index == 0 ? "width" : "height" ) << " stays " << current << "\n";
    return current;
}

std::string CApplicationSDL::ResizeCommand( CAnyContainer* args )
{
    if( !args )
        return "[ERROR] You should give atleast two parameters";
    const int width = SizeArgument( args, 0, myWidth );
    const int height = SizeArgument( args, 1, myHeight );
    if( !IsValidSize( width, height ) )
    {
        ReportInvalidSize( width, height, myWidth, myHeight );
        return "";
    }
    CInputDispatcher::GetSingletonPtr()->NotifyResize( width, height );
    return "";
}

std::string CApplicationSDL::SetIconCommand( CAnyContainer* args )
{
    if( !args || !args->IsType( 0, CAnyContainer::TYPE_STRING ) )
        return "[ERROR] You have to give atleast one parameter";
    WindowSetIcon( args->GetString( 0 ) );
    return "";
}

std::string CApplicationSDL::FullscreenCommand( CAnyContainer* )
{
    // Through the main console, so that whoever keeps the settings sees it.
    GetConsole()->SetVariable( "fullscreen", myFullscreenSetting != 0 ? "0" : "1" );
    return "";
}

} // namespace tarn
