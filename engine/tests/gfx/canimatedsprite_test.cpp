// Animations played on a hand-driven sprite clock: frame timing, playing by
// name, the speed factor and sound frames reaching the audio task.
#include <gtest/gtest.h>

#include <SDL.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/spritescene.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/console/ccommand.h"
#include "tarn/gfx/canimatedsprite.h"
#include "tarn/gfx/canimation.h"
#include "tarn/gfx/cframerect.h"
#include "tarn/gfx/cframesound.h"
#include "tarn/gfx/cspriteupdater.h"
#include "tarn/gfx/csurface.h"
#include "tarn/gfx/gfx.h"
#include "tarn/tasks/ctask.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/utils/cxmlnode.h"
#include "tarn/utils/xmlobject.h"

using namespace tarn;

namespace {

constexpr int CELL = 8;

// When the shown cell changed, and to which cell (-1: not a cell).
using Timeline = std::vector<std::pair<types::ticks, int>>;

types::rect Cell( int i )
{
    return types::rect{ i * CELL, 0, CELL, CELL };
}

// Stands in for the audio task: started under the name Audio, it runs the
// commands sent to it in a console of its own where PlayEffect records its
// argument.
class CRecordingAudio final : public CTask, public CCommand
{
public:
    CRecordingAudio() : myConsole( CreateConsole() ) { myConsole->AddCommand( "PlayEffect", this ); }

    bool Init() override { return true; }
    bool HandleCommand( const std::string& command ) override
    {
        myCommands.push_back( command );
        myConsole->Execute( command, false );
        return true;
    }

    std::string Execute( CAnyContainer& args ) override
    {
        myPlayed.push_back( args.Size() == 1 ? args.GetString( 0 ) : "?" );
        return "";
    }
    std::string Execute() override { return ""; }

    std::vector<std::string> myCommands;
    std::vector<std::string> myPlayed;

private:
    std::unique_ptr<CConsole> myConsole;
};

class AnimatedSpriteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        scene = std::make_unique<test::CSpriteScene>( 64, 64, "animation" );
        // Four cells side by side, each its own colour.
        sheet = scene->MakeSheet( "sheet", CELL, { CColor( 200, 0, 0 ), CColor( 0, 200, 0 ), CColor( 0, 0, 200 ),
                                                   CColor( 200, 200, 0 ) } );
        updater = CSpriteUpdater::GetSingletonPtr();
    }
    void TearDown() override
    {
        scene.reset();
        test::ResetEngine();
    }

    std::unique_ptr<CAnimatedSprite> MakeSprite( std::unique_ptr<CAnimation> animation )
    {
        auto sprite = std::make_unique<CAnimatedSprite>();
        sprite->SetImage( Gfx::LoadImage( sheet, CSprite::KeyColor() ) );
        sprite->AddAnimation( std::move( animation ) );
        return sprite;
    }

    static std::unique_ptr<CAnimation> Cells( const std::string& name, bool loop,
                                              const std::vector<types::ticks>& lengths )
    {
        auto animation = std::make_unique<CAnimation>( name, loop );
        for( std::size_t i = 0; i < lengths.size(); ++i )
            animation->AddFrame( std::make_unique<CFrameRect>( Cell( static_cast<int>( i ) ), lengths[ i ] ) );
        return animation;
    }

    static int ShownCell( const CSprite& sprite )
    {
        const types::rect shown = sprite.GetImageRect();
        return shown.w == CELL ? shown.x / CELL : -1;
    }

    // Updates from `from` to `to` every `step` ms, as the gfx task would.
    Timeline Run( const CSprite& sprite, types::ticks from, types::ticks to, types::ticks step )
    {
        Timeline changes;
        int shown = ShownCell( sprite );
        for( types::ticks now = from; now <= to; now += step )
        {
            updater->Update( now );
            if( ShownCell( sprite ) != shown )
            {
                shown = ShownCell( sprite );
                changes.emplace_back( now, shown );
            }
        }
        return changes;
    }

    std::unique_ptr<test::CSpriteScene> scene;
    std::string sheet;
    CSpriteUpdater* updater = nullptr;
};

} // namespace

