// The audio task as a start-up script and a game use it, on the silent
// device: start-up parameters, command misuse, the shipped script and
// shutdown. What SDL_mixer makes of it: audio/sdl/csdlmixerdevice_test.cpp.
#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <string>

#include "audio/audiotestsupport.h"
#include "support/testsupport.h"
#include "tarn/audio/audioformat.h"
#include "tarn/audio/ceffectplayer.h"
#include "tarn/audio/cmusicplayer.h"
#include "tarn/audio/null/cnullaudiodevice.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/tasks/caudiotask.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/utils/clogger.h"

using namespace tarn;
using namespace tarn::test;

namespace {

class AudioTaskTest : public AudioTest
{
protected:
    void SetUp() override
    {
        AudioTest::SetUp();
        UseSilentDevice();
    }
};

} // namespace

TEST_F( AudioTaskTest, StartUpParametersReachTheDeviceAndWrongOnesKeepTheDefaults )
{
    ASSERT_NE( StartAudio( ", 44100, u8, 1, 512, 4" ), nullptr );
    EXPECT_EQ( myTask->GetSettings().GetFrequency(), 44100 );
    EXPECT_EQ( myTask->GetSettings().GetFormat(), AUDIO_FORMAT_U8 );
    EXPECT_EQ( myTask->GetSettings().GetChannels(), 1 );
    EXPECT_EQ( myTask->GetSettings().GetChunkSize(), 512 );
    EXPECT_EQ( myTask->GetSettings().GetMixingChannels(), 4 );
    AudioTaskTest::SetUp();

    CLogCapture log;
    ASSERT_NE( StartAudio( ", fast, S24, stereo, 1k, \"eight\"" ), nullptr );
    EXPECT_TRUE( log.Contains( "Audio 1st start-up parameter (frequency) is of wrong type, should be a number" ) );
    EXPECT_TRUE( log.Contains( "Audio 2nd start-up parameter (format) is of wrong type, should be a string" ) );
    EXPECT_TRUE( log.Contains( "Audio 3rd start-up parameter (num_of_channels) is of wrong type, should be a number "
                               "(1 = mono, 2 = stereo)" ) );
    EXPECT_TRUE( log.Contains( "Audio 4th start-up parameter (chunk_size) is of wrong type, should be a number" ) );
    EXPECT_TRUE(
        log.Contains( "Audio 5th start-up parameter (number_of_audio_channels) is of wrong type, should be a number" ) );
    EXPECT_EQ( myTask->GetSettings().GetFrequency(), 22050 );
    EXPECT_EQ( myTask->GetSettings().GetFormat(), AUDIO_FORMAT_S16LSB );
    EXPECT_EQ( myTask->GetSettings().GetMixingChannels(), 8 );
    AudioTaskTest::SetUp();

    // A number is not a format name either.
    CLogCapture again;
    ASSERT_NE( StartAudio( ", 22050, 16" ), nullptr );
    EXPECT_TRUE( again.Contains( "Audio 2nd start-up parameter (format) is of wrong type, should be a string" ) );
}

