// The audio task as a script meets it: music and effects on the silent
// device, their captions on the screen, then SDL_mixer (on SDL's dummy
// driver) doing what the players ask.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "audio/audiotestsupport.h"
#include "support/spritescene.h"
#include "tarn/audio/ceffectplayer.h"
#include "tarn/audio/cmusicplayer.h"
#include "tarn/gfx/cframesound.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/tasks/ccaptiondisplay.h"
#include "tarn/utils/clogger.h"

using namespace tarn;
using namespace tarn::test;
using Lines = std::vector<std::string>;
using SDLMixerTest = AudioTest;

namespace {

// The audio task on the silent device, with one mixing channel.
class PlayersTest : public AudioTest
{
protected:
    void SetUp() override
    {
        AudioTest::SetUp();
        UseSilentDevice();
        ASSERT_NE( StartAudio( ", 22050, S16LSB, 2, 1024, 1" ), nullptr );
        ASSERT_NE( myDevice, nullptr );
    }

    bool MusicCached( const std::string& name ) const { return myMusic->GetCache().Contains( SoundFile( name ) ); }
    auto Effects() const { return std::make_tuple( myEffects->GetCache().Size(), myEffects->IsPending() ); }
    auto Music() const { return std::make_tuple( myDevice->GetMusic(), myDevice->GetMusicFadeIn() ); }
    auto Pause() const
    {
        return std::make_tuple( myMusic->GetState(), myDevice->IsMusicPaused(), myDevice->AreEffectsPaused() );
    }
};

// Captions loaded (the setting was turned on before they were) over a
// 320 x 240 screen, on a clock the test steps.
class CaptionsTest : public PlayersTest
{
protected:
    using Shown = std::vector<std::pair<std::string, int>>;

    void SetUp() override
    {
        PlayersTest::SetUp();
        scene = std::make_unique<CSpriteScene>( 320, 240, "captions" );
        std::string captions = "<Captions>";
        for( const std::string name : { "effect_short.wav", "effect_long.wav", "music_short.wav", "music_long.ogg" } )
            captions += "<Caption sound_file=\"" + SoundFile( name ) + "\"> [" + name.substr( 0, name.size() - 4 ) +
                        "] </Caption>";
        WriteFile( scene->GetDir() + "/captions.xml", captions + "</Captions>" );
        Run( "captions = 1" );
        Run( "Audio::LoadCaptions( \"" + scene->GetDir() + "/captions.xml\", \"nothing\", 200 )" );
    }
    // The captions on the screen after a pass, top to bottom, with their alpha.
    Shown Captions()
    {
        RunPass();
        Shown shown;
        for( const CTextSprite* sprite : myTask->GetCaptionDisplay()->GetTextSprites() )
            shown.emplace_back( sprite->GetText(), sprite->GetAlpha() );
        return shown;
    }

    CManualClock clock{ 1000 };
    std::unique_ptr<CSpriteScene> scene;
};

// The lines from "Initializing audio" on, once each indent of the log is
// found undone.
Lines StartUpLines( const CLogCapture& log )
{
    int balance = 0;
    for( const auto& [ text, level ] : log.LinesWithLevels() )
        balance += level == LOG_INDENT ? 1 : level == LOG_UNINDENT ? -1 : 0;
    EXPECT_EQ( balance, 0 );
    const Lines all = log.Lines();
    const auto first = []( const std::string& line ) { return line.rfind( "Initializing audio", 0 ) == 0; };
    return Lines( std::find_if( all.begin(), all.end(), first ), all.end() );
}

const std::string OPENING_DEFAULTS = "frequency: 22050Hz, format: S16LSB, channels: 2, chunksize: 1024";

} // namespace

