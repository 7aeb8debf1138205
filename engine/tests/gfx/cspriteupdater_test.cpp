// The sprite clock: animations (frame timing, playing by name, the speed factor, sound frames reaching the audio task,
// sprites described in files playing on the screen and written back) and fades and slides.
#include <gtest/gtest.h>

#include "gfx/gfxtestsupport.h"
#include "tarn/gfx/canimatedsprite.h"
#include "tarn/gfx/canimation.h"
#include "tarn/gfx/ceffectfunction.h"
#include "tarn/gfx/cframerect.h"
#include "tarn/gfx/cframesound.h"
#include "tarn/gfx/cmoveeffect.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/cspriteupdater.h"
#include "tarn/tasks/ctask.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/utils/xmlobject.h"

using namespace tarn;

namespace {

using types::ticks;

constexpr int CELL = 8;
const CColor SHADES[] = { CColor( 200, 0, 0 ), CColor( 0, 200, 0 ), CColor( 0, 0, 200 ), CColor( 200, 200, 0 ) };
// When the shown cell changed (ms after the first update), and to which cell (-1: not a cell).
using Timeline = std::vector<std::pair<ticks, int>>;

std::string CellFrame( int cell, int length, const std::string& inner = "" )
{
    return "<Frame type=\"frame_rect\"><Rect x=\"" + std::to_string( cell * CELL ) + "\" y=\"0\" w=\"8\" h=\"8\"/>" +
           "<FrameLength>" + std::to_string( length ) + "</FrameLength>" + inner + "</Frame>\n";
}

// Stands in for the audio task: started under the name Audio, it records the commands sent to it.
class CRecordingAudio final : public CTask
{
public:
    bool HandleCommand( const std::string& command ) override
    {
        commands.push_back( command );
        return true;
    }

    std::vector<std::string> commands;
};

class SpriteClockTest : public test::SceneTest
{
protected:
    SpriteClockTest() : SceneTest( 64, 64 ) {}

    std::unique_ptr<CAnimatedSprite> MakeSprite( std::unique_ptr<CAnimation> animation ) const
    {
        auto sprite = std::make_unique<CAnimatedSprite>();
        sprite->SetImage( Gfx::LoadImage( sheet, CSprite::KeyColor() ) );
        sprite->AddAnimation( std::move( animation ) );
        return sprite;
    }
    // An animation showing cells 0, 1, ... after waits of the given lengths.
    static std::unique_ptr<CAnimation> Cells( const std::string& name, bool loop, const std::vector<ticks>& lengths )
    {
        auto animation = std::make_unique<CAnimation>( name, loop );
        for( int i = 0; i < int( lengths.size() ); ++i )
            animation->AddFrame( std::make_unique<CFrameRect>( types::rect{ i * CELL, 0, CELL, CELL }, lengths[ i ] ) );
        return animation;
    }

    static int ShownCell( const CSprite& sprite )
    {
        const types::rect shown = sprite.GetImageRect();
        return shown.w == CELL ? shown.x / CELL : -1;
    }
    // Updates from `from` to `to` every `step` ms, as the gfx task would.
    Timeline Run( const CSprite& sprite, ticks from, ticks to, ticks step )
    {
        Timeline changes;
        int shown = ShownCell( sprite );
        for( ticks now = from; now <= to; now += step )
        {
            updater->Update( now );
            if( ShownCell( sprite ) != shown )
                changes.emplace_back( now - from, shown = ShownCell( sprite ) );
        }
        return changes;
    }

