#ifndef TARN_TESTS_AUDIO_AUDIOTESTSUPPORT_H
#define TARN_TESTS_AUDIO_AUDIOTESTSUPPORT_H

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tarn {

class CAudioTask;
class CEffectPlayer;
class CMusicPlayer;

namespace test {

// The path of a sound file made by tools/make-test-sounds.sh.
std::string SoundFile( const std::string& name );

// Polls condition every few milliseconds; false when it is still not true
// after timeoutMs. For waiting on the mixer's own thread.
bool WaitFor( const std::function<bool()>& condition, int timeoutMs = 5000 );

// A fresh engine with the "sdl_mixer" library loaded, on SDL's dummy audio
// driver. Scripts reach the audio task as a game would: through the main
// console.
class AudioTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Executes one line in the main console and returns its result.
    std::string Run( const std::string& line );
    // Starts the task named Audio with the given extra start-up arguments
    // (", 44100, U8"); returns it (null when it is not there).
    CAudioTask* StartAudio( const std::string& startArguments = "" );
    // One pass of the main loop.
    void RunPass();

    // `Audio::Command( "file" )` for a test sound file.
    std::string RunWithFile( const std::string& command, const std::string& soundName,
                             const std::string& moreArguments = "" );

    CAudioTask* myTask = nullptr;
    CMusicPlayer* myMusic = nullptr;
    CEffectPlayer* myEffects = nullptr;
};

} // namespace test
} // namespace tarn

#endif
