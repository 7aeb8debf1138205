// tarn-check: checks the game's data files before playing.
//   tarn-check [FILE_OR_DIRECTORY ...]   (default: data/levels)
// Run from the game's folder (where data/ is). Every level file (*.xml) given
// or found in a given directory is loaded with the game's own loaders; the
// findings are printed as "error: file: key: message". Exits with 1 when
// there is an error, 0 otherwise.
#include <SDL.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "horror/cdatachecker.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/sdl/cgfxfactorysdl.h"
#include "tarn/gfx/sdl/cscreensurface.h"

int main( int argc, char** argv )
{
    // Images are decoded as the game decodes them, without a window.
    setenv( "SDL_VIDEODRIVER", "dummy", 0 );
    if( SDL_Init( SDL_INIT_VIDEO ) != 0 || !SDL_SetVideoMode( 800, 600, 32, SDL_SWSURFACE ) )
    {
        std::cerr << "tarn-check: cannot start SDL: " << SDL_GetError() << "\n";
        return 2;
    }

    int errors = 0;
    {
        tarn::CGfxFactorySDL factory;
        tarn::Gfx::SetFactory( &factory );
        tarn::CScreenSurface screen( SDL_GetVideoSurface() );
        tarn::CScreenLayer::SetScreenSurface( &screen );

        horror::CDataChecker checker;
        std::vector<std::string> inputs( argv + 1, argv + argc );
        if( inputs.empty() )
            inputs.push_back( "data/levels" );
        std::vector<std::string> files;
        for( const std::string& input : inputs )
        {
            for( const std::string& file : checker.LevelFilesIn( input ) )
                files.push_back( file );
        }
        for( const std::string& file : files )
            checker.CheckLevel( file );
        std::cout << checker.Report();
        errors = checker.GetErrorCount();
        std::cout << files.size() << " level files checked, " << errors << " errors, "
                  << checker.GetFindings().size() - errors << " warnings\n";

        tarn::CScreenLayer::DeleteSingleton();
        tarn::CScreenLayer::SetScreenSurface( nullptr );
        tarn::Gfx::SetFactory( nullptr );
    }
    SDL_Quit();
    return errors > 0 ? 1 : 0;
}
