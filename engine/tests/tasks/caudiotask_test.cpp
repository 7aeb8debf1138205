// The audio task as a start-up script and a game use it, on the silent
// device: start-up parameters, command misuse and shutdown. What SDL_mixer
// makes of it: audio/audio_test.cpp.
#include <climits>

#include "audio/audiotestsupport.h"
#include "support/testsupport.h"
#include "tarn/audio/audioformat.h"
#include "tarn/audio/ceffectplayer.h"
#include "tarn/audio/cmusicplayer.h"
#include "tarn/audio/null/cnullaudiodevice.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/tasks/caudiotask.h"
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
    std::vector<int> Settings() const
    {
        const auto& s = myTask->GetSettings();
        return { s.GetFrequency(), s.GetFormat(), s.GetChannels(), s.GetChunkSize(), s.GetMixingChannels() };
    }
};

} // namespace

TEST_F( AudioTaskTest, StartUpParametersReachTheDeviceAndWrongOnesKeepTheDefaults )
{
    ASSERT_NE( StartAudio( ", 44100, u8, 1, 512, 4" ), nullptr );
    EXPECT_EQ( Settings(), ( std::vector<int>{ 44100, AUDIO_FORMAT_U8, 1, 512, 4 } ) );
    AudioTaskTest::SetUp();
    CLogCapture log;
    ASSERT_NE( StartAudio( ", fast, S24, stereo, 1k, \"eight\"" ), nullptr );
    EXPECT_EQ( Settings(), ( std::vector<int>{ 22050, AUDIO_FORMAT_S16LSB, 2, 1024, 8 } ) );
    const std::string wrong = " start-up parameter (";
    for( const std::string& line :
         { "1st" + wrong + "frequency) is of wrong type, should be a number",
           "2nd" + wrong + "format) is of wrong type, should be a string",
           "3rd" + wrong + "num_of_channels) is of wrong type, should be a number (1 = mono, 2 = stereo)",
           "4th" + wrong + "chunk_size) is of wrong type, should be a number",
           "5th" + wrong + "number_of_audio_channels) is of wrong type, should be a number" } )
        EXPECT_TRUE( log.Contains( "Audio " + line ) ) << line;
    // A number is not a format name either.
    AudioTaskTest::SetUp();
    CLogCapture again;
    ASSERT_NE( StartAudio( ", 22050, 16" ), nullptr );
    EXPECT_TRUE( again.Contains( "Audio 2nd" + wrong + "format) is of wrong type, should be a string" ) );
}

TEST_F( AudioTaskTest, MisusedCommandsLogTheirWarningsInTheLogFile )
{
    const std::string logFile = MakeTempDir( "audio_misuse" ) + "/log.txt";
    GetLog().SetLogFile( logFile );
    ASSERT_NE( StartAudio(), nullptr );
    for( const char* line : { "PlayMusic", "PlayMusic( 5 )", "PlayMusicFadeIn", "PlayMusicFadeIn()" } )
        Run( std::string( "Audio::" ) + line );
    EXPECT_EQ( myDevice->GetMusic(), "" );
    RunWithFile( "PlayMusicFadeIn", "music_long.wav", ", slowly" );
    EXPECT_EQ( myDevice->GetMusicFadeIn(), 1000 );
    Run( "Audio::StopMusicFadeOut" );
    Run( "Audio::StopMusicFadeOut( soon )" );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_PLAYING );
    EXPECT_EQ( myDevice->GetMusicFadeOut(), std::nullopt );
    Run( "Audio::StopMusic( 5 )" );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_STOPPED );
    EXPECT_EQ( myDevice->GetMusic(), "" );
    for( const char* line : { "PlayEffect", "PlayEffect( 1 )", "PreloadEffect", "PreloadEffect( 2 )" } )
        Run( std::string( "Audio::" ) + line );
    EXPECT_EQ( myEffects->GetCache().Size(), 0u );
    // In this order, each on a line of its own.
    const std::string text = ReadFile( logFile );
    std::string::size_type at = 0;
    for( const char* warning : { "PlayMusic -command requires atleast one parameter",
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
                                 "PreloadEffect -command the 1st parameter is of wrong type, should be string" } )
    {
        at = text.find( std::string( "\n(!) " ) + warning + "\n", at );
        ASSERT_NE( at, std::string::npos ) << "missing or out of order: " << warning;
        ++at;
    }
}

// Numbers past the int range are held at its ends; a fade-out of no time
// halts at once. Stopped, the task closes the device and, until the next
// pass sweeps it, takes every command harmlessly.
TEST_F( AudioTaskTest, OutOfRangeNumbersAndCommandsAfterTheStopAreHarmless )
{
    ASSERT_NE( StartAudio(), nullptr );
    RunWithFile( "PlayMusicFadeIn", "music_long.wav", ", 99999999999" );
    EXPECT_EQ( myDevice->GetMusicFadeIn(), INT_MAX );
    Run( "Audio::StopMusicFadeOut( -99999999999 )" );
    EXPECT_EQ( myMusic->GetFadeTime(), INT_MIN );
    EXPECT_EQ( myDevice->GetMusicFadeOut(), INT_MIN );
    RunWithFile( "PlayMusic", "music_long.ogg" );
    // The line a sound frame of an animation builds.
    GetConsole()->Execute( "Audio::PlayEffect( \"" + SoundFile( "effect_long.wav" ) + "\" );", false );
    EXPECT_EQ( myDevice->GetEffectsPlayed(), std::vector<std::string>{ SoundFile( "effect_long.wav" ) } );
    Run( "stoptask( Audio )" );
    EXPECT_EQ( myTask->GetMusicPlayer(), nullptr );
    EXPECT_FALSE( myDevice->IsOpen() );
    EXPECT_EQ( myDevice->GetMusic(), "" );
    Run( "pausetask( Audio )" );
    Run( "resumetask( Audio )" );
    SendEveryCommand();
    RunPass();
    EXPECT_FALSE( IsRunning( myTask ) );
}
