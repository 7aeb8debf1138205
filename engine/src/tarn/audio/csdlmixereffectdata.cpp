#include "tarn/audio/csdlmixereffectdata.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include "tarn/io/datafile.h"
#include "tarn/utils/clogger.h"

namespace tarn {

CSDLMixerEffectData::CSDLMixerEffectData( const std::string& file ) :
    myFile( file )
{
    GetLog().Debug() << "new CSDLMixerEffectData( " << file << " ) \n";
    const std::string fault = DataFileFault( file, MAX_SOUND_FILE_SIZE );
    if( !fault.empty() && fault != FILE_MISSING )
    {
        GetLog().Error() << "Could not load effect-file  " << file << ": it " << fault << "\n";
        return;
    }
    // Without a file to read, SDL's own message ("Couldn't open ...") says
    // more than the mixer's complaint about a null source would.
    if( SDL_RWops* source = SDL_RWFromFile( file.c_str(), "rb" ) )
        myChunk = Mix_LoadWAV_RW( source, 1 );
    if( myChunk )
        return;
    GetLog().Error() << "Could not load effect-file  " << file << "\n";
    GetLog().Error() << "SDL_Mixer says: " << SDL_GetError() << "\n";
}

CSDLMixerEffectData::~CSDLMixerEffectData()
{
    if( !myChunk )
        return;
    GetLog().Debug() << "freed CSDLMixerEffectData\n";
    Mix_FreeChunk( myChunk );
}

} // namespace tarn
