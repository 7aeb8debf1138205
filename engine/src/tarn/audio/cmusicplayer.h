#ifndef TARN_AUDIO_CMUSICPLAYER_H
#define TARN_AUDIO_CMUSICPLAYER_H

#include <string>

#include "tarn/audio/caudiocache.h"

namespace tarn {

class CAudioDevice;

// Plays one music stream at a time on the device and repeats it until it is
// stopped. The first start after the fade flag was set fades in; the flag
// starts set, so the very first music fades in over 3000 ms. Loaded music is
// cached by file name; the music played before is freed when another one
// starts, unless it was preloaded. The device must outlive the player.
class CMusicPlayer final
{
public:
    enum State
    {
        STATE_PAUSED = 0,
        STATE_PLAYING = 1,
        STATE_STOPPED = 2
    };

    explicit CMusicPlayer( CAudioDevice& device );
    // Halts the music and frees every cached music.
    ~CMusicPlayer();

    CMusicPlayer( const CMusicPlayer& ) = delete;
    CMusicPlayer& operator=( const CMusicPlayer& ) = delete;

    // Starts file from its beginning (also when it is the current music). A
    // file that cannot be loaded is logged and changes nothing.
    void Play( const std::string& file );
    // Starts the current music again when it has finished by itself.
    void Update();
    // Fades out when the fade flag is set (which stays set), else halts.
    void Stop();
    void Pause();
    void Resume();

    void SetFade( bool fade ) { myFade = fade; }
    bool GetFade() const { return myFade; }
    void SetFadeTime( int milliseconds ) { myFadeTime = milliseconds; }
    int GetFadeTime() const { return myFadeTime; }

    void SetVolume( float volume );
    void SetMasterVolume( float volume );

    // Loads file and keeps it cached until released; false when it cannot be
    // loaded.
    bool Preload( const std::string& file );
    // Undoes Preload. The current music stays loaded until another one
    // replaces it.
    void Release( const std::string& file );

    State GetState() const { return myState; }
    // The music last played, or null.
    const CAudioClip* GetCurrent() const { return myCurrent; }
    const CAudioCache& GetCache() const { return myCache; }

private:
    // Starts data, fading in when the fade flag is set (which clears it).
    void Start( const CAudioClip& clip );
    void ApplyVolume();

    CAudioDevice& myDevice;
    CAudioCache myCache;
    CAudioClip* myCurrent = nullptr;
    State myState = STATE_STOPPED;
    int myFadeTime = 3000;
    bool myFade = true;
    float myVolume = 1.0f;
    float myMasterVolume = 1.0f;
};

} // namespace tarn

#endif