TEST_F( AnimatedSpriteTest, NonLoopingAnimationEndsOnItsLastFrameAndLeavesTheUpdater )
{
    auto sprite = MakeSprite( Cells( "open", false, { 100, 100, 100 } ) );
    sprite->PlayAnimation( "open" );
    EXPECT_TRUE( updater->IsAnimating( sprite.get() ) );

    // The first frame shows at the first update, each later one 100 ms after
    // the one before; the third frame ends the animation.
    EXPECT_EQ( Run( *sprite, 1000, 1300, 10 ), ( Timeline{ { 1000, 0 }, { 1100, 1 }, { 1200, 2 } } ) );
    EXPECT_FALSE( sprite->IsPlaying() );
    EXPECT_FALSE( updater->IsAnimating( sprite.get() ) );
    EXPECT_EQ( sprite->GetCurrentFrame(), 2 );

    EXPECT_TRUE( Run( *sprite, 1310, 2000, 10 ).empty() );
    EXPECT_EQ( ShownCell( *sprite ), 2 );
}

TEST_F( AnimatedSpriteTest, LoopingAnimationStartsOverAndStopsWhenPausedOrDestroyed )
{
    auto sprite = MakeSprite( Cells( "walk", true, { 100, 100 } ) );
    sprite->PlayAnimation( "walk" );
    EXPECT_EQ( Run( *sprite, 1000, 1300, 50 ), ( Timeline{ { 1000, 0 }, { 1100, 1 }, { 1200, 0 }, { 1300, 1 } } ) );

    sprite->Pause();
    EXPECT_TRUE( Run( *sprite, 1350, 2000, 50 ).empty() );

    sprite->Play();
    EXPECT_TRUE( updater->IsAnimating( sprite.get() ) );
    sprite.reset();
    EXPECT_FALSE( updater->IsAnimating( nullptr ) );
    updater->Update( 3000 );
}

TEST_F( AnimatedSpriteTest, AFadedSpriteShowsEveryCellTheFirstOneToo )
{
    auto sprite = MakeSprite( Cells( "walk", true, { 100, 100 } ) );
    sprite->SetAlpha( 128 );
    sprite->PlayAnimation( "walk" );
    EXPECT_EQ( Run( *sprite, 1000, 1300, 50 ), ( Timeline{ { 1000, 0 }, { 1100, 1 }, { 1200, 0 }, { 1300, 1 } } ) );
    updater->Update( 1400 );
    const CColor shown = sprite->GetSurface()->GetPixel( 1, 1 );
    EXPECT_EQ( 200, shown.r ) << "the first cell's red, faded";
    EXPECT_EQ( 0, shown.g );
}

TEST_F( AnimatedSpriteTest, ZeroLengthFrameIsCurrentForExactlyOneUpdate )
{
    auto sprite = MakeSprite( Cells( "blink", true, { 100, 0, 100 } ) );
    sprite->PlayAnimation( "blink" );

    // A frame's length is the wait before it shows: the 0 ms frame follows
    // the first one at the very next update.
    std::vector<int> current;
    Timeline changes;
    for( types::ticks now = 1000; now <= 1240; now += 16 )
    {
        const int before = ShownCell( *sprite );
        updater->Update( now );
        current.push_back( sprite->GetCurrentFrame() );
        if( ShownCell( *sprite ) != before )
            changes.emplace_back( now, ShownCell( *sprite ) );
    }
    EXPECT_EQ( changes, ( Timeline{ { 1000, 0 }, { 1016, 1 }, { 1128, 2 }, { 1240, 0 } } ) );
    // The index rests on the 0 ms frame for the one update between.
    EXPECT_EQ( std::vector<int>( current.begin(), current.begin() + 3 ), ( std::vector<int>{ 1, 2, 2 } ) );
}

