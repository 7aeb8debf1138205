// The developer console window: a text input fed by the input dispatcher,
// lines run in the main console and read back from the log, the input
// history, the scrolling log view, and the debug task showing and hiding it.
#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "support/spritescene.h"
#include "support/testsupport.h"
#include "tarn/inputdevice/keynames.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/tasks/ctaskdebug.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/ui/cconsolewindow.h"
#include "tarn/ui/cdesktop.h"
#include "tarn/utils/clogger.h"

using namespace tarn;
using namespace tarn::ui;
using Strings = std::vector<std::string>;

namespace {


// Counts the input's "enter" events.
class CEnterCounter final : public CSignalReceiver
{
public:
    void OnEnter() { ++count; }
    int count = 0;
};

class ConsoleWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        scene = std::make_unique<test::CSpriteScene>( 800, 600, "console" );
    }
    void TearDown() override
    {
        CTaskDebug::SetConsoleWindowMaker( nullptr );
        test::ResetEngine();
        scene.reset();
    }

    static void Press( int key, char c = 0 )
    {
        CInputDispatcher::GetSingletonPtr()->NotifyKeyDown( key, c );
        CInputDispatcher::GetSingletonPtr()->NotifyKeyUp( key, c );
    }
    static void Type( const std::string& text )
    {
        for( const char c : text )
            Press( std::tolower( static_cast<unsigned char>( c ) ), c );
    }
    static Strings ViewLines( const CConsoleWindow& window )
    {
        return test::SplitLines( window.GetLogView()->GetText() + "\n" );
    }

    std::unique_ptr<test::CSpriteScene> scene;
};

} // namespace

TEST_F( ConsoleWindowTest, InputTakesTypedCharactersOnlyWhileVisible )
{
    CTextInputWidget input( "input" );
    input.SetRect( types::rect{ 10, 20, 200, 15 } );
    CEnterCounter counter;
    input.Connect( CTextInputWidget::EVENT_ENTER, &counter, &CEnterCounter::OnEnter );

    Type( "ab" );
    EXPECT_EQ( input.GetText(), "" ) << "a hidden input takes no keys";
    EXPECT_EQ( input.GetSprite()->GetParent(), nullptr ) << "and shows nothing";

    input.SetVisible( true );
    EXPECT_EQ( input.GetSprite()->GetParent(), CScreenLayer::GetSingletonPtr() );
    Type( "Say(\"hi\")x" );
    Press( KEY_BACKSPACE );
    Press( KEY_F1 );
    Press( '\t', '\t' );
    EXPECT_EQ( input.GetText(), "Say(\"hi\")" ) << "backspace erases, keys without a printable character add nothing";
    EXPECT_EQ( input.GetSprite()->GetText(), "> Say(\"hi\")_" );
    EXPECT_EQ( input.GetSprite()->GetRect(), ( types::rect{ 10, 20, 200, 15 } ) );

    Press( KEY_RETURN, '\r' );
    EXPECT_EQ( counter.count, 1 );
    EXPECT_EQ( input.GetText(), "Say(\"hi\")" ) << "the receiver decides what becomes of the line";

    // A line longer than the widget shows its end.
    input.SetText( std::string( 30, 'a' ) + "end" );
    const std::string shown = input.GetSprite()->GetText();
    EXPECT_EQ( shown.substr( 0, 2 ), "> " );
    EXPECT_EQ( shown.substr( shown.size() - 4 ), "end_" );
    EXPECT_EQ( shown.size(), 200u / 8 );

    input.SetVisible( false );
    Type( "z" );
    EXPECT_EQ( input.GetText(), std::string( 30, 'a' ) + "end" );
}

TEST_F( ConsoleWindowTest, TypedLinesRunWithEchoAndComeBackThroughTheLog )
{
    CConsoleWindow window;
    window.SetOpen( true );
    ASSERT_EQ( window.GetParent(), GetDesktop() );
    EXPECT_EQ( window.GetRect(), ( types::rect{ 0, 0, 800, 300 } ) );
    EXPECT_EQ( window.GetTitleSprite()->GetText(), "Dev-tool: console" );

    test::CLogCapture log;
    Type( "answer = 42" );
    Press( KEY_RETURN, '\r' );
    Type( "answer" );
    Press( KEY_RETURN, '\r' );
    EXPECT_EQ( window.GetInput()->GetText(), "" );
    const Strings echoed{ "answer = 42", "42", "answer", "42" };
    EXPECT_EQ( log.Lines(), echoed );
    EXPECT_EQ( ViewLines( window ), echoed );

    // Lines logged later show at the next pass.
    GetLog() << "later\n";
    EXPECT_EQ( ViewLines( window ).back(), "42" );
    window.Update();
    EXPECT_EQ( ViewLines( window ).back(), "later" );

    // Blank lines run nothing and are not remembered.
    Type( "  " );
    Press( KEY_RETURN, '\r' );
    EXPECT_EQ( window.GetHistory(), ( Strings{ "answer = 42", "answer" } ) );
    EXPECT_EQ( log.Lines().size(), 5u );

    // Up walks back through the history, down forward to the unfinished line.
    Type( "draft" );
    Press( KEY_UP );
    EXPECT_EQ( window.GetInput()->GetText(), "answer" );
    Press( KEY_UP );
    Press( KEY_UP );
    EXPECT_EQ( window.GetInput()->GetText(), "answer = 42" ) << "stops at the oldest line";
    Press( KEY_DOWN );
    EXPECT_EQ( window.GetInput()->GetText(), "answer" );
    Press( KEY_DOWN );
    Press( KEY_DOWN );
    EXPECT_EQ( window.GetInput()->GetText(), "draft" );

    // A recalled line runs again and the history starts over from it.
    Press( KEY_UP );
    Press( KEY_UP );
    Press( KEY_RETURN, '\r' );
    Press( KEY_UP );
    EXPECT_EQ( window.GetInput()->GetText(), "answer = 42" );
    EXPECT_EQ( window.GetHistory().size(), 3u );
}

