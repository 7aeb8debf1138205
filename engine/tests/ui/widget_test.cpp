// The widget tree on the desktop: expression geometry, image buttons fed by
// the input dispatcher, and signals that never reach destroyed objects.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/spritescene.h"
#include "tarn/gfx/csprite.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/ui/cbuttonwidget.h"
#include "tarn/ui/cdesktop.h"
#include "tarn/utils/signalslot.h"

using namespace tarn;
using namespace tarn::ui;

namespace {

// Writes down what it was told.
class CRecorder final : public CSignalReceiver
{
public:
    void OnClick() { events.push_back( "click" ); }
    void OnDown() { events.push_back( "down" ); }
    void OnUp() { events.push_back( "up" ); }
    void OnOver() { events.push_back( "over" ); }
    void OnOut() { events.push_back( "out" ); }

    std::vector<std::string> events;
};

// Drops the button it was given when told.
class CDropper final : public CSignalReceiver
{
public:
    void Drop() { button.reset(); }

    std::unique_ptr<CButtonWidget> button;
};

class WidgetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        scene = std::make_unique<test::CSpriteScene>( 800, 600, "widgets" );
        image = scene->MakeImage( "button", 50, 30, CColor( 200, 40, 40 ) );
    }
    void TearDown() override
    {
        scene.reset();
        test::ResetEngine();
    }

    static void MoveTo( int x, int y ) { CInputDispatcher::GetSingletonPtr()->NotifyMouseMove( x, y, 0, 0 ); }
    static void Click( int x, int y, int button = MOUSE_BUTTON_LEFT )
    {
        MoveTo( x, y );
        CInputDispatcher::GetSingletonPtr()->NotifyButtonDown( button );
        CInputDispatcher::GetSingletonPtr()->NotifyButtonUp( button );
    }

    std::unique_ptr<CButtonWidget> MakeButton( const types::rect& rect )
    {
        auto button = std::make_unique<CButtonWidget>( "ok", image );
        button->SetRect( rect );
        GetDesktop()->AddChild( button.get() );
        return button;
    }

    std::unique_ptr<test::CSpriteScene> scene;
    std::string image;
};

} // namespace

TEST_F( WidgetTest, GeometryExpressionsFollowTheParent )
{
    CWidget panel( "panel" );
    panel.SetGeometry( "parent.x + parent.w - 50", "parent.y + 10", "40", "parent.h / 2" );
    GetDesktop()->AddChild( &panel );
    EXPECT_EQ( panel.GetRect(), ( types::rect{ 750, 10, 40, 300 } ) );

    CWidget label( "label" );
    label.SetGeometry( "parent.x + parent.w - this.w - 5", "parent.y + parent.h - this.h", "parent.w / 2",
                       "20" );
    panel.AddChild( &label );
    EXPECT_EQ( label.GetRect(), ( types::rect{ 765, 290, 20, 20 } ) );

    // A new window size lays out the whole tree again.
    CInputDispatcher::GetSingletonPtr()->NotifyResize( 1024, 768 );
    EXPECT_EQ( GetDesktop()->GetRect(), ( types::rect{ 0, 0, 1024, 768 } ) );
    EXPECT_EQ( panel.GetRect(), ( types::rect{ 974, 10, 40, 384 } ) );
    EXPECT_EQ( label.GetRect(), ( types::rect{ 989, 374, 20, 20 } ) );

    // Negative positions substitute as signed numbers.
    label.SetGeometry( "0 - parent.x - 26", "this.x / 100", "parent.w * 0.75", "parent.h - 380" );
    EXPECT_EQ( label.GetRect(), ( types::rect{ -1000, -10, 30, 4 } ) );
}