TEST_F( PlayersTest, MusicFadesInAndOutAsTheScriptAsks )
{
    // The first music fades in over three seconds, later ones start at once.
    RunWithFile( "PlayMusic", "music_long.wav" );
    EXPECT_EQ( std::make_tuple( myMusic->GetState(), myDevice->GetMusicFadeIn() ),
               std::make_tuple( CMusicPlayer::STATE_PLAYING, std::optional<int>( 3000 ) ) );
    RunWithFile( "PlayMusic", "music_long.ogg" );
    EXPECT_EQ( Music(), std::make_tuple( SoundFile( "music_long.ogg" ), std::optional<int>() ) );
    // Without a time the fade-in takes a second.
    RunWithFile( "PlayMusicFadeIn", "music_long.wav" );
    EXPECT_EQ( myDevice->GetMusicFadeIn(), 1000 );
    // A fade-out is left for the next start to fade in with.
    Run( "Audio::StopMusicFadeOut( 500 )" );
    EXPECT_EQ( std::make_tuple( myMusic->GetState(), myDevice->GetMusicFadeOut() ),
               std::make_tuple( CMusicPlayer::STATE_STOPPED, std::optional<int>( 500 ) ) );
    RunWithFile( "PlayMusic", "music_long.wav" );
    EXPECT_EQ( myDevice->GetMusicFadeIn(), 500 );
    RunWithFile( "PlayMusic", "music_long.ogg" );
    EXPECT_EQ( myDevice->GetMusicFadeIn(), std::nullopt );
    RunWithFile( "PlayMusicFadeIn", "music_long.ogg", ", 5000" );
    EXPECT_EQ( myDevice->GetMusicFadeIn(), 5000 );
    Run( "Audio::StopMusic" );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_STOPPED );
    // A stopped music stays stopped.
    RunPass();
    EXPECT_EQ( myDevice->GetMusic(), "" );
}

TEST_F( PlayersTest, SwitchingMusicFreesThePreviousUnlessPreloadedAndMissingFilesChangeNothing )
{
    const std::string wav = SoundFile( "music_long.wav" );
    const std::string ogg = SoundFile( "music_long.ogg" );
    RunWithFile( "PlayMusic", "music_long.wav" );
    const CAudioClip* first = myMusic->GetCurrent();
    CLogCapture log;
    RunWithFile( "PlayMusicFadeIn", "music_long.wav", ", 2000" );
    EXPECT_EQ( myMusic->GetCurrent(), first );
    EXPECT_EQ( myDevice->GetMusicFadeIn(), 2000 );
    EXPECT_EQ( log.Lines(), Lines{} );
    RunWithFile( "PlayMusic", "music_long.ogg" );
    EXPECT_FALSE( MusicCached( "music_long.wav" ) );
    EXPECT_EQ( myMusic->GetCurrent()->GetFile(), ogg );
    ASSERT_TRUE( myMusic->Preload( wav ) );
    RunWithFile( "PlayMusic", "music_long.wav" );
    RunWithFile( "PlayMusic", "music_long.ogg" );
    EXPECT_TRUE( MusicCached( "music_long.wav" ) );
    EXPECT_EQ( myMusic->GetCache().Size(), 2u );
    // Released, it goes at once unless it is the music playing.
    myMusic->Release( ogg );
    EXPECT_TRUE( MusicCached( "music_long.ogg" ) );
    myMusic->Release( wav );
    EXPECT_FALSE( MusicCached( "music_long.wav" ) );
    EXPECT_EQ( myDevice->GetMusic(), ogg );
    CLogCapture missing;
    Run( "Audio::PlayMusic( \"no/such/music.ogg\" )" );
    Run( "Audio::PlayEffect( \"no/such/effect.wav\" )" );
    Run( "Audio::PreloadEffect( \"no/such/effect.wav\" )" );
    EXPECT_FALSE( myMusic->Preload( "no/such/music.ogg" ) );
    EXPECT_EQ( missing.Lines(), ( Lines{ "Could not load music-file  no/such/music.ogg: it does not exist",
                                         "Could not load effect-file  no/such/effect.wav: it does not exist",
                                         "Could not load effect-file  no/such/effect.wav: it does not exist",
                                         "Could not load music-file  no/such/music.ogg: it does not exist" } ) );
    EXPECT_EQ( myDevice->GetMusic(), SoundFile( "music_long.ogg" ) );
    EXPECT_EQ( myMusic->GetCache().Size(), 1u );
    EXPECT_EQ( Effects(), std::make_tuple( 0u, false ) );
    EXPECT_TRUE( myDevice->GetEffectsPlayed().empty() );
}