TEST_F( ConsoleWindowTest, LogViewKeepsTheNewestRowsAndPagesBack )
{
    CConsoleWindow window;
    window.SetOpen( true );
    // 792 pixels of 8-pixel columns; 300 - 19 - 21 pixels of 15-pixel rows.
    ASSERT_EQ( window.GetLogView()->GetRect(), ( types::rect{ 4, 19, 792, 260 } ) );
    for( int i = 0; i < 40; ++i )
        GetLog() << "line " << i << "\n";
    GetLog() << std::string( 100, 'w' ) << "\n";
    window.Update();

    Strings lines = ViewLines( window );
    ASSERT_EQ( lines.size(), 17u );
    EXPECT_EQ( lines[ 0 ], "line 25" );
    EXPECT_EQ( lines[ 15 ], std::string( 99, 'w' ) ) << "long lines wrap at the view's width";
    EXPECT_EQ( lines[ 16 ], "w" );

    Press( KEY_PAGE_UP );
    lines = ViewLines( window );
    EXPECT_EQ( lines.front(), "line 9" );
    EXPECT_EQ( lines.back(), "line 25" );
    Press( KEY_PAGE_UP );
    Press( KEY_PAGE_UP );
    EXPECT_EQ( ViewLines( window ).front(), "line 0" ) << "stops at the oldest line";
    Type( "x" );
    Press( KEY_RETURN, '\r' );
    EXPECT_EQ( ViewLines( window ).back(), "x" ) << "running a line shows the newest again";
}

TEST_F( ConsoleWindowTest, TheDebugTaskShowsAndHidesItAboveTheGame )
{
    CTaskDebug::SetConsoleWindowMaker( &CConsoleWindow::Create );
    ASSERT_EQ( GetConsole()->Execute( "starttask( debug, Debug, 80 )" ), "debug started" );
    auto* debug = dynamic_cast<CTaskDebug*>( CTaskFactory::GetSingletonPtr()->FindTask( "Debug" ) );
    ASSERT_NE( debug, nullptr );

    GetConsole()->Execute( "Debug::ToggleConsole" );
    auto* window = dynamic_cast<CConsoleWindow*>( debug->GetConsoleWindow() );
    ASSERT_NE( window, nullptr );
    EXPECT_TRUE( window->IsShown() );
    EXPECT_EQ( GetDesktop()->FindWidgetAt( 400, 100 ), window );
    EXPECT_EQ( window->GetLogView()->GetParent(), CScreenLayer::GetSingletonPtr() );
    EXPECT_LT( window->GetPanelSprite()->GetZ(), debug->GetFpsSprite()->GetZ() ) << "in front of the game";
    EXPECT_LT( window->GetInput()->GetSprite()->GetZ(), window->GetPanelSprite()->GetZ() );
    scene->Update();
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );

    // Hidden, it takes neither keys nor clicks and leaves the screen.
    GetConsole()->Execute( "Debug::ToggleConsole" );
    EXPECT_FALSE( window->IsShown() );
    Type( "nothing" );
    EXPECT_EQ( window->GetInput()->GetText(), "" );
    EXPECT_EQ( GetDesktop()->FindWidgetAt( 400, 100 ), GetDesktop() );
    EXPECT_EQ( window->GetPanelSprite()->GetParent(), nullptr );
    EXPECT_EQ( window->GetLogView()->GetParent(), nullptr );

    // The close box asks the task, which closes it at its next pass.
    GetConsole()->Execute( "Debug::ToggleConsole" );
    const types::rect closeBox = window->GetCloseBox()->GetRect();
    EXPECT_EQ( closeBox, ( types::rect{ 783, 0, 17, 17 } ) );
    CInputDispatcher::GetSingletonPtr()->NotifyMouseMove( closeBox.x + 8, closeBox.y + 8, 0, 0 );
    CInputDispatcher::GetSingletonPtr()->NotifyButtonDown( MOUSE_BUTTON_LEFT );
    CInputDispatcher::GetSingletonPtr()->NotifyButtonUp( MOUSE_BUTTON_LEFT );
    EXPECT_TRUE( debug->IsConsoleOpen() );
    debug->Update();
    EXPECT_FALSE( debug->IsConsoleOpen() );
    EXPECT_FALSE( window->IsShown() );

    // A typed line may stop the task that owns the window.
    GetConsole()->Execute( "Debug::ToggleConsole" );
    Type( "stoptask( Debug )" );
    Press( KEY_RETURN, '\r' );
    EXPECT_EQ( debug->GetConsoleWindow(), nullptr );
    EXPECT_EQ( GetDesktop()->GetChildCount(), 0u );
}