TEST_F( WidgetTest, TreeKeepsTopmostWidgetFirstAndForgetsDestroyedOnes )
{
    auto back = std::make_unique<CWidget>( "back" );
    back->SetRect( types::rect{ 0, 0, 100, 100 } );
    CWidget front( "front" );
    front.SetRect( types::rect{ 50, 50, 100, 100 } );
    GetDesktop()->AddChild( back.get() );
    GetDesktop()->AddChild( &front );

    EXPECT_EQ( GetDesktop()->FindWidgetAt( 60, 60 ), &front );
    EXPECT_EQ( GetDesktop()->FindWidgetAt( 10, 10 ), back.get() );
    EXPECT_EQ( GetDesktop()->FindWidgetAt( 400, 400 ), GetDesktop() );

    // Reparenting moves a widget; destroying one takes it out of the tree.
    back->AddChild( &front );
    EXPECT_EQ( GetDesktop()->GetChildCount(), 1u );
    EXPECT_EQ( front.GetParent(), back.get() );
    back.reset();
    EXPECT_EQ( front.GetParent(), nullptr );
    EXPECT_EQ( GetDesktop()->GetChildCount(), 0u );
    EXPECT_EQ( GetDesktop()->FindWidgetAt( 60, 60 ), GetDesktop() );
}

TEST_F( WidgetTest, ButtonClicksOnceForEachLeftReleaseInsideIt )
{
    std::unique_ptr<CButtonWidget> button = MakeButton( types::rect{ 100, 200, 50, 30 } );
    ASSERT_NE( button->GetSprite(), nullptr );
    EXPECT_FALSE( button->GetSprite()->IsEmpty() );
    EXPECT_EQ( button->GetSprite()->GetX(), 100 );
    EXPECT_EQ( button->GetSprite()->GetY(), 200 );

    CRecorder recorder;
    button->Connect( CButtonWidget::EVENT_CLICK, &recorder, &CRecorder::OnClick );
    button->Connect( CWidget::EVENT_MOUSE_BUTTON_DOWN, &recorder, &CRecorder::OnDown );
    button->Connect( CWidget::EVENT_MOUSE_BUTTON_UP, &recorder, &CRecorder::OnUp );

    Click( 120, 210 );
    EXPECT_EQ( recorder.events, ( std::vector<std::string>{ "down", "up", "click" } ) );

    recorder.events.clear();
    Click( 149, 229 );
    Click( 150, 210 );
    Click( 99, 210 );
    Click( 120, 230 );
    EXPECT_EQ( recorder.events, ( std::vector<std::string>{ "down", "up", "click" } ) )
        << "only the last pixel inside counts";

    recorder.events.clear();
    Click( 120, 210, MOUSE_BUTTON_RIGHT );
    Click( 120, 210, MOUSE_BUTTON_WHEEL_UP );
    EXPECT_EQ( recorder.events, ( std::vector<std::string>{ "down", "up", "down", "up" } ) );

    // Pressed outside, released inside: the release is what clicks.
    recorder.events.clear();
    MoveTo( 10, 10 );
    CInputDispatcher::GetSingletonPtr()->NotifyButtonDown( MOUSE_BUTTON_LEFT );
    MoveTo( 110, 210 );
    CInputDispatcher::GetSingletonPtr()->NotifyButtonUp( MOUSE_BUTTON_LEFT );
    EXPECT_EQ( recorder.events, ( std::vector<std::string>{ "up", "click" } ) );

    // Moving the button moves its sprite and where it can be clicked.
    recorder.events.clear();
    button->SetGeometry( "parent.w - this.w", "0", "50", "30" );
    EXPECT_EQ( button->GetSprite()->GetX(), 750 );
    Click( 120, 210 );
    Click( 760, 10 );
    EXPECT_EQ( recorder.events, ( std::vector<std::string>{ "down", "up", "click" } ) );
}

TEST_F( WidgetTest, PointerEnteringAndLeavingRaisesOverAndOut )
{
    std::unique_ptr<CButtonWidget> button = MakeButton( types::rect{ 100, 200, 50, 30 } );
    CRecorder recorder;
    button->Connect( CWidget::EVENT_MOUSE_OVER, &recorder, &CRecorder::OnOver );
    button->Connect( CWidget::EVENT_MOUSE_OUT, &recorder, &CRecorder::OnOut );

    MoveTo( 10, 10 );
    MoveTo( 110, 210 );
    MoveTo( 120, 220 );
    MoveTo( 300, 220 );
    EXPECT_EQ( recorder.events, ( std::vector<std::string>{ "over", "out" } ) );

    // A widget that appears under the still pointer is noticed by the desktop's update.
    recorder.events.clear();
    button->SetRect( types::rect{ 290, 200, 50, 30 } );
    GetDesktop()->Update();
    EXPECT_EQ( recorder.events, ( std::vector<std::string>{ "over" } ) );
    EXPECT_EQ( GetDesktop()->GetHoveredWidget(), button.get() );

    button.reset();
    EXPECT_EQ( GetDesktop()->GetHoveredWidget(), nullptr );
    MoveTo( 10, 10 );
    EXPECT_EQ( recorder.events, ( std::vector<std::string>{ "over" } ) );
}

