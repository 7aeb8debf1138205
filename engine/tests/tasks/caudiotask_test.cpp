// The audio task as a start-up script and a game use it: its start-up log,
// start-up parameters, a machine without a sound device, command misuse and
// shutdown.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <climits>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "audio/audiotestsupport.h"
#include "support/testsupport.h"
#include "tarn/audio/ceffectplayer.h"
#include "tarn/audio/cmusicplayer.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/tasks/caudiotask.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/tasks/tasklibrary.h"
#include "tarn/utils/clogger.h"

using namespace tarn;
using namespace tarn::test;

namespace {

using Lines = std::vector<std::string>;

class AudioTaskTest : public AudioTest
{
protected:
    static bool IsRunning( CTask* task )
    {
        return Contains( CTaskManager::GetSingletonPtr()->GetRunningTasks(), task );
    }
    static bool IsPaused( CTask* task ) { return Contains( CTaskManager::GetSingletonPtr()->GetPausedTasks(), task ); }

    // The lines from "Initializing audio" on.
    static Lines StartUpLines( const CLogCapture& log )
    {
        const Lines all = log.Lines();
        for( std::size_t i = 0; i < all.size(); ++i )
        {
            if( all[ i ].rfind( "Initializing audio", 0 ) == 0 )
                return Lines( all.begin() + i, all.end() );
        }
        return {};
    }

    // Indent markers minus unindent markers.
    static int IndentBalance( const CLogCapture& log )
    {
        int balance = 0;
        for( const auto& [ text, level ] : log.LinesWithLevels() )
            balance += level == LOG_INDENT ? 1 : level == LOG_UNINDENT ? -1 : 0;
        return balance;
    }

    // Every command once, rightly and wrongly; none may crash.
    void SendEveryCommand()
    {
        const std::string file = "\"" + SoundFile( "music_long.ogg" ) + "\"";
        const char* const lines[] = { "PlayMusic( %s )", "PlayMusicFadeIn( %s, 20 )", "StopMusic", "StopMusic( 1 )",
                                      "StopMusicFadeOut( 20 )", "PlayEffect( %s )", "PreloadEffect( %s )",
                                      "PlayMusic", "PlayEffect" };
        for( std::string line : lines )
        {
            const auto at = line.find( "%s" );
            if( at != std::string::npos )
                line.replace( at, 2, file );
            Run( "Audio::" + line );
        }
    }

private:
    template <class List>
    static bool Contains( const List& list, CTask* task )
    {
        for( CTask* entry : list )
        {
            if( entry == task )
                return true;
        }
        return false;
    }
};

} // namespace

TEST_F( AudioTaskTest, StartsFromTheSdlMixerLibraryAndLogsEachStep )
{
    CLogCapture log;
    EXPECT_EQ( Run( "starttask( audio, Audio, 40 )" ), "audio started" );
    CAudioTask* task = dynamic_cast<CAudioTask*>( CTaskFactory::GetSingletonPtr()->FindTask( "Audio" ) );
    ASSERT_NE( task, nullptr );
    EXPECT_TRUE( IsRunning( task ) );
    EXPECT_NE( task->GetMusicPlayer(), nullptr );

    const SDL_version* linked = Mix_Linked_Version();
    const std::string version = std::to_string( linked->major ) + "." + std::to_string( linked->minor ) + "." +
                                std::to_string( linked->patch );
    EXPECT_EQ( StartUpLines( log ),
               ( Lines{ "Initializing audio [OK]",
                        "Initializing mixer API",
                        "Compiled with SDL_mixer version: " + version,
                        "Running with SDL_mixer version: " + version,
                        "Opening audio device with frequency: 22050Hz, format: S16LSB, channels: 2, chunksize: 1024\t[OK]",
                        "Audio device opened 1 times  with parameters frequency: 22050Hz, format: S16LSB, channels: 2",
                        "Using audiodriver: dummy",
                        "Number of audio channels allocated 8",
                        "Mixer API initialized succesfully",
                        "" } ) );
    EXPECT_EQ( IndentBalance( log ), 0 );
    EXPECT_EQ( Mix_AllocateChannels( -1 ), 8 );
}

