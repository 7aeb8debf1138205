#ifndef TARN_TESTS_AUDIO_AUDIOTESTSUPPORT_H
#define TARN_TESTS_AUDIO_AUDIOTESTSUPPORT_H

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tarn {

class CAudioTask;
class CTask;
class CEffectPlayer;
class CMusicPlayer;
class CNullAudioDevice;

namespace test {

// The path of a sound file made by tools/make-test-sounds.sh.
std::string SoundFile( const std::string& name );

// Polls condition every few milliseconds; false when it is still not true
// after timeoutMs. For waiting on the mixer's own thread.
bool WaitFor( const std::function<bool()>& condition, int timeoutMs = 5000 );

// A fresh engine with the "sdl_mixer" library loaded, on SDL's dummy audio
// driver, or on the silent device once UseSilentDevice() was called. Scripts
// reach the audio task as a game would: through the main console.
class AudioTest : public ::testing::Test
{
protected:
    // Audio tasks started after this get the silent device.
    void UseSilentDevice();
    void SetUp() override;
    void TearDown() override;

    // Executes one line in the main console and returns its result.
    std::string Run( const std::string& line );
    // Starts the task named Audio with the given extra start-up arguments
    // (", 44100, U8"); returns it (null when it is not there).
    CAudioTask* StartAudio( const std::string& startArguments = "" );
    // One pass of the main loop.
    void RunPass();

    static bool IsRunning( CTask* task );
    static bool IsPaused( CTask* task );
    // Every command once, rightly and wrongly; none may crash.
    void SendEveryCommand();

    // `Audio::Command( "file" )` for a test sound file.
    std::string RunWithFile( const std::string& command, const std::string& soundName,
                             const std::string& moreArguments = "" );

    CAudioTask* myTask = nullptr;
    CMusicPlayer* myMusic = nullptr;
    CEffectPlayer* myEffects = nullptr;
    // Null unless the task runs on the silent device.
    CNullAudioDevice* myDevice = nullptr;
};

} // namespace test
} // namespace tarn

#endif
