// The audio task on SDL_mixer (SDL's dummy driver): the start-up log, how the
// start-up values open the device, a machine without one, and the mixer
// doing what the players ask of it.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/audiotestsupport.h"
#include "support/testsupport.h"
#include "tarn/audio/ceffectplayer.h"
#include "tarn/audio/cmusicplayer.h"
#include "tarn/tasks/caudiotask.h"
#include "tarn/utils/canycontainer.h"
#include "tarn/utils/clogger.h"

using namespace tarn;
using namespace tarn::test;

namespace {

using Lines = std::vector<std::string>;

// The lines from "Initializing audio" on.
Lines StartUpLines( const CLogCapture& log )
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
int IndentBalance( const CLogCapture& log )
{
    int balance = 0;
    for( const auto& [ text, level ] : log.LinesWithLevels() )
        balance += level == LOG_INDENT ? 1 : level == LOG_UNINDENT ? -1 : 0;
    return balance;
}

const std::string OPENING_DEFAULTS = "frequency: 22050Hz, format: S16LSB, channels: 2, chunksize: 1024";

using SDLMixerTest = AudioTest;

} // namespace

TEST_F( SDLMixerTest, StartsFromTheSdlMixerLibraryAndLogsEachStep )
{
    CLogCapture log;
    CAudioTask* task = StartAudio();
    ASSERT_NE( task, nullptr );
    EXPECT_TRUE( IsRunning( task ) );
    EXPECT_NE( task->GetMusicPlayer(), nullptr );

    const SDL_version* linked = Mix_Linked_Version();
    const std::string version = std::to_string( linked->major ) + "." + std::to_string( linked->minor ) + "." +
                                std::to_string( linked->patch );
    EXPECT_EQ( StartUpLines( log ), ( Lines{ "Initializing audio [OK]",
                                             "Initializing mixer API",
                                             "Compiled with SDL_mixer version: " + version,
                                             "Running with SDL_mixer version: " + version,
                                             "Opening audio device with " + OPENING_DEFAULTS + "\t[OK]",
                                             "Audio device opened 1 times  with parameters frequency: 22050Hz, "
                                             "format: S16LSB, channels: 2",
                                             "Using audiodriver: dummy",
                                             "Number of audio channels allocated 8",
                                             "Mixer API initialized succesfully",
                                             "" } ) );
    EXPECT_EQ( IndentBalance( log ), 0 );
    EXPECT_EQ( Mix_AllocateChannels( -1 ), 8 );
}

TEST_F( SDLMixerTest, StartUpParametersChooseHowTheDeviceOpens )
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

TEST_F( SDLMixerTest, WithoutASoundDeviceTheTaskWaitsPausedAndIgnoresCommands )
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
    EXPECT_EQ( lines[ lines.size() - 2 ], "Mix_OpenAudio failed with parameters " + OPENING_DEFAULTS );
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

TEST_F( SDLMixerTest, DeviceRefusingTheSettingsFailsInitWithItsLines )
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
}

TEST_F( SDLMixerTest, StoppingTheTaskClosesTheDeviceAndTheSubsystem )
{
    ASSERT_NE( StartAudio(), nullptr );
    RunWithFile( "PlayMusic", "music_long.ogg" );
    RunWithFile( "PlayEffect", "effect_long.wav" );

    Run( "stoptask( Audio )" );
    EXPECT_EQ( myTask->GetMusicPlayer(), nullptr );
    EXPECT_EQ( Mix_QuerySpec( nullptr, nullptr, nullptr ), 0 );
    EXPECT_EQ( SDL_WasInit( SDL_INIT_AUDIO ), 0u );
}