TEST_F( AnimatedSpriteTest, PlayingByName )
{
    auto sprite = MakeSprite( Cells( "walk", true, { 100, 100, 100 } ) );
    auto run = Cells( "run", true, { 50 } );
    sprite->AddAnimation( std::move( run ) );
    EXPECT_EQ( sprite->GetCurrentAnimationName(), "walk" );
    EXPECT_FALSE( updater->IsAnimating( sprite.get() ) );

    sprite->PlayAnimation( "walk" );
    Run( *sprite, 1000, 1150, 50 );
    EXPECT_EQ( sprite->GetCurrentFrame(), 2 );

    // The animation already playing under that name goes on.
    sprite->PlayAnimation( "walk" );
    EXPECT_EQ( sprite->GetCurrentFrame(), 2 );

    // An unknown name restarts the current animation from its first frame.
    sprite->PlayAnimation( "fly" );
    EXPECT_EQ( sprite->GetCurrentAnimationName(), "walk" );
    EXPECT_EQ( sprite->GetCurrentFrame(), 0 );
    EXPECT_EQ( sprite->GetTime(), 0u );
    EXPECT_TRUE( sprite->IsPlaying() );
    // It shows when the frame it interrupted was due.
    EXPECT_EQ( Run( *sprite, 1160, 1200, 10 ), ( Timeline{ { 1200, 0 } } ) );

    sprite->PlayAnimation( "run" );
    EXPECT_EQ( sprite->GetCurrentAnimationName(), "run" );

    sprite->Stop();
    EXPECT_FALSE( updater->IsAnimating( sprite.get() ) );
    EXPECT_EQ( sprite->GetCurrentFrame(), 0 );
    EXPECT_EQ( sprite->GetTime(), 0u );
}

TEST_F( AnimatedSpriteTest, AnimationsWithoutFramesChangeNothing )
{
    CAnimation empty( "idle" );
    CSprite plain;
    EXPECT_EQ( empty.Update( &plain, 5, 1000 ), 5 );

    // An "Animation" element without frames; a frame without a type is left out.
    CXmlNode element( "Animation" );
    element.AddAttribute( "name", "still" );
    element.AddChild( std::make_unique<CXmlNode>( "Frame" ) );
    auto still = std::make_unique<CAnimation>();
    XmlLoadObject( &element, *still );
    EXPECT_EQ( still->GetName(), "still" );
    EXPECT_TRUE( still->IsLooping() );
    EXPECT_EQ( still->GetFrameCount(), 0u );

    auto sprite = MakeSprite( std::move( still ) );
    sprite->SetCurrentFrame( 3 );
    sprite->PlayAnimation( "still" );
    sprite->SetCurrentFrame( 3 );
    // Without frames to time it waits the minimum update time between updates.
    updater->Update( 1000 );
    EXPECT_EQ( sprite->GetNextUpdateTime(), 1000u + CAnimatedSprite::DEFAULT_MINIMUM_UPDATE_TIME );
    EXPECT_TRUE( Run( *sprite, 1010, 2000, 10 ).empty() );
    EXPECT_EQ( sprite->GetCurrentFrame(), 3 );
}

TEST_F( AnimatedSpriteTest, FrameIndexOutsideTheAnimationStartsItOver )
{
    auto sprite = MakeSprite( Cells( "walk", true, { 100, 100 } ) );
    sprite->PlayAnimation( "walk" );
    sprite->SetCurrentFrame( 7 );
    EXPECT_EQ( Run( *sprite, 1000, 1100, 100 ), ( Timeline{ { 1000, 0 }, { 1100, 1 } } ) );
}