    std::string Describe( const std::string& name, const std::string& keys )
    {
        return Write( name, "<Sprite type=\"sprite_animated\"><ImageFilename>" + sheet + "</ImageFilename>"
                            "<ImageRect x=\"10\" y=\"12\" w=\"8\" h=\"8\"/><Z>20</Z>\n" + keys + "</Sprite>\n" );
    }
    // A walking animation of three cells and a door animation with sounds.
    std::string DescribeWalker()
    {
        return Describe( "walker.xml", "<CurrentAnimation>walk</CurrentAnimation><MiniumUpdateTime>120"
                                       "</MiniumUpdateTime><TimeMultiply>2</TimeMultiply>\n"
                                       "<Animation name=\"walk\" loop=\"1\">\n" + CellFrame( 0, 100 ) +
                                           CellFrame( 1, 100 ) + CellFrame( 2, 100 ) +
                                           "</Animation>\n<Animation name=\"door\" loop=\"0\">\n" +
                                           CellFrame( 3, 250, "<Wrapped type=\"frame_sound\" sound_file=\""
                                                              "data/sfx/door.wav\"/>" ) +
                                           "<Frame sound_file=\"data/sfx/untyped.wav\"/>\n<Frame type=\"frame_sound\" "
                                           "sound_file=\"data/sfx/creak.wav\"/>\n</Animation>\n" );
    }

    // A fade as the game makes it: step 2, clamped; a slide to x, x / 2.
    static void Fade( CSprite& sprite, int alpha, ticks duration )
    {
        auto fade = std::make_unique<CAlphaFunction>( &sprite, alpha, 2 );
        StartEffect( std::make_unique<CFunctionEffect>( std::move( fade ), duration, "t", true ) );
    }
    static void Slide( CSprite& sprite, int x, ticks duration, const std::string& expression = "t" )
    {
        auto move = std::make_unique<CMoveFunction>( &sprite, x, x / 2 );
        StartEffect( std::make_unique<CFunctionEffect>( std::move( move ), duration, expression, true ) );
    }

    std::string sheet = scene->MakeSheet( "sheet", CELL, { SHADES[ 0 ], SHADES[ 1 ], SHADES[ 2 ], SHADES[ 3 ] } );
    CSpriteUpdater* updater = CSpriteUpdater::GetSingletonPtr();
};

} // namespace

TEST_F( SpriteClockTest, EachFrameShowsOnceTheFrameBeforeHasLasted )
{
    // What, looping, frame lengths, speed, alpha, first frame, update step, last update: the timeline expected.
    const std::tuple<const char*, bool, std::vector<ticks>, float, int, int, ticks, ticks, Timeline> cases[] = {
        { "once", false, { 100, 100, 100 }, 1, 255, 0, 10, 1000, { { 0, 0 }, { 100, 1 }, { 200, 2 } } },
        // A faded sprite shows its first cell too (it lies at x = 0).
        { "looping, faded", true, { 100, 100 }, 1, 128, 0, 50, 400,
          { { 0, 0 }, { 100, 1 }, { 200, 0 }, { 300, 1 }, { 400, 0 } } },
        // A frame's length is the wait before it shows: the 0 ms frame shows at the update after the first one.
        { "zero length", true, { 100, 0, 100 }, 1, 255, 0, 16, 240, { { 0, 0 }, { 16, 1 }, { 128, 2 }, { 240, 0 } } },
        { "frame index past the end", true, { 100, 100 }, 1, 255, 7, 100, 100, { { 0, 0 }, { 100, 1 } } },
        { "twice as fast", true, { 100, 100, 100 }, 2, 255, 0, 10, 400,
          { { 0, 0 }, { 50, 1 }, { 100, 2 }, { 150, 0 }, { 200, 1 }, { 250, 2 }, { 300, 0 }, { 350, 1 }, { 400, 2 } } },
        { "half speed", true, { 100, 100, 100 }, 0.5f, 255, 0, 10, 400, { { 0, 0 }, { 200, 1 }, { 400, 2 } } },
    };
    ticks from = 1000;
    for( const auto& [ what, loop, lengths, speed, alpha, frame, step, to, expected ] : cases )
    {
        SCOPED_TRACE( what );
        auto sprite = MakeSprite( Cells( "a", loop, lengths ) );
        sprite->SetTimeMultiplier( speed );
        sprite->SetAlpha( alpha );
        sprite->PlayAnimation( "a" );
        sprite->SetCurrentFrame( frame );
        EXPECT_EQ( Run( *sprite, from, from + to, step ), expected );
        CColor shown = sprite->GetSurface()->GetPixel( 1, 1 );
        shown.a = 255;
        EXPECT_EQ( shown, SHADES[ expected.back().second ] ) << "the last cell shows";
        // An animation that ends rests on its last frame, out of the updater.
        EXPECT_EQ( sprite->IsPlaying(), loop );
        EXPECT_EQ( updater->IsAnimating( sprite.get() ), loop );
        from += 10000;
    }
}

