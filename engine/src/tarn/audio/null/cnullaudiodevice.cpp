#include "tarn/audio/null/cnullaudiodevice.h"

#include "tarn/audio/caudiosettings.h"
#include "tarn/io/datafile.h"
#include "tarn/utils/clogger.h"

namespace tarn {

namespace {

// A sound of the silent device is its file name.
class CNullSound final : public CSound
{
public:
    explicit CNullSound( const std::string& file ) :
        myFile( file )
    {
    }
    const std::string& GetFile() const { return myFile; }

private:
    std::string myFile;
};

const std::string& FileOf( const CSound& sound )
{
    return static_cast<const CNullSound&>( sound ).GetFile();
}

} // namespace

bool CNullAudioDevice::Open( const CAudioSettings& settings )
{
    GetLog() << "Initializing audio: the silent device, nothing will be heard\n";
    myOpen = true;
    myChannels = settings.GetMixingChannels();
    return true;
}

void CNullAudioDevice::Close()
{
    HaltEffects();
    HaltMusic();
    myOpen = false;
}

std::unique_ptr<CSound> CNullAudioDevice::LoadEffect( const std::string& file )
{
    return Load( file, "effect" );
}

std::unique_ptr<CSound> CNullAudioDevice::LoadMusic( const std::string& file )
{
    return Load( file, "music" );
}

std::unique_ptr<CSound> CNullAudioDevice::Load( const std::string& file, const char* kind )
{
    const std::string fault = DataFileFault( file, MAX_SOUND_FILE_SIZE );
    if( fault.empty() )
        return std::make_unique<CNullSound>( file );
    GetLog().Error() << "Could not load " << kind << "-file  " << file << ": it " << fault << "\n";
    return nullptr;
}

bool CNullAudioDevice::PlayEffect( const CSound& effect )
{
    if( myEffectsSounding >= myChannels )
    {
        myError = "No free channels available";
        return false;
    }
    myEffectsPlayed.push_back( FileOf( effect ) );
    if( myHoldEffects )
        ++myEffectsSounding;
    return true;
}

bool CNullAudioDevice::IsAnyEffectPlaying() const
{
    return myEffectsSounding > 0;
}

void CNullAudioDevice::HaltEffects()
{
    myEffectsSounding = 0;
}

void CNullAudioDevice::HoldEffects( bool hold )
{
    myHoldEffects = hold;
    if( !hold )
        myEffectsSounding = 0;
}

bool CNullAudioDevice::PlayMusic( const CSound& music, std::optional<int> fadeInMs )
{
    myMusic = FileOf( music );
    myMusicFadeIn = fadeInMs;
    myMusicFadeOut.reset();
    myMusicPaused = false;
    return true;
}

void CNullAudioDevice::HaltMusic()
{
    myMusic.clear();
    myMusicFadeIn.reset();
    myMusicFadeOut.reset();
}

void CNullAudioDevice::FadeOutMusic( int milliseconds )
{
    if( !myMusic.empty() )
        myMusicFadeOut = milliseconds;
}

void CNullAudioDevice::FinishMusic()
{
    HaltMusic();
}

} // namespace tarn