TEST_F( AudioTaskTest, StartUpParametersChooseHowTheDeviceOpens )
{
    CLogCapture log;
    ASSERT_NE( StartAudio( ", 44100, u8, 1, 512, 4" ), nullptr );
    EXPECT_TRUE(
        log.Contains( "Opening audio device with frequency: 44100Hz, format: U8, channels: 1, chunksize: 512\t[OK]" ) );
    EXPECT_TRUE( log.Contains( "Number of audio channels allocated 4" ) );

    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    ASSERT_EQ( Mix_QuerySpec( &frequency, &format, &channels ), 1 );
    EXPECT_EQ( frequency, 44100 );
    EXPECT_EQ( format, AUDIO_U8 );
    EXPECT_EQ( channels, 1 );
    EXPECT_EQ( Mix_AllocateChannels( -1 ), 4 );
}

TEST_F( AudioTaskTest, WrongStartUpParametersKeepTheDefaultsWithAWarningEach )
{
    CLogCapture log;
    ASSERT_NE( StartAudio( ", fast, S24, stereo, 1k, \"eight\"" ), nullptr );
    EXPECT_TRUE( log.Contains( "Audio 1st start-up parameter (frequency) is of wrong type, should be a number" ) );
    EXPECT_TRUE( log.Contains( "Audio 2nd start-up parameter (format) is of wrong type, should be a string" ) );
    EXPECT_TRUE( log.Contains( "Audio 3rd start-up parameter (num_of_channels) is of wrong type, should be a number "
                               "(1 = mono, 2 = stereo)" ) );
    EXPECT_TRUE( log.Contains( "Audio 4th start-up parameter (chunk_size) is of wrong type, should be a number" ) );
    EXPECT_TRUE(
        log.Contains( "Audio 5th start-up parameter (number_of_audio_channels) is of wrong type, should be a number" ) );
    EXPECT_TRUE( log.Contains(
        "Opening audio device with frequency: 22050Hz, format: S16LSB, channels: 2, chunksize: 1024\t[OK]" ) );
    EXPECT_EQ( Mix_AllocateChannels( -1 ), 8 );

    // A number is not a format name either.
    ResetEngine();
    LoadTaskLibrary( "sdl_mixer" );
    CLogCapture again;
    ASSERT_NE( StartAudio( ", 22050, 16" ), nullptr );
    EXPECT_TRUE( again.Contains( "Audio 2nd start-up parameter (format) is of wrong type, should be a string" ) );
}

TEST_F( AudioTaskTest, WithoutASoundDeviceTheTaskWaitsPausedAndIgnoresCommands )
{
    setenv( "SDL_AUDIODRIVER", "no_such_driver", 1 );
    CLogCapture log;
    CAudioTask* task = StartAudio();
    ASSERT_NE( task, nullptr );
    EXPECT_TRUE( IsPaused( task ) );
    EXPECT_EQ( task->GetMusicPlayer(), nullptr );
    const Lines lines = StartUpLines( log );
    ASSERT_GE( lines.size(), 6u );
    EXPECT_EQ( lines.back(), "Error description: No available audio device" );
    EXPECT_EQ( lines[ lines.size() - 2 ],
               "Mix_OpenAudio failed with parameters frequency: 22050Hz, format: S16LSB, channels: 2, chunksize: 1024" );
    EXPECT_EQ( IndentBalance( log ), 0 );

    CLogCapture commands;
    SendEveryCommand();
    EXPECT_TRUE( commands.Lines().empty() ) << commands.Lines().front();
    Run( "resumetask( Audio )" );
    RunPass();
    SendEveryCommand();
    Run( "pausetask( Audio )" );
    Run( "stoptask( Audio )" );
    EXPECT_EQ( Mix_PlayingMusic(), 0 );
}