TEST_F( SpriteClockTest, PlayingByNamePausingAndStopping )
{
    auto sprite = MakeSprite( Cells( "walk", true, { 100, 100, 100 } ) );
    sprite->AddAnimation( Cells( "run", true, { 50 } ) );
    sprite->AddAnimation( Cells( "still", true, {} ) );
    EXPECT_FALSE( updater->IsAnimating( sprite.get() ) );
    sprite->PlayAnimation( "walk" );
    Run( *sprite, 1000, 1150, 50 );
    sprite->PlayAnimation( "walk" );
    EXPECT_EQ( sprite->GetCurrentFrame(), 2 ) << "the animation already playing under that name goes on";
    // An unknown name restarts the current animation, from its first frame when the frame it interrupted was due.
    sprite->PlayAnimation( "fly" );
    EXPECT_EQ( sprite->GetCurrentAnimationName(), "walk" );
    EXPECT_EQ( Run( *sprite, 1160, 1200, 10 ), ( Timeline{ { 40, 0 } } ) );
    sprite->Pause();
    EXPECT_TRUE( Run( *sprite, 1250, 2000, 50 ).empty() );
    sprite->PlayAnimation( "run" );
    EXPECT_EQ( sprite->GetCurrentAnimationName(), "run" );
    sprite->Stop();
    EXPECT_FALSE( updater->IsAnimating( sprite.get() ) );
    EXPECT_EQ( sprite->GetCurrentFrame(), 0 );
    // An animation without frames changes nothing.
    sprite->PlayAnimation( "still" );
    sprite->SetCurrentFrame( 3 );
    EXPECT_TRUE( Run( *sprite, 3000, 4000, 10 ).empty() );
    EXPECT_EQ( sprite->GetCurrentFrame(), 3 );
    test::CLogCapture log;
    sprite->SetTimeMultiplier( 0 );
    EXPECT_EQ( sprite->GetTimeMultiplier(), 1.0f );
    EXPECT_TRUE( log.Contains( "CAnimatedSprite - time multiplier 0 ignored, it has to be above 0" ) );
    // A sprite deleted while it plays leaves the updater.
    sprite.reset();
    updater->Update( 5000 );
}

TEST_F( SpriteClockTest, SoundFrameSendsPlayEffectToTheAudioTask )
{
    CTaskFactory* tasks = CTaskFactory::GetSingletonPtr();
    tasks->RegisterTaskType( "recorder", [] { return std::make_unique<CRecordingAudio>(); } );
    ASSERT_TRUE( tasks->StartTask( "recorder", "Audio", 40, nullptr ) );
    auto* audio = static_cast<CRecordingAudio*>( tasks->FindTask( "Audio" ) );
    EXPECT_EQ( CFrameSound::PlayLine( "data/sfx/step.wav" ), "Audio::PlayEffect( \"data/sfx/step.wav\" );" );
    auto steps = Cells( "steps", false, { 100 } );
    steps->AddFrame( std::make_unique<CFrameSound>( "data/sfx/step.wav" ) );
    steps->AddFrame( std::make_unique<CFrameRect>( types::rect{ CELL, 0, CELL, CELL }, 100 ) );
    auto sprite = MakeSprite( std::move( steps ) );
    sprite->PlayAnimation( "steps" );
    updater->Update( 1000 );
    EXPECT_TRUE( audio->commands.empty() );
    updater->Update( 1016 );
    const std::vector<std::string> step = { "PlayEffect( \"data/sfx/step.wav\" )" };
    EXPECT_EQ( audio->commands, step );
    updater->Update( 1116 );
    EXPECT_EQ( ShownCell( *sprite ), 1 );
    EXPECT_EQ( audio->commands, step );
    // A quote in the name would end the argument and run the rest as script.
    test::CLogCapture log;
    EXPECT_TRUE( CFrameSound( "x\" ); quit(); //" ).Apply( sprite.get(), 0 ) );
    EXPECT_EQ( audio->commands, step );
    EXPECT_TRUE( log.Contains( "CFrameSound - sound file name with a quote not played: x\" ); quit(); //" ) );
    // A rectangle frame wrapping a sound shows its cell and plays at once.
    CFrameRect wrapping( types::rect{ 3 * CELL, 0, CELL, CELL }, 500 );
    wrapping.SetWrapped( std::make_unique<CFrameSound>( "data/sfx/door.wav" ) );
    EXPECT_TRUE( wrapping.Apply( sprite.get(), 0 ) );
    EXPECT_EQ( ShownCell( *sprite ), 3 );
    EXPECT_EQ( audio->commands.back(), "PlayEffect( \"data/sfx/door.wav\" )" );
}