TEST_F( PlayersTest, FinishedMusicStartsAgainAndPausingTheTaskPausesEverything )
{
    RunWithFile( "PlayMusic", "music_short.wav" );
    const CAudioClip* data = myMusic->GetCurrent();
    myDevice->FinishMusic();
    RunPass();
    EXPECT_EQ( Music(), std::make_tuple( SoundFile( "music_short.wav" ), std::optional<int>() ) );
    EXPECT_EQ( myMusic->GetCurrent(), data );
    Run( "pausetask( Audio )" );
    EXPECT_EQ( Pause(), std::make_tuple( CMusicPlayer::STATE_PAUSED, true, true ) );
    Run( "resumetask( Audio )" );
    EXPECT_EQ( Pause(), std::make_tuple( CMusicPlayer::STATE_PLAYING, false, false ) );
    // A new music resumes a paused task's player.
    Run( "pausetask( Audio )" );
    RunWithFile( "PlayMusic", "music_long.wav" );
    EXPECT_EQ( myDevice->GetMusic(), SoundFile( "music_long.wav" ) );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_PLAYING );
    EXPECT_FALSE( myDevice->IsMusicPaused() );
    // Each player's volume is its own times its master's.
    myMusic->SetVolume( 0.5f );
    myMusic->SetMasterVolume( 0.5f );
    myEffects->SetVolume( 0.5f );
    myEffects->SetMasterVolume( 0.2f );
    EXPECT_FLOAT_EQ( myDevice->GetMusicVolume(), 0.25f );
    EXPECT_FLOAT_EQ( myDevice->GetEffectVolume(), 0.1f );
    // The player's settings are the masters from the moment they are assigned, paused or not.
    Run( "music_volume = 40; effects_volume = 30" );
    EXPECT_FLOAT_EQ( myDevice->GetMusicVolume(), 0.2f );
    EXPECT_FLOAT_EQ( myDevice->GetEffectVolume(), 0.15f );
}

TEST_F( PlayersTest, EffectsStayCachedWhileAnyChannelSoundsAndPreloadedOnesUntilReleased )
{
    RunWithFile( "PreloadEffect", "effect_short.wav" );
    EXPECT_EQ( Effects(), std::make_tuple( 1u, false ) );
    myDevice->HoldEffects( true );
    // The game's own line form reaches the task through the main console.
    Run( "Audio::PlayEffect( \"" + SoundFile( "effect_long.wav" ) + "\" );" );
    EXPECT_EQ( myDevice->GetEffectsPlayed(), Lines{ SoundFile( "effect_long.wav" ) } );
    // The only channel is taken: the effect is reported, and freed later.
    CLogCapture log;
    RunWithFile( "PlayEffect", "music_short.wav" );
    EXPECT_EQ( log.Lines(), ( Lines{ "Could not play the effect: " + SoundFile( "music_short.wav" ),
                                     "SDL_Mixer says: No free channels available" } ) );
    RunPass();
    EXPECT_EQ( Effects(), std::make_tuple( 3u, true ) );
    myDevice->HoldEffects( false );
    RunPass();
    EXPECT_TRUE( myEffects->GetCache().Contains( SoundFile( "effect_short.wav" ) ) );
    EXPECT_EQ( Effects(), std::make_tuple( 1u, false ) );
    myEffects->Release( SoundFile( "effect_short.wav" ) );
    RunPass();
    EXPECT_EQ( myEffects->GetCache().Size(), 0u );
}

TEST_F( CaptionsTest, AnEffectOrSoundFrameShowsItsCaptionWhileItSoundsThenFadesOut )
{
    RunWithFile( "PlayEffect", "effect_short.wav" );
    EXPECT_EQ( Captions(), ( Shown{ { "[effect_short]", 255 } } ) );
    // The silent device cannot tell a length: the caption shows for the default time.
    clock.Advance( CCaptions::DEFAULT_LENGTH );
    EXPECT_EQ( Captions(), ( Shown{ { "[effect_short]", 255 } } ) );
    clock.Advance( CCaptions::FADE_TIME / 2 );
    EXPECT_EQ( Captions(), ( Shown{ { "[effect_short]", 127 } } ) );
    scene->Update();
    clock.Advance( CCaptions::FADE_TIME / 2 );
    EXPECT_EQ( Captions(), Shown{} );
    scene->Update();
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" ) << "the faded line leaves nothing behind";

    CFrameSound( SoundFile( "music_long.ogg" ) ).Apply( nullptr, 0 );
    EXPECT_EQ( Captions(), ( Shown{ { "[music_long]", 255 } } ) );
    const types::rect line = myTask->GetCaptionDisplay()->GetTextSprites()[ 0 ]->GetRect();
    EXPECT_EQ( line.y + line.h, 200 ) << "the lowest line ends where LoadCaptions says";
    EXPECT_EQ( line.x, ( 320 - line.w ) / 2 );
}