TEST_F( AnimatedSpriteTest, TimeMultiplierIsASpeedFactor )
{
    auto fast = MakeSprite( Cells( "walk", true, { 100, 100, 100 } ) );
    fast->SetTimeMultiplier( 2 );
    fast->PlayAnimation( "walk" );
    auto slow = MakeSprite( Cells( "walk", true, { 100, 100, 100 } ) );
    slow->SetTimeMultiplier( 0.5f );
    slow->PlayAnimation( "walk" );

    Timeline fastChanges;
    Timeline slowChanges;
    int fastShown = -1;
    int slowShown = -1;
    for( types::ticks now = 1000; now <= 1400; now += 10 )
    {
        updater->Update( now );
        if( ShownCell( *fast ) != fastShown )
            fastChanges.emplace_back( now, fastShown = ShownCell( *fast ) );
        if( ShownCell( *slow ) != slowShown )
            slowChanges.emplace_back( now, slowShown = ShownCell( *slow ) );
    }
    EXPECT_EQ( fastChanges, ( Timeline{ { 1000, 0 }, { 1050, 1 }, { 1100, 2 }, { 1150, 0 }, { 1200, 1 }, { 1250, 2 },
                                        { 1300, 0 }, { 1350, 1 }, { 1400, 2 } } ) );
    EXPECT_EQ( slowChanges, ( Timeline{ { 1000, 0 }, { 1200, 1 }, { 1400, 2 } } ) );
    // The animation clock runs at the sprite's speed.
    EXPECT_EQ( fast->GetTime(), 1800u );
    EXPECT_EQ( slow->GetTime(), 1200u );

    test::CLogCapture log;
    fast->SetTimeMultiplier( 0 );
    EXPECT_EQ( fast->GetTimeMultiplier(), 2.0f );
    EXPECT_TRUE( log.Contains( "CAnimatedSprite - time multiplier 0 ignored, it has to be above 0" ) );
}

TEST_F( AnimatedSpriteTest, SoundFrameSendsPlayEffectToTheAudioTask )
{
    CTaskFactory* tasks = CTaskFactory::GetSingletonPtr();
    tasks->RegisterTaskType( "recorder", [] { return std::make_unique<CRecordingAudio>(); } );
    ASSERT_TRUE( tasks->StartTask( "recorder", "Audio", 40, nullptr ) );
    auto* audio = static_cast<CRecordingAudio*>( tasks->FindTask( "Audio" ) );

    EXPECT_EQ( CFrameSound::PlayLine( "data/sfx/step.wav" ), "Audio::PlayEffect( \"data/sfx/step.wav\" );" );

    auto steps = std::make_unique<CAnimation>( "steps", false );
    steps->AddFrame( std::make_unique<CFrameRect>( Cell( 0 ), 100 ) );
    steps->AddFrame( std::make_unique<CFrameSound>( "data/sfx/step.wav" ) );
    steps->AddFrame( std::make_unique<CFrameRect>( Cell( 1 ), 100 ) );
    auto sprite = MakeSprite( std::move( steps ) );
    sprite->PlayAnimation( "steps" );

    updater->Update( 1000 );
    EXPECT_TRUE( audio->myPlayed.empty() );
    updater->Update( 1016 );
    EXPECT_EQ( audio->myCommands, ( std::vector<std::string>{ "PlayEffect( \"data/sfx/step.wav\" )" } ) );
    EXPECT_EQ( audio->myPlayed, ( std::vector<std::string>{ "data/sfx/step.wav" } ) );
    updater->Update( 1116 );
    EXPECT_EQ( ShownCell( *sprite ), 1 );
    EXPECT_EQ( audio->myPlayed.size(), 1u );

    // A quote in the name would end the argument and run the rest as script.
    test::CLogCapture log;
    CFrameSound sneaky( "x\" ); quit(); //" );
    EXPECT_TRUE( sneaky.Apply( sprite.get(), 0 ) );
    EXPECT_EQ( audio->myCommands.size(), 1u );
    EXPECT_TRUE( log.Contains( "CFrameSound - sound file name with a quote not played: x\" ); quit(); //" ) );

    // A rectangle frame wrapping a sound shows its cell and plays at once.
    CFrameRect wrapping( Cell( 3 ), 500 );
    wrapping.SetWrapped( std::make_unique<CFrameSound>( "data/sfx/door.wav" ) );
    EXPECT_EQ( wrapping.GetLength(), 0u );
    EXPECT_TRUE( wrapping.Apply( sprite.get(), 0 ) );
    EXPECT_EQ( ShownCell( *sprite ), 3 );
    EXPECT_EQ( audio->myPlayed.back(), "data/sfx/door.wav" );
}