TEST_F( SpriteClockTest, DescribedAnimationIsWrittenBackAndPlaysOnTheScreen )
{
    std::unique_ptr<CSprite> sprite = CSpriteFactory::LoadSprite( DescribeWalker() );
    auto* walker = dynamic_cast<CAnimatedSprite*>( sprite.get() );
    ASSERT_NE( walker, nullptr );
    // A sound frame of its own is written without a type, so reading the
    // file back leaves it out; the wrapped one stays.
    auto cell = []( int x, int length ) {
        return "Frame(type=frame_rect){Rect(h=8,w=8,x=" + std::to_string( x ) + ",y=0) FrameLength:" +
               std::to_string( length );
    };
    const std::string creak = " Frame(sound_file=data/sfx/creak.wav)";
    const std::string written = "Sprite(type=sprite_animated){ImageFilename:" + sheet +
                                " ImageRect(h=8,w=8,x=10,y=12) Z:20 Alpha:255 CurrentAnimation:walk CurrentFrame:0 "
                                "MiniumUpdateTime:120 Play:1 TimeMultiply:2 Animation(loop=1,name=walk){" +
                                cell( 0, 100 ) + "} " + cell( 8, 100 ) + "} " + cell( 16, 100 ) +
                                "}} Animation(loop=0,name=door){" + cell( 24, 250 ) +
                                " Wrapped(sound_file=data/sfx/door.wav,type=frame_sound)}" + creak + "}}";
    EXPECT_EQ( test::Outline( *XmlSaveObject( *walker, "Sprite" ) ), written );
    const std::string file = scene->GetDir() + "/saved.xml";
    ASSERT_TRUE( XmlSaveToFile( *walker, file, "Sprite" ) );
    std::unique_ptr<CSprite> copy = CSpriteFactory::LoadSprite( file );
    EXPECT_EQ( test::Outline( *XmlSaveObject( *copy, "Sprite" ) ),
               written.substr( 0, written.size() - creak.size() - 2 ) + "}}" );
    copy.reset();
    // The gfx task's frame: animations first, then the screen layer; the
    // file's speed factor of 2 halves the frames' lengths.
    for( ticks now = 1000; now <= 1650; now += 10 )
    {
        updater->Update( now );
        scene->Update();
        ASSERT_EQ( ShownCell( *walker ), static_cast<int>( ( now - 1000 ) / 50 % 3 ) ) << "at " << now;
        ASSERT_EQ( scene->CompareWithFreshDrawing(), "" ) << "at " << now;
    }
    EXPECT_EQ( ScreenPixel( 11, 13 ), SHADES[ 1 ] );
    // The door's cell stays after its last frame.
    walker->PlayAnimation( "door" );
    Run( *walker, 1660, 2500, 10 );
    scene->Update();
    EXPECT_EQ( ScreenPixel( 17, 19 ), SHADES[ 3 ] );
    EXPECT_FALSE( updater->IsAnimating( walker ) );
    // Without a current animation the sprite waits unanimated.
    std::unique_ptr<CSprite> other = CSpriteFactory::LoadSprite( Describe(
        "resting.xml", "<CurrentFrame>2</CurrentFrame><Play>1</Play><Animation name=\"walk\">" + CellFrame( 1, 100 ) +
                           "</Animation>\n" ) );
    auto* resting = static_cast<CAnimatedSprite*>( other.get() );
    EXPECT_FALSE( updater->IsAnimating( resting ) );
    resting->PlayAnimation( "walk" );
    EXPECT_EQ( Run( *resting, 3000, 3010, 10 ), ( Timeline{ { 0, 1 } } ) );
}

