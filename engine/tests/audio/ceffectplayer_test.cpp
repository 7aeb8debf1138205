// Sound effects as the game fires them: free channels, and the cache that
// empties once every channel is silent.
#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include "audio/audiotestsupport.h"
#include "support/testsupport.h"
#include "tarn/audio/ceffectplayer.h"

using namespace tarn;
using namespace tarn::test;

namespace {

class EffectTest : public AudioTest
{
protected:
    void Start( const std::string& startArguments = "" )
    {
        ASSERT_NE( StartAudio( startArguments ), nullptr );
        ASSERT_NE( myEffects, nullptr );
    }

    bool Cached( const std::string& soundName ) const
    {
        return myEffects->GetCache().Contains( SoundFile( soundName ) );
    }
};

bool AllChannelsSilent()
{
    return Mix_Playing( -1 ) == 0;
}

} // namespace

TEST_F( EffectTest, EffectsStayCachedWhileAnyChannelSounds )
{
    Start();
    // The game's own line form reaches the task through the main console.
    Run( "Audio::PlayEffect( \"" + SoundFile( "effect_long.wav" ) + "\" );" );
    EXPECT_EQ( Mix_Playing( 0 ), 1 );
    // Holding the long effect keeps its channel busy however slow the machine.
    Mix_Pause( 0 );
    RunWithFile( "PlayEffect", "effect_short.wav" );

    ASSERT_TRUE( WaitFor( [] { return Mix_Playing( 1 ) == 0; } ) );
    RunPass();
    EXPECT_TRUE( Cached( "effect_long.wav" ) );
    EXPECT_TRUE( Cached( "effect_short.wav" ) );
    EXPECT_TRUE( myEffects->IsPending() );

    Mix_HaltChannel( 0 );
    CLogCapture log;
    RunPass();
    EXPECT_EQ( myEffects->GetCache().Size(), 0u );
    EXPECT_FALSE( myEffects->IsPending() );
    EXPECT_EQ( log.Lines(), ( std::vector<std::string>{ "freed CSDLMixerEffectData", "freed CSDLMixerEffectData" } ) );
}

TEST_F( EffectTest, PreloadedEffectsSurviveTheCleanUpUntilReleased )
{
    Start();
    RunWithFile( "PreloadEffect", "effect_short.wav" );
    EXPECT_TRUE( Cached( "effect_short.wav" ) );
    EXPECT_FALSE( myEffects->IsPending() );
    EXPECT_EQ( Mix_Playing( -1 ), 0 );

    RunWithFile( "PlayEffect", "effect_short.wav" );
    RunWithFile( "PlayEffect", "effect_long.wav" );
    EXPECT_EQ( myEffects->GetCache().Size(), 2u );

    ASSERT_TRUE( WaitFor( AllChannelsSilent ) );
    RunPass();
    EXPECT_TRUE( Cached( "effect_short.wav" ) );
    EXPECT_FALSE( Cached( "effect_long.wav" ) );

    myEffects->Release( SoundFile( "effect_short.wav" ) );
    RunPass();
    EXPECT_EQ( myEffects->GetCache().Size(), 0u );
}

TEST_F( EffectTest, WithoutAFreeChannelTheEffectIsReportedAndStillFreedLater )
{
    Start( ", 22050, S16LSB, 2, 1024, 1" );
    RunWithFile( "PlayEffect", "effect_long.wav" );

    CLogCapture log;
    RunWithFile( "PlayEffect", "effect_short.wav" );
    EXPECT_TRUE( log.Contains( "Could not play the effect: " + SoundFile( "effect_short.wav" ) ) );
    EXPECT_TRUE( log.Contains( "SDL_Mixer says: No free channels available" ) );
    EXPECT_TRUE( Cached( "effect_short.wav" ) );

    ASSERT_TRUE( WaitFor( AllChannelsSilent ) );
    RunPass();
    EXPECT_EQ( myEffects->GetCache().Size(), 0u );
}

TEST_F( EffectTest, MissingEffectIsLoggedByNameAndChangesNothing )
{
    Start();
    CLogCapture log;
    Run( "Audio::PlayEffect( \"no/such/effect.wav\" )" );
    Run( "Audio::PreloadEffect( \"no/such/effect.wav\" )" );
    EXPECT_EQ( log.Lines(), ( std::vector<std::string>{
                                "new CSDLMixerEffectData( no/such/effect.wav ) ",
                                "Could not load effect-file  no/such/effect.wav",
                                "SDL_Mixer says: Couldn't open no/such/effect.wav",
                                "new CSDLMixerEffectData( no/such/effect.wav ) ",
                                "Could not load effect-file  no/such/effect.wav",
                                "SDL_Mixer says: Couldn't open no/such/effect.wav",
                            } ) );
    EXPECT_EQ( myEffects->GetCache().Size(), 0u );
    EXPECT_FALSE( myEffects->IsPending() );
    EXPECT_EQ( Mix_Playing( -1 ), 0 );
}
