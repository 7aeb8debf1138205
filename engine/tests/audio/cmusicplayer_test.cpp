// Music as a script meets it through the audio task, on the silent device:
// fades, restarts, switching, repeating, pausing, and what stays loaded.
#include <gtest/gtest.h>

#include "audio/audiotestsupport.h"
#include "support/testsupport.h"
#include "tarn/audio/ceffectplayer.h"
#include "tarn/audio/cmusicplayer.h"
#include "tarn/audio/null/cnullaudiodevice.h"

using namespace tarn;
using namespace tarn::test;

namespace {

class MusicTest : public AudioTest
{
protected:
    void SetUp() override
    {
        AudioTest::SetUp();
        UseSilentDevice();
        ASSERT_NE( StartAudio(), nullptr );
        ASSERT_NE( myDevice, nullptr );
    }

    std::string Current() const { return myMusic->GetCurrent() ? myMusic->GetCurrent()->GetFile() : "<none>"; }
    bool Cached( const std::string& soundName ) const { return myMusic->GetCache().Contains( SoundFile( soundName ) ); }
};

} // namespace

TEST_F( MusicTest, FirstMusicFadesInOverThreeSecondsAndLaterOnesStartAtFullVolume )
{
    RunWithFile( "PlayMusic", "music_long.wav" );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_PLAYING );
    EXPECT_EQ( myDevice->GetMusicFadeIn(), 3000 );
    EXPECT_FALSE( myMusic->GetFade() );

    RunWithFile( "PlayMusic", "music_long.ogg" );
    EXPECT_EQ( myDevice->GetMusic(), SoundFile( "music_long.ogg" ) );
    EXPECT_EQ( myDevice->GetMusicFadeIn(), std::nullopt );
    EXPECT_EQ( Current(), SoundFile( "music_long.ogg" ) );

    // Without a time the fade-in takes a second.
    RunWithFile( "PlayMusicFadeIn", "music_long.wav" );
    EXPECT_EQ( myDevice->GetMusicFadeIn(), 1000 );
}

TEST_F( MusicTest, FadeOutLeavesTheFadeForTheNextStartAndStopAfterAFadeInHalts )
{
    RunWithFile( "PlayMusic", "music_long.wav" );

    Run( "Audio::StopMusicFadeOut( 500 )" );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_STOPPED );
    EXPECT_EQ( myDevice->GetMusicFadeOut(), 500 );
    EXPECT_TRUE( myMusic->GetFade() );

    RunWithFile( "PlayMusic", "music_long.wav" );
    EXPECT_EQ( myDevice->GetMusicFadeIn(), 500 );
    EXPECT_FALSE( myMusic->GetFade() );

    RunWithFile( "PlayMusicFadeIn", "music_long.ogg", ", 5000" );
    EXPECT_EQ( myDevice->GetMusicFadeIn(), 5000 );
    Run( "Audio::StopMusic" );
    EXPECT_EQ( myDevice->GetMusic(), "" );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_STOPPED );

    // A stopped music stays stopped.
    RunPass();
    EXPECT_EQ( myDevice->GetMusic(), "" );
}

TEST_F( MusicTest, PlayingTheCurrentMusicAgainRestartsItWithTheSameData )
{
    RunWithFile( "PlayMusic", "music_long.wav" );
    const CAudioClip* first = myMusic->GetCurrent();
    ASSERT_NE( first, nullptr );

    CLogCapture log;
    RunWithFile( "PlayMusicFadeIn", "music_long.wav", ", 2000" );
    EXPECT_EQ( myMusic->GetCurrent(), first );
    EXPECT_EQ( myMusic->GetCache().Size(), 1u );
    EXPECT_EQ( myDevice->GetMusicFadeIn(), 2000 );
    EXPECT_TRUE( log.Lines().empty() ) << log.Lines().front();
}

