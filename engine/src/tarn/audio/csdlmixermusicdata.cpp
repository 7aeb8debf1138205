#include "tarn/audio/csdlmixermusicdata.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include "tarn/io/datafile.h"
#include "tarn/utils/clogger.h"

namespace tarn {

CSDLMixerMusicData::CSDLMixerMusicData( const std::string& file ) :
    myFile( file )
{
    GetLog().Debug() << "new CSDLMixerMusicData( " << file << " ) \n";
    const std::string fault = DataFileFault( file, MAX_SOUND_FILE_SIZE );
    if( !fault.empty() && fault != FILE_MISSING )
    {
        GetLog().Error() << "Could not load music-file  " << file << ": it " << fault << "\n";
        return;
    }
    myMusic = Mix_LoadMUS( file.c_str() );
    if( myMusic )
        return;
    GetLog().Error() << "Could not load music-file  " << file << "\n";
    GetLog().Error() << "SDL_Mixer says: " << SDL_GetError() << "\n";
}

CSDLMixerMusicData::~CSDLMixerMusicData()
{
    if( !myMusic )
        return;
    GetLog().Debug() << "freed CSDLMixerMusicData\n";
    Mix_FreeMusic( myMusic );
}

} // namespace tarn
