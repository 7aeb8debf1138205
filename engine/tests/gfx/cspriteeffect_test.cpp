// Fades and slides on the sprite clock, as the game uses them.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/testsupport.h"
#include "tarn/gfx/ceffectfunction.h"
#include "tarn/gfx/cmoveeffect.h"
#include "tarn/gfx/csprite.h"
#include "tarn/gfx/cspriteupdater.h"

using namespace tarn;

namespace {

class SpriteEffectTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        updater = CSpriteUpdater::GetSingletonPtr();
        updater->Update( 5000 );
    }
    void TearDown() override { CSpriteUpdater::DeleteSingleton(); }

    // A fade as the game makes it: step 2, clamped.
    void Fade( CSprite& sprite, int alpha, types::ticks duration, const std::string& expression = "t" )
    {
        StartEffect(
            std::make_unique<CFunctionEffect>( std::make_unique<CAlphaFunction>( &sprite, alpha, 2 ), duration, expression, true ) );
    }
    void Slide( CSprite& sprite, int x, int y, types::ticks duration, const std::string& expression = "t" )
    {
        StartEffect(
            std::make_unique<CFunctionEffect>( std::make_unique<CMoveFunction>( &sprite, x, y ), duration, expression, true ) );
    }

    CSpriteUpdater* updater = nullptr;
};

} // namespace

TEST_F( SpriteEffectTest, SlideReachesItsTargetAndIsDeleted )
{
    CSprite sprite;
    Slide( sprite, 100, 50, 1000 );
    updater->Update( 5500 );
    EXPECT_EQ( sprite.GetX(), 50 );
    EXPECT_EQ( sprite.GetY(), 25 );
    EXPECT_EQ( updater->GetEffectCount(), 1u );
    updater->Update( 6200 );
    EXPECT_EQ( sprite.GetX(), 100 );
    EXPECT_EQ( updater->GetEffectCount(), 0u );
}

TEST_F( SpriteEffectTest, FadeChangesAlphaOnEverySecondUpdateOnly )
{
    CSprite sprite;
    sprite.SetAlpha( 0 );
    Fade( sprite, 255, 1000 );
    std::vector<int> seen;
    for( types::ticks now = 5100; now <= 5400; now += 100 )
    {
        updater->Update( now );
        seen.push_back( sprite.GetAlpha() );
    }
    EXPECT_EQ( seen, ( std::vector<int>{ 0, 51, 51, 102 } ) );
}

TEST_F( SpriteEffectTest, PausedTimeDoesNotCount )
{
    CSprite sprite;
    CSpriteEffect* effect = StartEffect( std::make_unique<CMoveEffect>( &sprite, 100, 0, 1000 ) );
    updater->Update( 5200 );
    effect->Pause();
    updater->Update( 5500 );
    effect->Resume();
    updater->Update( 5500 );
    EXPECT_EQ( sprite.GetX(), 20 );
    updater->Update( 6000 );
    EXPECT_EQ( sprite.GetX(), 70 );
    updater->Update( 6299 );
    EXPECT_EQ( sprite.GetX(), 99 );
    updater->Update( 6300 );
    EXPECT_EQ( sprite.GetX(), 100 );
}

TEST_F( SpriteEffectTest, ProgressExpressions )
{
    CSprite squared;
    Slide( squared, 100, 0, 1000, "t*t" );
    CSprite bump;
    Slide( bump, 100, 0, 1200, "sin(t*3.14)*2" );
    CSprite overshoot;
    StartEffect( std::make_unique<CExpressionMoveEffect>( &overshoot, 100, 0, 1000, "t*2" ) );

    updater->Update( 5500 );
    EXPECT_EQ( squared.GetX(), 25 );
    EXPECT_EQ( overshoot.GetX(), 100 );
    updater->Update( 5200 + 400 );
    EXPECT_EQ( bump.GetX(), 100 ) << "clamped at 1 in the middle";
    updater->Update( 6190 );
    EXPECT_LT( bump.GetX(), 10 ) << "back near 0 at the end";
}

TEST_F( SpriteEffectTest, ZeroDurationNeverAppliesNorFinishes )
{
    CSprite sprite;
    Slide( sprite, 100, 0, 0 );
    updater->Update( 90000 );
    EXPECT_EQ( sprite.GetX(), 0 );
    EXPECT_EQ( updater->GetEffectCount(), 1u );
}

TEST_F( SpriteEffectTest, DestroyedSpriteTakesOnlyItsOwnEffects )
{
    CSprite kept;
    {
        CSprite gone;
        Slide( gone, 10, 10, 1000 );
        Fade( gone, 0, 1000 );
        Slide( kept, 100, 0, 1000 );
        EXPECT_EQ( updater->GetEffectCount(), 3u );
    }
    EXPECT_EQ( updater->GetEffectCount(), 1u );
    updater->Update( 6000 );
    EXPECT_EQ( kept.GetX(), 100 );
}

TEST_F( SpriteEffectTest, EffectThatDestroysItsSpriteEndsWhileTheOthersRunOn )
{
    // A function whose apply destroys the sprite it acts on, which ends the
    // effect that is running.
    class CKiller final : public CEffectFunction
    {
    public:
        explicit CKiller( std::unique_ptr<CSprite>* sprite ) : CEffectFunction( sprite->get() ), mySprite( sprite ) {}
        void Apply( float ) override { mySprite->reset(); }

    private:
        std::unique_ptr<CSprite>* mySprite;
    };

    auto victim = std::make_unique<CSprite>();
    StartEffect( std::make_unique<CFunctionEffect>( std::make_unique<CKiller>( &victim ), 1000, "", false ) );
    CSprite other;
    Slide( other, 100, 0, 1000 );
    updater->Update( 5500 );
    EXPECT_EQ( victim, nullptr );
    EXPECT_EQ( updater->GetEffectCount(), 1u );
    updater->Update( 5600 );
    EXPECT_EQ( other.GetX(), 60 );
}