TEST_F( SpriteClockTest, SlidesAndFadesFollowTheirProgressUntilTheyEnd )
{
    updater->Update( 5000 );
    CSprite slid, still, squared, bump, overshoot, faded;
    Slide( slid, 100, 1000 );
    Slide( still, 100, 0 );
    Slide( squared, 100, 1000, "t*t" );
    Slide( bump, 100, 1200, "sin(t*3.14)*2" );
    StartEffect( std::make_unique<CExpressionMoveEffect>( &overshoot, 100, 0, 1000, "t*2" ) );
    faded.SetAlpha( 0 );
    Fade( faded, 255, 1000 );
    std::vector<int> alphas;
    for( ticks now = 5100; now <= 5400; now += 100 )
    {
        updater->Update( now );
        alphas.push_back( faded.GetAlpha() );
    }
    EXPECT_EQ( alphas, ( std::vector<int>{ 0, 51, 51, 102 } ) ) << "a fade changes alpha on every second update only";
    updater->Update( 5500 );
    EXPECT_EQ( ( types::point{ slid.GetX(), slid.GetY() } ), ( types::point{ 50, 25 } ) );
    EXPECT_EQ( squared.GetX(), 25 );
    EXPECT_EQ( overshoot.GetX(), 100 );
    updater->Update( 5600 );
    EXPECT_EQ( bump.GetX(), 100 ) << "clamped at 1 in the middle";
    updater->Update( 6190 );
    EXPECT_LT( bump.GetX(), 10 ) << "back near 0 at the end";
    EXPECT_EQ( updater->GetEffectCount(), 2u );
    updater->Update( 90000 );
    EXPECT_EQ( slid.GetX(), 100 );
    EXPECT_EQ( still.GetX(), 0 ) << "a zero duration never applies nor finishes";
    EXPECT_EQ( updater->GetEffectCount(), 1u );
}

TEST_F( SpriteClockTest, PausedTimeDoesNotCount )
{
    updater->Update( 5000 );
    CSprite sprite;
    CSpriteEffect* effect = StartEffect( std::make_unique<CMoveEffect>( &sprite, 100, 0, 1000 ) );
    updater->Update( 5200 );
    effect->Pause();
    updater->Update( 5500 );
    effect->Resume();
    for( const auto& [ now, x ] : { std::pair{ 5500u, 20 }, { 6000u, 70 }, { 6299u, 99 }, { 6300u, 100 } } )
    {
        updater->Update( now );
        EXPECT_EQ( sprite.GetX(), x ) << "at " << now;
    }
}

TEST_F( SpriteClockTest, ASpriteThatGoesTakesOnlyItsOwnEffects )
{
    updater->Update( 5000 );
    // A function whose apply destroys the sprite it acts on, which ends the
    // running effect; it runs first: the effects after it must still run.
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
    CSprite kept;
    Slide( kept, 100, 1000 );
    {
        CSprite gone;
        Slide( gone, 10, 1000 );
        Fade( gone, 0, 1000 );
        EXPECT_EQ( updater->GetEffectCount(), 4u );
    }
    EXPECT_EQ( updater->GetEffectCount(), 2u );
    updater->Update( 5500 );
    EXPECT_EQ( victim, nullptr );
    EXPECT_EQ( updater->GetEffectCount(), 1u );
    updater->Update( 5600 );
    EXPECT_EQ( kept.GetX(), 60 );
}