TEST_F( CaptionsTest, AtMostThreeNewestBelowAndNoneWhileTheSettingIsOff )
{
    for( const char* name : { "effect_short.wav", "effect_long.wav", "music_short.wav", "music_long.ogg" } )
    {
        RunWithFile( "PlayEffect", name );
        clock.Advance( 100 );
    }
    EXPECT_EQ( Captions(), ( Shown{ { "[effect_long]", 255 }, { "[music_short]", 255 }, { "[music_long]", 255 } } ) );
    const auto sprites = myTask->GetCaptionDisplay()->GetTextSprites();
    EXPECT_LT( sprites[ 1 ]->GetY(), sprites[ 2 ]->GetY() );
    // Heard again, a sound keeps its line and shows as long again.
    clock.Advance( CCaptions::DEFAULT_LENGTH );
    RunWithFile( "PlayEffect", "effect_long.wav" );
    EXPECT_EQ( Captions(), ( Shown{ { "[effect_long]", 255 }, { "[music_short]", 153 }, { "[music_long]", 204 } } ) );

    Run( "captions = 0" );
    EXPECT_EQ( Captions(), Shown{} );
    RunWithFile( "PlayEffect", "effect_short.wav" );
    EXPECT_EQ( Captions(), Shown{} );
    EXPECT_EQ( Run( "captions = 7" ), "1" ) << "a setting held to 0 and 1";
}

TEST_F( SDLMixerTest, StartsFromTheSdlMixerLibraryAndOpensTheDeviceAsTheStartUpValuesSay )
{
    CLogCapture log;
    ASSERT_NE( StartAudio(), nullptr );
    EXPECT_TRUE( IsRunning( myTask ) );
    const SDL_version* linked = Mix_Linked_Version();
    const std::string version = std::to_string( linked->major ) + "." + std::to_string( linked->minor ) + "." +
                                std::to_string( linked->patch );
    EXPECT_EQ( StartUpLines( log ),
               ( Lines{ "Initializing audio [OK]", "Initializing mixer API",
                        "Compiled with SDL_mixer version: " + version, "Running with SDL_mixer version: " + version,
                        "Opening audio device with " + OPENING_DEFAULTS + "\t[OK]",
                        "Audio device opened 1 times  with parameters frequency: 22050Hz, format: S16LSB, channels: 2",
                        "Using audiodriver: dummy", "Number of audio channels allocated 8",
                        "Mixer API initialized succesfully", "" } ) );
    EXPECT_EQ( Mix_AllocateChannels( -1 ), 8 );
    AudioTest::SetUp();
    CLogCapture chosen;
    ASSERT_NE( StartAudio( ", 44100, u8, 1, 512, 4" ), nullptr );
    const Lines opened = StartUpLines( chosen );
    ASSERT_GE( opened.size(), 8u );
    EXPECT_EQ( Lines( opened.begin() + 4, opened.begin() + 8 ),
               ( Lines{ "Opening audio device with frequency: 44100Hz, format: U8, channels: 1, chunksize: 512\t[OK]",
                        "Audio device opened 1 times  with parameters frequency: 44100Hz, format: U8, channels: 1",
                        "Using audiodriver: dummy", "Number of audio channels allocated 4" } ) );
    EXPECT_EQ( Mix_AllocateChannels( -1 ), 4 );
    // Values the device refuses fail the start with their lines.
    AudioTest::SetUp();
    CLogCapture refused;
    ASSERT_NE( StartAudio( ", 22050, S16LSB, 3" ), nullptr );
    EXPECT_TRUE( IsPaused( myTask ) );
    const Lines lines = StartUpLines( refused );
    ASSERT_EQ( lines.size(), 7u );
    const std::string values = "frequency: 22050Hz, format: S16LSB, channels: 3, chunksize: 1024";
    EXPECT_EQ( lines[ 4 ], "Opening audio device with " + values + "\t[failed]" );
    EXPECT_EQ( lines[ 5 ], "Mix_OpenAudio failed with parameters " + values );
    EXPECT_EQ( lines[ 6 ].rfind( "Error description: ", 0 ), 0u );
    EXPECT_EQ( refused.LinesWithLevels().back().second, LOG_UNINDENT );
}