TEST_F( SDLMixerTest, MusicFadesRepeatsAndSwitchesOnTheMixer )
{
    ASSERT_NE( StartAudio(), nullptr );
    RunWithFile( "PlayMusic", "music_long.wav" );
    EXPECT_EQ( Mix_FadingMusic(), MIX_FADING_IN );
    EXPECT_EQ( Mix_GetMusicType( nullptr ), MUS_WAV );

    {
        CLogCapture log;
        RunWithFile( "PlayMusic", "music_long.ogg" );
        EXPECT_EQ( log.Lines(), ( Lines{ "new CSDLMixerMusicData( " + SoundFile( "music_long.ogg" ) + " ) ",
                                         "freed CSDLMixerMusicData" } ) );
    }
    EXPECT_EQ( Mix_FadingMusic(), MIX_NO_FADING );
    EXPECT_EQ( Mix_GetMusicType( nullptr ), MUS_OGG );

    // Restarting the current music keeps the new start's fade-in.
    RunWithFile( "PlayMusicFadeIn", "music_long.ogg", ", 2000" );
    EXPECT_EQ( Mix_FadingMusic(), MIX_FADING_IN );
    Run( "Audio::StopMusicFadeOut( 500 )" );
    EXPECT_EQ( Mix_FadingMusic(), MIX_FADING_OUT );

    RunWithFile( "PlayMusic", "music_short.wav" );
    ASSERT_TRUE( WaitFor( [] { return Mix_PlayingMusic() == 0; } ) );
    RunPass();
    EXPECT_EQ( Mix_PlayingMusic(), 1 );
    EXPECT_EQ( Mix_FadingMusic(), MIX_NO_FADING );
}

TEST_F( SDLMixerTest, AFadeInOfOneSecondTakesTheMixerAboutASecond )
{
    ASSERT_NE( StartAudio(), nullptr );
    RunWithFile( "PlayMusicFadeIn", "music_long.ogg" );
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ( Mix_FadingMusic(), MIX_FADING_IN );

    ASSERT_TRUE( WaitFor( [] { return Mix_FadingMusic() != MIX_FADING_IN; } ) );
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>( std::chrono::steady_clock::now() - start );
    // The mixer steps the fade once per mixed chunk; only its first two
    // chunks come without waiting, so the fade cannot end much earlier.
    EXPECT_GE( elapsed.count(), 800 );
    EXPECT_EQ( Mix_PlayingMusic(), 1 );
}

TEST_F( SDLMixerTest, EffectsHoldChannelsAndAreFreedWhenAllAreSilent )
{
    ASSERT_NE( StartAudio( ", 22050, S16LSB, 2, 1024, 1" ), nullptr );
    RunWithFile( "PlayEffect", "effect_long.wav" );
    EXPECT_EQ( Mix_Playing( 0 ), 1 );
    // Holding the effect keeps its channel busy however slow the machine.
    Mix_Pause( 0 );

    CLogCapture log;
    RunWithFile( "PlayEffect", "effect_short.wav" );
    Run( "Audio::PlayEffect( \"no/such/effect.wav\" )" );
    RunPass();
    EXPECT_EQ( myEffects->GetCache().Size(), 2u );

    Mix_HaltChannel( 0 );
    RunPass();
    EXPECT_EQ( myEffects->GetCache().Size(), 0u );
    EXPECT_EQ( log.Lines(), ( Lines{ "new CSDLMixerEffectData( " + SoundFile( "effect_short.wav" ) + " ) ",
                                     "Could not play the effect: " + SoundFile( "effect_short.wav" ),
                                     "SDL_Mixer says: No free channels available",
                                     "new CSDLMixerEffectData( no/such/effect.wav ) ",
                                     "Could not load effect-file  no/such/effect.wav",
                                     "SDL_Mixer says: Couldn't open no/such/effect.wav", "freed CSDLMixerEffectData",
                                     "freed CSDLMixerEffectData" } ) );
}

TEST_F( SDLMixerTest, VolumesStayInTheMixersRange )
{
    ASSERT_NE( StartAudio(), nullptr );
    myMusic->SetVolume( 0.5f );
    myMusic->SetMasterVolume( 0.5f );
    EXPECT_EQ( Mix_VolumeMusic( -1 ), 32 );
    myMusic->SetVolume( 4.0f );
    myMusic->SetMasterVolume( 1.0f );
    EXPECT_EQ( Mix_VolumeMusic( -1 ), MIX_MAX_VOLUME );
    // The mixer would take a negative volume as a question and change nothing.
    myMusic->SetVolume( -1.0f );
    EXPECT_EQ( Mix_VolumeMusic( -1 ), 0 );
    myEffects->SetVolume( 0.25f );
    EXPECT_EQ( Mix_Volume( 0, -1 ), 32 );
}
