// Music as a script meets it through the audio task: fades, restarts,
// switching, repeating, and what stays loaded.
#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <chrono>

#include "audio/audiotestsupport.h"
#include "support/testsupport.h"
#include "tarn/audio/cmusicplayer.h"

using namespace tarn;
using namespace tarn::test;

namespace {

class MusicTest : public AudioTest
{
protected:
    void SetUp() override
    {
        AudioTest::SetUp();
        ASSERT_NE( StartAudio(), nullptr );
        ASSERT_NE( myMusic, nullptr );
    }

    std::string Current() const { return myMusic->GetCurrent() ? myMusic->GetCurrent()->GetFile() : "<none>"; }
};

} // namespace

TEST_F( MusicTest, FirstMusicFadesInOverThreeSecondsAndLaterOnesStartAtFullVolume )
{
    RunWithFile( "PlayMusic", "music_long.wav" );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_PLAYING );
    EXPECT_EQ( Mix_FadingMusic(), MIX_FADING_IN );
    EXPECT_EQ( myMusic->GetFadeTime(), 3000 );
    EXPECT_FALSE( myMusic->GetFade() );
    EXPECT_EQ( Mix_GetMusicType( nullptr ), MUS_WAV );

    RunWithFile( "PlayMusic", "music_long.ogg" );
    EXPECT_EQ( Mix_PlayingMusic(), 1 );
    EXPECT_EQ( Mix_FadingMusic(), MIX_NO_FADING );
    EXPECT_EQ( Mix_GetMusicType( nullptr ), MUS_OGG );
    EXPECT_EQ( Current(), SoundFile( "music_long.ogg" ) );
}

TEST_F( MusicTest, FadeInWithoutATimeTakesOneSecond )
{
    RunWithFile( "PlayMusicFadeIn", "music_long.ogg" );
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ( myMusic->GetFadeTime(), 1000 );
    EXPECT_EQ( Mix_FadingMusic(), MIX_FADING_IN );

    ASSERT_TRUE( WaitFor( [] { return Mix_FadingMusic() != MIX_FADING_IN; } ) );
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>( std::chrono::steady_clock::now() - start );
    // The mixer steps the fade once per mixed chunk; only its first two
    // chunks come without waiting, so the fade cannot end much earlier.
    EXPECT_GE( elapsed.count(), 800 );
    EXPECT_EQ( Mix_PlayingMusic(), 1 );
}

TEST_F( MusicTest, FadeOutLeavesTheFadeForTheNextStartAndStopAfterAFadeInHalts )
{
    RunWithFile( "PlayMusic", "music_long.wav" );

    Run( "Audio::StopMusicFadeOut( 500 )" );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_STOPPED );
    EXPECT_EQ( Mix_FadingMusic(), MIX_FADING_OUT );
    EXPECT_TRUE( myMusic->GetFade() );

    // The mixer lets the fade-out end before it starts the next music.
    RunWithFile( "PlayMusic", "music_long.wav" );
    EXPECT_EQ( Mix_FadingMusic(), MIX_FADING_IN );
    EXPECT_EQ( myMusic->GetFadeTime(), 500 );
    EXPECT_FALSE( myMusic->GetFade() );

    RunWithFile( "PlayMusicFadeIn", "music_long.ogg", ", 5000" );
    EXPECT_EQ( Mix_FadingMusic(), MIX_FADING_IN );
    Run( "Audio::StopMusic" );
    EXPECT_EQ( Mix_PlayingMusic(), 0 );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_STOPPED );

    // A stopped music stays stopped.
    RunPass();
    EXPECT_EQ( Mix_PlayingMusic(), 0 );
}

TEST_F( MusicTest, PlayingTheCurrentMusicAgainRestartsItWithTheSameData )
{
    RunWithFile( "PlayMusic", "music_long.wav" );
    const CSDLMixerMusicData* first = myMusic->GetCurrent();
    ASSERT_NE( first, nullptr );

    CLogCapture log;
    RunWithFile( "PlayMusicFadeIn", "music_long.wav", ", 2000" );
    EXPECT_EQ( myMusic->GetCurrent(), first );
    EXPECT_EQ( myMusic->GetCache().Size(), 1u );
    // Started anew: the fade-in of the new start is running.
    EXPECT_EQ( Mix_FadingMusic(), MIX_FADING_IN );
    EXPECT_TRUE( log.Lines().empty() ) << log.Lines().front();
}