TEST_F( AudioTaskTest, MisusedCommandsLogTheirWarningsInTheLogFile )
{
    const std::string logFile = MakeTempDir( "audio_misuse" ) + "/log.txt";
    GetLog().SetLogFile( logFile );
    ASSERT_NE( StartAudio(), nullptr );
    const std::string file = "\"" + SoundFile( "music_long.wav" ) + "\"";

    Run( "Audio::PlayMusic" );
    Run( "Audio::PlayMusic( 5 )" );
    Run( "Audio::PlayMusicFadeIn" );
    Run( "Audio::PlayMusicFadeIn()" );
    EXPECT_EQ( myDevice->GetMusic(), "" );
    Run( "Audio::PlayMusicFadeIn( " + file + ", slowly )" );
    EXPECT_EQ( myDevice->GetMusicFadeIn(), 1000 );
    Run( "Audio::StopMusicFadeOut" );
    Run( "Audio::StopMusicFadeOut( soon )" );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_PLAYING );
    EXPECT_EQ( myDevice->GetMusicFadeOut(), std::nullopt );
    Run( "Audio::StopMusic( 5 )" );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_STOPPED );
    EXPECT_EQ( myDevice->GetMusic(), "" );
    Run( "Audio::PlayEffect" );
    Run( "Audio::PlayEffect( 1 )" );
    Run( "Audio::PreloadEffect" );
    Run( "Audio::PreloadEffect( 2 )" );
    EXPECT_EQ( myEffects->GetCache().Size(), 0u );

    const std::string text = ReadFile( logFile );
    const char* const warnings[] = {
        "PlayMusic -command requires atleast one parameter",
        "PlayMusic -command the 1st parameter is of wrong type, should be string",
        "PlayMusicFadeIn -command requires atleast one parameter",
        "PlayMusicFadeIn -command the 1st parameter is of wrong type, should be string",
        "PlayMusicFadeIn -command the 2nd parameter is of wrong type, should be a number",
        "StopMusicFadeOut -command requires atleast one parameter",
        "StopMusicFadeOut -command the 1st parameter is of wrong type, should be number",
        "StopMusic -command, no parameters needed",
        "PlayEffect -command requires atleast one parameter",
        "PlayEffect -command the 1st parameter is of wrong type, should be string",
        "PreloadEffect -command requires atleast one parameter",
        "PreloadEffect -command the 1st parameter is of wrong type, should be string",
    };
    std::string::size_type at = 0;
    for( const char* warning : warnings )
    {
        const std::string line = std::string( "\n(!) " ) + warning + "\n";
        const auto found = text.find( line, at );
        EXPECT_NE( found, std::string::npos ) << "missing or out of order: " << warning;
        if( found != std::string::npos )
            at = found + 1;
    }
}

TEST_F( AudioTaskTest, OutOfRangeNumbersAreHeldAtTheIntRange )
{
    ASSERT_NE( StartAudio(), nullptr );
    RunWithFile( "PlayMusicFadeIn", "music_long.wav", ", 99999999999" );
    EXPECT_EQ( myDevice->GetMusicFadeIn(), INT_MAX );

    // A fade-out of no time halts at once.
    Run( "Audio::StopMusicFadeOut( -99999999999 )" );
    EXPECT_EQ( myMusic->GetFadeTime(), INT_MIN );
    EXPECT_EQ( myDevice->GetMusicFadeOut(), INT_MIN );
}

TEST_F( AudioTaskTest, StoppingTheTaskClosesTheDeviceAndLeavesCommandsHarmless )
{
    ASSERT_NE( StartAudio(), nullptr );
    RunWithFile( "PlayMusic", "music_long.ogg" );
    RunWithFile( "PlayEffect", "effect_long.wav" );

    Run( "stoptask( Audio )" );
    EXPECT_EQ( myTask->GetMusicPlayer(), nullptr );
    EXPECT_FALSE( myDevice->IsOpen() );
    EXPECT_EQ( myDevice->GetMusic(), "" );

    // Until the next pass sweeps it, the dead task is still in the running
    // list, where pausing and resuming reach it.
    Run( "pausetask( Audio )" );
    Run( "resumetask( Audio )" );
    SendEveryCommand();
    RunPass();
    EXPECT_FALSE( IsRunning( myTask ) );
}

TEST_F( AudioTaskTest, ShippedStartUpScriptStartsTheTaskTheGameTalksTo )
{
    // Only the script's audio lines: the other tasks it starts are not under
    // test here.
    std::istringstream script( ReadFile( std::string( TARN_SOURCE_DIR ) + "/autoexec.txt" ) );
    std::string line;
    while( std::getline( script, line ) )
    {
        if( line.find( "sdl_mixer" ) != std::string::npos || line.find( "audio" ) != std::string::npos )
            Run( line );
    }
    auto* task = dynamic_cast<CAudioTask*>( CTaskFactory::GetSingletonPtr()->FindTask( "Audio" ) );
    ASSERT_NE( task, nullptr );
    EXPECT_TRUE( IsRunning( task ) );

    // The line a sound frame of an animation builds.
    GetConsole()->Execute( "Audio::PlayEffect( \"" + SoundFile( "effect_long.wav" ) + "\" );", false );
    auto& device = dynamic_cast<CNullAudioDevice&>( task->GetDevice() );
    EXPECT_EQ( device.GetEffectsPlayed(), std::vector<std::string>{ SoundFile( "effect_long.wav" ) } );
}