TEST_F( MusicTest, SwitchingMusicFreesThePreviousUnlessPreloaded )
{
    const std::string wav = SoundFile( "music_long.wav" );
    const std::string ogg = SoundFile( "music_long.ogg" );
    RunWithFile( "PlayMusic", "music_long.wav" );
    RunWithFile( "PlayMusic", "music_long.ogg" );
    EXPECT_FALSE( Cached( "music_long.wav" ) );
    EXPECT_EQ( Current(), ogg );

    ASSERT_TRUE( myMusic->Preload( wav ) );
    RunWithFile( "PlayMusic", "music_long.wav" );
    RunWithFile( "PlayMusic", "music_long.ogg" );
    EXPECT_TRUE( Cached( "music_long.wav" ) );
    EXPECT_EQ( myMusic->GetCache().Size(), 2u );

    // Released, it goes at once unless it is the music playing.
    myMusic->Release( ogg );
    EXPECT_TRUE( Cached( "music_long.ogg" ) );
    myMusic->Release( wav );
    EXPECT_FALSE( Cached( "music_long.wav" ) );
    EXPECT_EQ( myDevice->GetMusic(), ogg );
}

TEST_F( MusicTest, FinishedMusicStartsAgainByItselfWithoutFading )
{
    RunWithFile( "PlayMusic", "music_short.wav" );
    const CAudioClip* data = myMusic->GetCurrent();

    myDevice->FinishMusic();
    RunPass();
    EXPECT_EQ( myDevice->GetMusic(), SoundFile( "music_short.wav" ) );
    EXPECT_EQ( myDevice->GetMusicFadeIn(), std::nullopt );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_PLAYING );
    EXPECT_EQ( myMusic->GetCurrent(), data );
}

TEST_F( MusicTest, MissingMusicIsLoggedByNameAndChangesNothing )
{
    RunWithFile( "PlayMusic", "music_long.ogg" );

    CLogCapture log;
    Run( "Audio::PlayMusic( \"no/such/music.ogg\" )" );
    EXPECT_TRUE( log.Contains( "Could not load music-file  no/such/music.ogg: it does not exist" ) );
    EXPECT_EQ( Current(), SoundFile( "music_long.ogg" ) );
    EXPECT_EQ( myMusic->GetCache().Size(), 1u );
    EXPECT_EQ( myDevice->GetMusic(), SoundFile( "music_long.ogg" ) );
    EXPECT_FALSE( myMusic->Preload( "no/such/music.ogg" ) );
    EXPECT_EQ( myMusic->GetCache().Size(), 1u );
}

TEST_F( MusicTest, PausingTheTaskPausesMusicAndEffectsAndANewPlayResumes )
{
    RunWithFile( "PlayMusic", "music_long.ogg" );

    Run( "pausetask( Audio )" );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_PAUSED );
    EXPECT_TRUE( myDevice->IsMusicPaused() );
    EXPECT_TRUE( myDevice->AreEffectsPaused() );
    Run( "resumetask( Audio )" );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_PLAYING );
    EXPECT_FALSE( myDevice->IsMusicPaused() );
    EXPECT_FALSE( myDevice->AreEffectsPaused() );

    Run( "pausetask( Audio )" );
    RunWithFile( "PlayMusic", "music_long.wav" );
    EXPECT_EQ( myMusic->GetState(), CMusicPlayer::STATE_PLAYING );
    EXPECT_FALSE( myDevice->IsMusicPaused() );
    EXPECT_EQ( myDevice->GetMusic(), SoundFile( "music_long.wav" ) );
}

TEST_F( MusicTest, EachPlayersVolumeIsItsOwnTimesItsMaster )
{
    myMusic->SetVolume( 0.5f );
    myMusic->SetMasterVolume( 0.5f );
    myEffects->SetVolume( 0.5f );
    EXPECT_FLOAT_EQ( myDevice->GetMusicVolume(), 0.25f );
    EXPECT_FLOAT_EQ( myDevice->GetEffectVolume(), 0.5f );
    myEffects->SetMasterVolume( 0.2f );
    EXPECT_FLOAT_EQ( myDevice->GetEffectVolume(), 0.1f );
    EXPECT_FLOAT_EQ( myDevice->GetMusicVolume(), 0.25f );
}