TEST_F( MusicTest, SwitchingMusicFreesThePreviousUnlessPreloaded )
{
    const std::string wav = SoundFile( "music_long.wav" );
    const std::string ogg = SoundFile( "music_long.ogg" );
    RunWithFile( "PlayMusic", "music_long.wav" );
    {
        CLogCapture log;
        RunWithFile( "PlayMusic", "music_long.ogg" );
        EXPECT_TRUE( log.Contains( "new CSDLMixerMusicData( " + ogg + " ) " ) );
        EXPECT_TRUE( log.Contains( "freed CSDLMixerMusicData" ) );
    }
    EXPECT_FALSE( myMusic->GetCache().Contains( wav ) );
    EXPECT_EQ( Current(), ogg );

    ASSERT_TRUE( myMusic->Preload( wav ) );
    RunWithFile( "PlayMusic", "music_long.wav" );
    RunWithFile( "PlayMusic", "music_long.ogg" );
    EXPECT_TRUE( myMusic->GetCache().Contains( wav ) );
    EXPECT_EQ( myMusic->GetCache().Size(), 2u );

    // Released, it goes at once unless it is the music playing.
    myMusic->Release( ogg );
    EXPECT_TRUE( myMusic->GetCache().Contains( ogg ) );
    myMusic->Release( wav );
    EXPECT_FALSE( myMusic->GetCache().Contains( wav ) );
    EXPECT_EQ( Mix_PlayingMusic(), 1 );
}

TEST_F( MusicTest, FinishedMusicStartsAgainByItselfWithoutFading )
{
    RunWithFile( "PlayMusic", "music_short.wav" );
    const CSDLMixerMusicData* data = myMusic->GetCurrent();

    ASSERT_TRUE( WaitFor( [] { return Mix_PlayingMusic() == 0; } ) );
    RunPass();
    EXPECT_EQ( Mix_PlayingMusic(), 1 );
    EXPECT_EQ( Mix_FadingMusic(), MIX_NO_FADING );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_PLAYING );
    EXPECT_EQ( myMusic->GetCurrent(), data );
}

TEST_F( MusicTest, MissingMusicIsLoggedByNameAndChangesNothing )
{
    RunWithFile( "PlayMusic", "music_long.ogg" );

    CLogCapture log;
    Run( "Audio::PlayMusic( \"no/such/music.ogg\" )" );
    EXPECT_TRUE( log.Contains( "Could not load music-file  no/such/music.ogg" ) );
    EXPECT_EQ( Current(), SoundFile( "music_long.ogg" ) );
    EXPECT_EQ( myMusic->GetCache().Size(), 1u );
    EXPECT_EQ( Mix_PlayingMusic(), 1 );
    EXPECT_FALSE( myMusic->Preload( "no/such/music.ogg" ) );
    EXPECT_EQ( myMusic->GetCache().Size(), 1u );
}

TEST_F( MusicTest, PausingTheTaskPausesTheMusicAndANewPlayResumes )
{
    RunWithFile( "PlayMusic", "music_long.ogg" );

    Run( "pausetask( Audio )" );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_PAUSED );
    EXPECT_EQ( Mix_PausedMusic(), 1 );
    Run( "resumetask( Audio )" );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_PLAYING );
    EXPECT_EQ( Mix_PausedMusic(), 0 );

    Run( "pausetask( Audio )" );
    RunWithFile( "PlayMusic", "music_long.wav" );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_PLAYING );
    EXPECT_EQ( Mix_PausedMusic(), 0 );
    EXPECT_EQ( Mix_PlayingMusic(), 1 );
}

TEST_F( MusicTest, VolumesMultiplyAndStayInTheMixersRange )
{
    myMusic->SetVolume( 0.5f );
    myMusic->SetMasterVolume( 0.5f );
    EXPECT_EQ( Mix_VolumeMusic( -1 ), 32 );
    myMusic->SetVolume( 4.0f );
    myMusic->SetMasterVolume( 1.0f );
    EXPECT_EQ( Mix_VolumeMusic( -1 ), MIX_MAX_VOLUME );
    // The mixer would take a negative volume as a question and change nothing.
    myMusic->SetVolume( -1.0f );
    EXPECT_EQ( Mix_VolumeMusic( -1 ), 0 );
}
