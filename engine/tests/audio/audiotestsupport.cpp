#include "audio/audiotestsupport.h"

#include <chrono>
#include <cstdlib>
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

std::string SoundFile( const std::string& name )
{
    return std::string( TARN_SOURCE_DIR ) + "/engine/tests/data/audio/" + name;
}

bool WaitFor( const std::function<bool()>& condition, int timeoutMs )
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

void AudioTest::SetUp()
{
    // The tests expect the dummy driver also when run outside ctest.
    setenv( "SDL_AUDIODRIVER", "dummy", 1 );
    ResetEngine();
    LoadTaskLibrary( "sdl_mixer" );
}

void AudioTest::TearDown()
{
    ResetEngine();
    setenv( "SDL_AUDIODRIVER", "dummy", 1 );
}

void AudioTest::UseSilentDevice()
{
    Run( "audio_device = null" );
}

std::string AudioTest::Run( const std::string& line )
{
    return GetConsole()->Execute( line );
}

CAudioTask* AudioTest::StartAudio( const std::string& startArguments )
{
    Run( "starttask( audio, Audio, 40" + startArguments + " )" );
    myTask = dynamic_cast<CAudioTask*>( CTaskFactory::GetSingletonPtr()->FindTask( "Audio" ) );
    myMusic = myTask ? myTask->GetMusicPlayer() : nullptr;
    myEffects = myTask ? myTask->GetEffectPlayer() : nullptr;
    myDevice = myTask ? dynamic_cast<CNullAudioDevice*>( &myTask->GetDevice() ) : nullptr;
    return myTask;
}

void AudioTest::RunPass()
{
    CTaskManager::GetSingletonPtr()->RunOnce();
}

namespace {

template <class List>
bool Holds( const List& list, CTask* task )
{
    for( CTask* entry : list )
    {
        if( entry == task )
            return true;
    }
    return false;
}

} // namespace

bool AudioTest::IsRunning( CTask* task )
{
    return Holds( CTaskManager::GetSingletonPtr()->GetRunningTasks(), task );
}

bool AudioTest::IsPaused( CTask* task )
{
    return Holds( CTaskManager::GetSingletonPtr()->GetPausedTasks(), task );
}

void AudioTest::SendEveryCommand()
{
    const std::string file = "\"" + SoundFile( "music_long.ogg" ) + "\"";
    const std::string lines[] = { "PlayMusic( " + file + " )", "PlayMusicFadeIn( " + file + ", 20 )", "StopMusic",
                                  "StopMusic( 1 )", "StopMusicFadeOut( 20 )", "PlayEffect( " + file + " )",
                                  "PreloadEffect( " + file + " )", "PlayMusic", "PlayEffect" };
    for( const std::string& line : lines )
        Run( "Audio::" + line );
}

std::string AudioTest::RunWithFile( const std::string& command, const std::string& soundName,
                                    const std::string& moreArguments )
{
    return Run( "Audio::" + command + "( \"" + SoundFile( soundName ) + "\"" + moreArguments + " );" );
}

} // namespace test
} // namespace tarn
