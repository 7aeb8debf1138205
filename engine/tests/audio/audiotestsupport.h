#ifndef TARN_TESTS_AUDIO_AUDIOTESTSUPPORT_H
#define TARN_TESTS_AUDIO_AUDIOTESTSUPPORT_H

// The audio tests' fixture: the audio task started through the main console
// as a game starts it, on SDL's dummy driver or on the silent device.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <list>
#include <string>
#include <thread>

#include "support/testsupport.h"
#include "tarn/audio/null/cnullaudiodevice.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/tasks/caudiotask.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/tasks/tasklibrary.h"

namespace tarn {
namespace test {

// A sound file made by tools/make-test-sounds.sh.
inline std::string SoundFile( const std::string& name )
{
    return std::string( TARN_SOURCE_DIR ) + "/engine/tests/data/audio/" + name;
}

// Waits for the mixer's own thread to make condition true; false on timeout.
inline bool WaitFor( const std::function<bool()>& condition, int timeoutMs = 5000 )
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds( timeoutMs );
    while( !condition() )
    {
        if( std::chrono::steady_clock::now() > deadline )
            return false;
        std::this_thread::sleep_for( std::chrono::milliseconds( 5 ) );
    }
    return true;
}

// A fresh engine with the "sdl_mixer" library loaded, on SDL's dummy audio
// driver (also outside ctest) or the silent device (UseSilentDevice).
class AudioTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv( "SDL_AUDIODRIVER", "dummy", 1 );
        ResetEngine();
        LoadTaskLibrary( "sdl_mixer" );
    }
    void TearDown() override
    {
        ResetEngine();
        setenv( "SDL_AUDIODRIVER", "dummy", 1 );
    }
    // Audio tasks started after this get the silent device.
    void UseSilentDevice() { Run( "audio_device = null" ); }

    std::string Run( const std::string& line ) { return GetConsole()->Execute( line ); }
    // `Audio::Command( "file" )` for a test sound file.
    std::string RunWithFile( const std::string& command, const std::string& soundName,
                             const std::string& moreArguments = "" )
    {
        return Run( "Audio::" + command + "( \"" + SoundFile( soundName ) + "\"" + moreArguments + " );" );
    }
    // Starts the task named Audio with the given extra start-up arguments
    // (", 44100, U8"); returns it (null when it is not there).
    CAudioTask* StartAudio( const std::string& startArguments = "" )
    {
        Run( "starttask( audio, Audio, 40" + startArguments + " )" );
        myTask = dynamic_cast<CAudioTask*>( CTaskFactory::GetSingletonPtr()->FindTask( "Audio" ) );
        myMusic = myTask ? myTask->GetMusicPlayer() : nullptr;
        myEffects = myTask ? myTask->GetEffectPlayer() : nullptr;
        myDevice = myTask ? dynamic_cast<CNullAudioDevice*>( &myTask->GetDevice() ) : nullptr;
        return myTask;
    }
    void RunPass() { CTaskManager::GetSingletonPtr()->RunOnce(); }
    static bool IsRunning( CTask* task ) { return Holds( CTaskManager::GetSingletonPtr()->GetRunningTasks(), task ); }
    static bool IsPaused( CTask* task ) { return Holds( CTaskManager::GetSingletonPtr()->GetPausedTasks(), task ); }
    static bool Holds( const std::list<CTask*>& list, CTask* task )
    {
        return std::find( list.begin(), list.end(), task ) != list.end();
    }

    // Every command once, rightly and wrongly; none may crash.
    void SendEveryCommand()
    {
        const std::string file = "\"" + SoundFile( "music_long.ogg" ) + "\"";
        const std::string lines[] = { "PlayMusic( " + file + " )", "PlayMusicFadeIn( " + file + ", 20 )", "StopMusic",
                                      "StopMusic( 1 )", "StopMusicFadeOut( 20 )", "PlayEffect( " + file + " )",
                                      "PreloadEffect( " + file + " )", "PlayMusic", "PlayEffect" };
        for( const std::string& line : lines )
            Run( "Audio::" + line );
    }

    CAudioTask* myTask = nullptr;
    CMusicPlayer* myMusic = nullptr;
    CEffectPlayer* myEffects = nullptr;
    // Null unless the task runs on the silent device.
    CNullAudioDevice* myDevice = nullptr;
};

} // namespace test
} // namespace tarn

#endif
