// Sound effects as the game fires them, on the silent device: channels, and
// the cache that empties once every channel is silent.
#include <gtest/gtest.h>

#include "audio/audiotestsupport.h"
#include "support/testsupport.h"
#include "tarn/audio/ceffectplayer.h"
#include "tarn/audio/null/cnullaudiodevice.h"

using namespace tarn;
using namespace tarn::test;

namespace {

class EffectTest : public AudioTest
{
protected:
    void Start( const std::string& startArguments = "" )
    {
        UseSilentDevice();
        ASSERT_NE( StartAudio( startArguments ), nullptr );
        ASSERT_NE( myDevice, nullptr );
    }

    bool Cached( const std::string& soundName ) const
    {
        return myEffects->GetCache().Contains( SoundFile( soundName ) );
    }
};

} // namespace

TEST_F( EffectTest, EffectsStayCachedWhileAnyChannelSounds )
{
    Start();
    myDevice->HoldEffects( true );
    // The game's own line form reaches the task through the main console.
    Run( "Audio::PlayEffect( \"" + SoundFile( "effect_long.wav" ) + "\" );" );
    RunWithFile( "PlayEffect", "effect_short.wav" );
    EXPECT_EQ( myDevice->GetEffectsPlayed(),
               ( std::vector<std::string>{ SoundFile( "effect_long.wav" ), SoundFile( "effect_short.wav" ) } ) );

    RunPass();
    EXPECT_TRUE( Cached( "effect_long.wav" ) );
    EXPECT_TRUE( Cached( "effect_short.wav" ) );
    EXPECT_TRUE( myEffects->IsPending() );

    myDevice->HoldEffects( false );
    RunPass();
    EXPECT_EQ( myEffects->GetCache().Size(), 0u );
    EXPECT_FALSE( myEffects->IsPending() );
}

TEST_F( EffectTest, PreloadedEffectsSurviveTheCleanUpUntilReleased )
{
    Start();
    RunWithFile( "PreloadEffect", "effect_short.wav" );
    EXPECT_TRUE( Cached( "effect_short.wav" ) );
    EXPECT_FALSE( myEffects->IsPending() );
    EXPECT_TRUE( myDevice->GetEffectsPlayed().empty() );

    RunWithFile( "PlayEffect", "effect_short.wav" );
    RunWithFile( "PlayEffect", "effect_long.wav" );
    EXPECT_EQ( myEffects->GetCache().Size(), 2u );

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
    myDevice->HoldEffects( true );
    RunWithFile( "PlayEffect", "effect_long.wav" );

    CLogCapture log;
    RunWithFile( "PlayEffect", "effect_short.wav" );
    EXPECT_EQ( log.Lines(), ( std::vector<std::string>{ "Could not play the effect: " + SoundFile( "effect_short.wav" ),
                                                         "SDL_Mixer says: No free channels available" } ) );
    EXPECT_TRUE( Cached( "effect_short.wav" ) );

    myDevice->HoldEffects( false );
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
                                "Could not load effect-file  no/such/effect.wav: it does not exist",
                                "Could not load effect-file  no/such/effect.wav: it does not exist",
                            } ) );
    EXPECT_EQ( myEffects->GetCache().Size(), 0u );
    EXPECT_FALSE( myEffects->IsPending() );
    EXPECT_TRUE( myDevice->GetEffectsPlayed().empty() );
}