TEST_F( AudioTaskTest, DeviceRefusingTheSettingsFailsInitWithItsLines )
{
    CLogCapture log;
    CAudioTask* task = StartAudio( ", 22050, S16LSB, 3" );
    ASSERT_NE( task, nullptr );
    EXPECT_TRUE( IsPaused( task ) );
    const Lines lines = StartUpLines( log );
    ASSERT_EQ( lines.size(), 7u );
    EXPECT_EQ( lines[ 4 ],
               "Opening audio device with frequency: 22050Hz, format: S16LSB, channels: 3, chunksize: 1024\t[failed]" );
    EXPECT_EQ( lines[ 5 ],
               "Mix_OpenAudio failed with parameters frequency: 22050Hz, format: S16LSB, channels: 3, chunksize: 1024" );
    EXPECT_EQ( lines[ 6 ].rfind( "Error description: ", 0 ), 0u );
    EXPECT_EQ( log.LinesWithLevels().back().second, LOG_UNINDENT );
    EXPECT_EQ( IndentBalance( log ), 0 );

    // Init on its own says the same.
    CAudioTask direct;
    CAnyContainer parameters;
    parameters.AddNumber( 22050 );
    parameters.AddString( "S16LSB" );
    parameters.AddNumber( 3 );
    EXPECT_FALSE( direct.Init( &parameters ) );
    EXPECT_EQ( direct.GetMusicPlayer(), nullptr );
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
    EXPECT_EQ( Mix_PlayingMusic(), 0 );
    Run( "Audio::PlayMusicFadeIn( " + file + ", slowly )" );
    EXPECT_EQ( myMusic->GetFadeTime(), 1000 );
    EXPECT_EQ( Mix_FadingMusic(), MIX_FADING_IN );
    Run( "Audio::StopMusicFadeOut" );
    Run( "Audio::StopMusicFadeOut( soon )" );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_PLAYING );
    EXPECT_EQ( Mix_FadingMusic(), MIX_FADING_IN );
    Run( "Audio::StopMusic( 5 )" );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_STOPPED );
    EXPECT_EQ( Mix_PlayingMusic(), 0 );
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
    EXPECT_EQ( myMusic->GetFadeTime(), INT_MAX );
    EXPECT_EQ( Mix_FadingMusic(), MIX_FADING_IN );

    // A fade-out of no time halts at once.
    Run( "Audio::StopMusicFadeOut( -99999999999 )" );
    EXPECT_EQ( myMusic->GetFadeTime(), INT_MIN );
    EXPECT_EQ( Mix_PlayingMusic(), 0 );
}

TEST_F( AudioTaskTest, StoppingTheTaskClosesTheDeviceAndLeavesCommandsHarmless )
{
    ASSERT_NE( StartAudio(), nullptr );
    RunWithFile( "PlayMusic", "music_long.ogg" );
    RunWithFile( "PlayEffect", "effect_long.wav" );

    Run( "stoptask( Audio )" );
    EXPECT_EQ( myTask->GetMusicPlayer(), nullptr );
    EXPECT_EQ( Mix_QuerySpec( nullptr, nullptr, nullptr ), 0 );
    EXPECT_EQ( SDL_WasInit( SDL_INIT_AUDIO ), 0u );

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
    CTask* task = CTaskFactory::GetSingletonPtr()->FindTask( "Audio" );
    ASSERT_NE( dynamic_cast<CAudioTask*>( task ), nullptr );
    EXPECT_TRUE( IsRunning( task ) );

    // The line a sound frame of an animation builds.
    GetConsole()->Execute( "Audio::PlayEffect( \"" + SoundFile( "effect_long.wav" ) + "\" );", false );
    EXPECT_EQ( Mix_Playing( -1 ), 1 );
}