TEST_F( WidgetTest, DestroyedReceiversAndWidgetsAreNeverCalled )
{
    std::unique_ptr<CButtonWidget> button = MakeButton( types::rect{ 100, 200, 50, 30 } );
    CRecorder kept;
    auto gone = std::make_unique<CRecorder>();
    button->Connect( CButtonWidget::EVENT_CLICK, gone.get(), &CRecorder::OnClick );
    button->Connect( CButtonWidget::EVENT_CLICK, &kept, &CRecorder::OnClick );
    EXPECT_EQ( button->GetConnectionCount( CButtonWidget::EVENT_CLICK ), 2u );

    gone.reset();
    EXPECT_EQ( button->GetConnectionCount( CButtonWidget::EVENT_CLICK ), 1u );
    Click( 110, 210 );
    EXPECT_EQ( kept.events, ( std::vector<std::string>{ "click" } ) );

    // The widget goes while still connected: its place clicks nothing, and
    // the receiver outlives it without harm.
    button.reset();
    Click( 110, 210 );
    EXPECT_EQ( kept.events, ( std::vector<std::string>{ "click" } ) );
    EXPECT_EQ( GetDesktop()->GetChildCount(), 0u );
}

TEST_F( WidgetTest, ButtonMayBeDestroyedByItsOwnHandler )
{
    CDropper dropper;
    dropper.button = MakeButton( types::rect{ 100, 200, 50, 30 } );
    CRecorder after;
    dropper.button->Connect( CWidget::EVENT_MOUSE_BUTTON_UP, &dropper, &CDropper::Drop );
    dropper.button->Connect( CWidget::EVENT_MOUSE_BUTTON_UP, &after, &CRecorder::OnUp );
    dropper.button->Connect( CButtonWidget::EVENT_CLICK, &after, &CRecorder::OnClick );

    Click( 110, 210 );
    EXPECT_EQ( dropper.button, nullptr );
    EXPECT_TRUE( after.events.empty() ) << "nothing is raised by a button that is gone";
    Click( 110, 210 );
    EXPECT_TRUE( after.events.empty() );
}

TEST_F( WidgetTest, SignalSkipsSlotsDisconnectedWhileItIsRaised )
{
    struct CCounter final : CSignalReceiver
    {
        void Add( int value ) { total += value; }
        int total = 0;
    };
    CSignal<int> signal;
    CCounter counted;
    CCounter cut;
    struct CCutter final : CSignalReceiver
    {
        void Cut( int ) { signal->Disconnect( victim ); }
        CSignal<int>* signal = nullptr;
        CSignalReceiver* victim = nullptr;
    } cutter;
    cutter.signal = &signal;
    cutter.victim = &cut;

    signal.Connect( &counted, &CCounter::Add );
    signal.Connect( &cutter, &CCutter::Cut );
    signal.Connect( &cut, &CCounter::Add );
    signal.Emit( 5 );
    signal.Emit( 2 );
    EXPECT_EQ( counted.total, 7 );
    EXPECT_EQ( cut.total, 0 );
    EXPECT_EQ( signal.GetSlotCount(), 2u );
}

TEST_F( WidgetTest, UiTaskRunsTheDesktop )
{
    ASSERT_TRUE( CTaskFactory::GetSingletonPtr()->HasTaskType( "ui" ) );
    ASSERT_TRUE( CTaskFactory::GetSingletonPtr()->StartTask( "ui", "UI", 50, nullptr ) );
    std::unique_ptr<CButtonWidget> button = MakeButton( types::rect{ 100, 200, 50, 30 } );
    CRecorder recorder;
    button->Connect( CButtonWidget::EVENT_CLICK, &recorder, &CRecorder::OnClick );
    Click( 110, 210 );
    EXPECT_EQ( recorder.events, ( std::vector<std::string>{ "click" } ) );
}