TEST_F( SDLMixerTest, WithoutASoundDeviceTheTaskWaitsPausedAndIgnoresCommands )
{
    setenv( "SDL_AUDIODRIVER", "no_such_driver", 1 );
    CLogCapture log;
    ASSERT_NE( StartAudio(), nullptr );
    EXPECT_TRUE( IsPaused( myTask ) );
    EXPECT_EQ( myMusic, nullptr );
    const Lines lines = StartUpLines( log );
    ASSERT_GE( lines.size(), 6u );
    EXPECT_EQ( lines.back(), "Error description: No available audio device" );
    EXPECT_EQ( lines[ lines.size() - 2 ], "Mix_OpenAudio failed with parameters " + OPENING_DEFAULTS );

    CLogCapture commands;
    SendEveryCommand();
    EXPECT_EQ( commands.Lines(), Lines{} );
    Run( "resumetask( Audio )" );
    RunPass();
    SendEveryCommand();
    Run( "pausetask( Audio )" );
    Run( "stoptask( Audio )" );
    EXPECT_EQ( Mix_PlayingMusic(), 0 );
}

TEST_F( SDLMixerTest, MusicFadesRepeatsAndSwitchesOnTheMixerUntilTheTaskStops )
{
    ASSERT_NE( StartAudio(), nullptr );
    RunWithFile( "PlayMusic", "music_long.wav" );
    EXPECT_EQ( Mix_FadingMusic(), MIX_FADING_IN );
    EXPECT_EQ( Mix_GetMusicType( nullptr ), MUS_WAV );
    CLogCapture log;
    RunWithFile( "PlayMusic", "music_long.ogg" );
    EXPECT_EQ( log.Lines(), ( Lines{ "new CSDLMixerMusicData( " + SoundFile( "music_long.ogg" ) + " ) ",
                                     "freed CSDLMixerMusicData" } ) );
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
    EXPECT_EQ( std::make_tuple( Mix_PlayingMusic(), Mix_FadingMusic() ), std::make_tuple( 1, MIX_NO_FADING ) );

    RunWithFile( "PlayMusicFadeIn", "music_long.ogg" );
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ( Mix_FadingMusic(), MIX_FADING_IN );
    ASSERT_TRUE( WaitFor( [] { return Mix_FadingMusic() != MIX_FADING_IN; } ) );
    const auto elapsed = std::chrono::steady_clock::now() - start;
    // The mixer steps the fade once per mixed chunk; only its first two
    // chunks come without waiting, so the fade cannot end much earlier.
    EXPECT_GE( std::chrono::duration_cast<std::chrono::milliseconds>( elapsed ).count(), 800 );
    EXPECT_EQ( Mix_PlayingMusic(), 1 );
    RunWithFile( "PlayEffect", "effect_long.wav" );
    Run( "stoptask( Audio )" );
    EXPECT_EQ( myTask->GetMusicPlayer(), nullptr );
    EXPECT_EQ( Mix_QuerySpec( nullptr, nullptr, nullptr ), 0 );
    EXPECT_EQ( SDL_WasInit( SDL_INIT_AUDIO ), 0u );
}

TEST_F( SDLMixerTest, EffectsHoldChannelsAndAreFreedWhenAllAreSilent )
{
    ASSERT_NE( StartAudio( ", 22050, S16LSB, 2, 1024, 1" ), nullptr );
    RunWithFile( "PlayEffect", "effect_long.wav" );
    EXPECT_EQ( Mix_Playing( 0 ), 1 );
    // The mixer tells how long an effect sounds, so that its caption shows as long.
    const CAudioClip* clip = myEffects->GetCache().Find( SoundFile( "effect_long.wav" ) );
    EXPECT_NEAR( clip->GetSound().GetLength().value_or( 0 ), 800, 1 );
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

    myEffects->SetVolume( 0.25f );
    EXPECT_EQ( Mix_Volume( 0, -1 ), 32 );
    // Volumes stay in the mixer's range: it would take a negative one as a
    // question and change nothing.
    for( const auto& [ own, master, mixer ] : { std::make_tuple( 0.5f, 0.5f, 32 ), std::make_tuple( 4.0f, 1.0f, 128 ),
                                                std::make_tuple( -1.0f, 1.0f, 0 ) } )
    {
        myMusic->SetVolume( own );
        myMusic->SetMasterVolume( master );
        EXPECT_EQ( Mix_VolumeMusic( -1 ), mixer ) << own << " x " << master;
    }
}
