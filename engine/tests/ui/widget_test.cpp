// The widget tree on the desktop: expression geometry, image buttons, the
// developer console window and the pause menu fed by the input dispatcher,
// and signals that never reach destroyed objects.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <tuple>

#include "support/spritescene.h"
#include "tarn/console/csettingvar.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/inputdevice/keynames.h"
#include "tarn/tasks/ctaskdebug.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/ui/cbuttonwidget.h"
#include "tarn/ui/cconsolewindow.h"
#include "tarn/ui/cdesktop.h"
#include "tarn/ui/cmenuwindow.h"
#include "tarn/ui/ctaskui.h"
#include "tarn/utils/clogger.h"
#include "tasks/taskstest.h"

using namespace tarn;
using namespace tarn::ui;
using test::Strings;

namespace {

// Writes down what it was told, then does what it was asked to.
class CRecorder final : public CSignalReceiver
{
public:
    void OnClick() { Note( "click" ); }
    void OnDown() { Note( "down" ); }
    void OnUp() { Note( "up" ); }
    void OnOver() { Note( "over" ); }
    void OnOut() { Note( "out" ); }
    void OnEnter() { Note( "enter" ); }

    Strings events;
    std::function<void()> then;

private:
    void Note( const char* event )
    {
        events.push_back( event );
        if( then )
            then();
    }
};

// An 800 x 600 screen with the desktop on it.
class UiTest : public test::TasksTest
{
protected:
    void TearDown() override
    {
        CTaskDebug::SetConsoleWindowMaker( nullptr );
        TasksTest::TearDown();
    }

    static void MoveTo( int x, int y ) { CInputDispatcher::GetSingletonPtr()->NotifyMouseMove( x, y, 0, 0 ); }
    static void Click( int x, int y, int button = MOUSE_BUTTON_LEFT )
    {
        MoveTo( x, y );
        CInputDispatcher::GetSingletonPtr()->NotifyButtonDown( button );
        CInputDispatcher::GetSingletonPtr()->NotifyButtonUp( button );
    }
    static void Press( int key, char c = 0 )
    {
        CInputDispatcher::GetSingletonPtr()->NotifyKeyDown( key, c );
        CInputDispatcher::GetSingletonPtr()->NotifyKeyUp( key, c );
    }
    static void Type( const std::string& text, bool enter = false )
    {
        for( const char c : text )
            Press( std::tolower( static_cast<unsigned char>( c ) ), c );
        if( enter )
            Press( KEY_RETURN, '\r' );
    }
    // A button at 100, 200 of 50 x 30 pixels on the desktop, its events written down.
    std::unique_ptr<CButtonWidget> MakeButton( CRecorder* recorder )
    {
        auto button = std::make_unique<CButtonWidget>( "ok", scene->MakeImage( "ok", 50, 30, CColor( 200, 40, 40 ) ) );
        button->SetRect( types::rect{ 100, 200, 50, 30 } );
        GetDesktop()->AddChild( button.get() );
        if( !recorder )
            return button;
        button->Connect( CWidget::EVENT_MOUSE_BUTTON_DOWN, recorder, &CRecorder::OnDown );
        button->Connect( CWidget::EVENT_MOUSE_BUTTON_UP, recorder, &CRecorder::OnUp );
        button->Connect( CButtonWidget::EVENT_CLICK, recorder, &CRecorder::OnClick );
        button->Connect( CWidget::EVENT_MOUSE_OVER, recorder, &CRecorder::OnOver );
        button->Connect( CWidget::EVENT_MOUSE_OUT, recorder, &CRecorder::OnOut );
        return button;
    }
    // The "ui" and "keyboard" tasks and a menu of every kind of row over
    // three settings, Esc bound to it; the menu opened.
    CMenuWindow* OpenMenu()
    {
        for( auto& [ name, value ] : settings )
            GetConsole()->AddVariable( name, std::make_unique<CSettingVar>( name, &value, 0, 100 ) );
        Run( "starttask( ui, UI, 45 ); starttask( keyboard, Keyboard, 30 )" );
        Run( "Keyboard::bind( \"escape escape\", \"UI::ToggleMenu\" )" );
        Run( "UI::ToggleMenu" );
        EXPECT_EQ( Find<CTaskUI>( "UI" )->GetMenu(), nullptr ) << "no rows, no menu";
        for( const char* line : { "MenuAction( \"Resume\", \"UI::CloseMenu\" )",
                                  "MenuRange( \"Music\", \"music\", 0, 100, 10 )",
                                  "MenuToggle( \"Captions\", \"captions\" )",
                                  "MenuChoice( \"Size\", \"scale\", \"1:1x,2:2x,0:Largest\" )",
                                  "MenuConfirm( \"Quit\", \"Quit the game?\", \"quitted = 1\" )",
                                  "MenuRange( \"Broken\" )" } )
            Run( std::string( "UI::" ) + line );
        PressEscape();
        return Find<CTaskUI>( "UI" )->GetMenu();
    }
    static void PressEscape()
    {
        Press( KEY_ESCAPE );
        CTaskManager::GetSingletonPtr()->RunOnce();
    }
    static bool Held() { return CTaskManager::GetSingletonPtr()->IsHolding(); }
    static Strings ViewLines( const CConsoleWindow& window )
    {
        return test::SplitLines( window.GetLogView()->GetText() + "\n" );
    }

    std::unique_ptr<test::CSpriteScene> scene = std::make_unique<test::CSpriteScene>( 800, 600, "ui" );
    std::map<std::string, int> settings{ { "music", 50 }, { "captions", 1 }, { "scale", 2 } };
};

} // namespace

// Geometry follows the parent, also when the window is resized; the topmost
// widget is found first; reparenting moves a widget, destroying one takes it
// out of the tree.
TEST_F( UiTest, WidgetTreeLaysOutAndFindsItsWidgets )
{
    CWidget panel( "panel" );
    panel.SetGeometry( "parent.x + parent.w - 50", "parent.y + 10", "40", "parent.h / 2" );
    GetDesktop()->AddChild( &panel );
    EXPECT_EQ( panel.GetRect(), ( types::rect{ 750, 10, 40, 300 } ) );
    CWidget label( "label" );
    label.SetGeometry( "parent.x + parent.w - this.w - 5", "parent.y + parent.h - this.h", "parent.w / 2", "20" );
    panel.AddChild( &label );
    EXPECT_EQ( label.GetRect(), ( types::rect{ 765, 290, 20, 20 } ) );
    CInputDispatcher::GetSingletonPtr()->NotifyResize( 1024, 768 );
    EXPECT_EQ( GetDesktop()->GetRect(), ( types::rect{ 0, 0, 1024, 768 } ) );
    EXPECT_EQ( panel.GetRect(), ( types::rect{ 974, 10, 40, 384 } ) );
    EXPECT_EQ( label.GetRect(), ( types::rect{ 989, 374, 20, 20 } ) );
    // Negative positions substitute as signed numbers.
    label.SetGeometry( "0 - parent.x - 26", "this.x / 100", "parent.w * 0.75", "parent.h - 380" );
    EXPECT_EQ( label.GetRect(), ( types::rect{ -1000, -10, 30, 4 } ) );
    auto back = std::make_unique<CWidget>( "back" );
    back->SetRect( types::rect{ 0, 0, 100, 100 } );
    CWidget front( "front" );
    front.SetRect( types::rect{ 50, 50, 100, 100 } );
    GetDesktop()->AddChild( back.get() );
    GetDesktop()->AddChild( &front );
    EXPECT_EQ( GetDesktop()->FindWidgetAt( 60, 60 ), &front );
    EXPECT_EQ( GetDesktop()->FindWidgetAt( 10, 10 ), back.get() );
    back->AddChild( &front );
    EXPECT_EQ( GetDesktop()->GetChildCount(), 2u );
    EXPECT_EQ( front.GetParent(), back.get() );
    back.reset();
    EXPECT_EQ( front.GetParent(), nullptr );
    EXPECT_EQ( GetDesktop()->GetChildCount(), 1u );
    EXPECT_EQ( GetDesktop()->FindWidgetAt( 60, 60 ), GetDesktop() );
}

TEST_F( UiTest, ButtonClicksOnceForEachLeftReleaseInsideIt )
{
    Run( "starttask( ui, UI, 50 )" );
    CRecorder recorder;
    std::unique_ptr<CButtonWidget> button = MakeButton( &recorder );
    ASSERT_FALSE( button->GetSprite()->IsEmpty() );
    EXPECT_EQ( button->GetSprite()->GetX(), 100 );
    EXPECT_EQ( button->GetSprite()->GetY(), 200 );
    Click( 149, 229 );
    EXPECT_EQ( recorder.events, ( Strings{ "over", "down", "up", "click" } ) ) << "the last pixel inside";
    recorder.events.clear();
    Click( 150, 210 );
    Click( 99, 210 );
    Click( 120, 230 );
    Click( 120, 210, MOUSE_BUTTON_RIGHT );
    Click( 120, 210, MOUSE_BUTTON_WHEEL_UP );
    EXPECT_EQ( recorder.events, ( Strings{ "out", "over", "down", "up", "down", "up" } ) ) << "outside; other buttons";
    // Pressed outside, released inside: the release is what clicks.
    recorder.events.clear();
    MoveTo( 10, 10 );
    CInputDispatcher::GetSingletonPtr()->NotifyButtonDown( MOUSE_BUTTON_LEFT );
    MoveTo( 110, 210 );
    CInputDispatcher::GetSingletonPtr()->NotifyButtonUp( MOUSE_BUTTON_LEFT );
    EXPECT_EQ( recorder.events, ( Strings{ "out", "over", "up", "click" } ) );
    // Moving the button moves its sprite and where it can be clicked.
    recorder.events.clear();
    button->SetGeometry( "parent.w - this.w", "0", "50", "30" );
    EXPECT_EQ( button->GetSprite()->GetX(), 750 );
    Click( 120, 210 );
    Click( 760, 10 );
    EXPECT_EQ( recorder.events, ( Strings{ "out", "over", "down", "up", "click" } ) );
    // The "ui" task's pass notices it come under the still pointer; once it
    // goes, nothing is hovered.
    MoveTo( 300, 220 );
    button->SetRect( types::rect{ 290, 200, 50, 30 } );
    CTaskManager::GetSingletonPtr()->RunOnce();
    EXPECT_EQ( recorder.events.back(), "over" );
    EXPECT_EQ( GetDesktop()->GetHoveredWidget(), button.get() );
    button.reset();
    EXPECT_EQ( GetDesktop()->GetHoveredWidget(), nullptr );
    MoveTo( 10, 10 );
}

// A receiver that went, or was cut off by an earlier one while the event was
// raised, is never called; nor is anyone after a handler destroyed the button.
TEST_F( UiTest, ReceiversAndWidgetsThatGoAreNeverCalled )
{
    std::unique_ptr<CButtonWidget> button = MakeButton( nullptr );
    CRecorder cutter, kept;
    auto gone = std::make_unique<CRecorder>();
    button->Connect( CButtonWidget::EVENT_CLICK, &cutter, &CRecorder::OnClick );
    button->Connect( CButtonWidget::EVENT_CLICK, gone.get(), &CRecorder::OnClick );
    button->Connect( CButtonWidget::EVENT_CLICK, &kept, &CRecorder::OnClick );
    cutter.then = [ & ] { button->Disconnect( CButtonWidget::EVENT_CLICK, &kept ); };
    gone.reset();
    Click( 110, 210 );
    Click( 110, 210 );
    EXPECT_EQ( cutter.events, ( Strings{ "click", "click" } ) );
    EXPECT_TRUE( kept.events.empty() );
    cutter.then = [ & ] { button.reset(); };
    button->Connect( CWidget::EVENT_MOUSE_BUTTON_UP, &cutter, &CRecorder::OnUp );
    button->Connect( CWidget::EVENT_MOUSE_BUTTON_UP, &kept, &CRecorder::OnUp );
    Click( 110, 210 );
    EXPECT_EQ( button, nullptr );
    Click( 110, 210 );
    EXPECT_EQ( cutter.events, ( Strings{ "click", "click", "up" } ) ) << "its place clicks nothing";
    EXPECT_TRUE( kept.events.empty() );
    EXPECT_EQ( GetDesktop()->GetChildCount(), 0u );
}

TEST_F( UiTest, TextInputTakesTypedCharactersOnlyWhileVisible )
{
    CTextInputWidget input( "input" );
    input.SetRect( types::rect{ 10, 20, 200, 15 } );
    CRecorder recorder;
    input.Connect( CTextInputWidget::EVENT_ENTER, &recorder, &CRecorder::OnEnter );
    EXPECT_EQ( input.GetSprite()->GetParent(), nullptr ) << "hidden, it shows nothing";
    input.SetVisible( true );
    EXPECT_EQ( input.GetSprite()->GetParent(), CScreenLayer::GetSingletonPtr() );
    Type( "Say(\"hi\")x" );
    Press( KEY_BACKSPACE );
    Press( KEY_F1 );
    Press( '\t', '\t' );
    EXPECT_EQ( input.GetText(), "Say(\"hi\")" ) << "backspace erases, keys without a printable character add nothing";
    EXPECT_EQ( input.GetSprite()->GetText(), "> Say(\"hi\")_" );
    Type( "", true );
    EXPECT_EQ( recorder.events, Strings{ "enter" } );
    EXPECT_EQ( input.GetText(), "Say(\"hi\")" ) << "the receiver decides what becomes of the line";
    // A line longer than the widget shows its end, in 200 / 8 columns.
    input.SetText( std::string( 30, 'a' ) + "end" );
    EXPECT_EQ( input.GetSprite()->GetText(), "> " + std::string( 19, 'a' ) + "end_" );
}

TEST_F( UiTest, ConsoleLinesRunWithEchoAndComeBackThroughTheLog )
{
    CConsoleWindow window;
    window.SetOpen( true );
    ASSERT_EQ( window.GetParent(), GetDesktop() );
    EXPECT_EQ( window.GetRect(), ( types::rect{ 0, 0, 800, 300 } ) );
    EXPECT_EQ( window.GetTitleSprite()->GetText(), "Dev-tool: console" );
    test::CLogCapture log;
    Type( "answer = 42", true );
    Type( "answer", true );
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
    Type( "  ", true );
    EXPECT_EQ( window.GetHistory(), ( Strings{ "answer = 42", "answer" } ) );
    EXPECT_EQ( log.Lines().size(), 5u );
    // Up walks back through the history, down forward to the unfinished line.
    Type( "draft" );
    const std::pair<int, const char*> walk[] = { { KEY_UP, "answer" },     { KEY_UP, "answer = 42" },
                                                 { KEY_UP, "answer = 42" }, { KEY_DOWN, "answer" },
                                                 { KEY_DOWN, "draft" },     { KEY_DOWN, "draft" } };
    for( const auto& [ key, shown ] : walk )
    {
        Press( key );
        EXPECT_EQ( window.GetInput()->GetText(), shown );
    }
    // A recalled line runs again and the history starts over from it.
    Press( KEY_UP );
    Press( KEY_UP );
    Type( "", true );
    Press( KEY_UP );
    EXPECT_EQ( window.GetInput()->GetText(), "answer = 42" );
    EXPECT_EQ( window.GetHistory().size(), 3u );
}

TEST_F( UiTest, ConsoleLogViewKeepsTheNewestRowsAndPagesBack )
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
    Type( "x", true );
    EXPECT_EQ( ViewLines( window ).back(), "Unknown command: x" ) << "running a line shows the newest again";
}

// Tab completes the name being typed and, pressed again, lists what could
// follow; a typed line naming nothing known is warned of, script lines are not.
TEST_F( UiTest, ConsoleCompletesNamesAndWarnsOfUnknownOnes )
{
    Run( "starttask( ui, UI, 45 )" );
    CConsoleWindow window;
    window.SetOpen( true );
    Type( "help( ui::menuc" );
    Press( KEY_TAB );
    EXPECT_EQ( window.GetInput()->GetText(), "help( UI::MenuC" );
    Press( KEY_TAB );
    EXPECT_EQ( ViewLines( window ).back(), "UI::MenuChoice  UI::MenuConfirm" );
    Type( "o" );
    Press( KEY_TAB );
    EXPECT_EQ( window.GetInput()->GetText(), "help( UI::MenuConfirm" );
    window.GetInput()->SetText( "" );

    test::WriteFile( dir + "/script.txt", "nosuch\nalso_nothing( 2 )\n" );
    test::CLogCapture log;
    Type( "nosuch( 1 )", true );
    Type( "UI::Nothing", true );
    Type( "load( \"" + dir + "/script.txt\" )", true );
    const std::vector<std::pair<std::string, int>> lines{ { "nosuch( 1 )", LOG_NORMAL },
                                                          { "nosuch( 1 )", LOG_NORMAL },
                                                          { "Unknown command: nosuch", LOG_WARNING },
                                                          { "UI::Nothing", LOG_NORMAL },
                                                          { "Unknown command: UI::Nothing", LOG_WARNING },
                                                          { "load( \"" + dir + "/script.txt\" )", LOG_NORMAL } };
    EXPECT_EQ( log.LinesWithLevels(), lines );
    const Strings view = ViewLines( window );
    EXPECT_NE( std::find( view.begin(), view.end(), "Unknown command: UI::Nothing" ), view.end() );
}

// Given a file, the history outlives the window: the next window's Up gives
// the lines typed in the last one. The file keeps the newest lines; a
// damaged or unreadable one is said and left out.
TEST_F( UiTest, ConsoleHistoryLivesOnInItsFile )
{
    const std::string path = dir + "/config/console_history.txt";
    {
        CConsoleWindow first( path );
        first.SetOpen( true );
        Type( "answer = 42", true );
        Type( "answer", true );
    }
    {
        CConsoleWindow second( path );
        second.SetOpen( true );
        for( const char* shown : { "answer", "answer = 42" } )
        {
            Press( KEY_UP );
            EXPECT_EQ( second.GetInput()->GetText(), shown );
        }
    }
    std::string older;
    for( int i = 0; i < 150; ++i )
        older += "line " + std::to_string( i ) + "\r\n";
    test::WriteFile( path, older );
    {
        CConsoleWindow third( path );
        ASSERT_EQ( third.GetHistory().size(), 100u );
        EXPECT_EQ( third.GetHistory().front(), "line 50" );
        third.SetOpen( true );
        Type( "last", true );
        const Strings kept = test::SplitLines( test::ReadFile( path ) );
        ASSERT_EQ( kept.size(), 100u );
        EXPECT_EQ( kept.front(), "line 51" );
        EXPECT_EQ( kept.back(), "last" );
    }

    const std::pair<std::string, std::string> damaged[] = {
        { "answer\n\x01\x02\n", "Console history: line 2 of " + path + " is not a console line: the file is ignored" },
        { "", "Console history: " + path + " is not a regular file: ignored" },
    };
    for( const auto& [ text, error ] : damaged )
    {
        std::filesystem::remove( path );
        if( text.empty() )
            std::filesystem::create_directory( path );
        else
            test::WriteFile( path, text );
        test::CLogCapture log;
        CConsoleWindow window( path );
        EXPECT_EQ( window.GetHistory(), Strings{} ) << error;
        EXPECT_EQ( log.LinesWithLevels(), ( std::vector<std::pair<std::string, int>>{ { error, LOG_ERROR } } ) );
    }
}

// The debug task makes its window on first use; closed by the close box, the
// window asks the task, which closes it at its next pass; stopped by a line
// typed in it, the task lets go of everything.
TEST_F( UiTest, TheDebugTaskShowsAndHidesTheConsoleAboveTheGame )
{
    int made = 0;
    CTaskDebug::SetConsoleWindowMaker( [ &made ] {
        ++made;
        return CConsoleWindow::Create();
    } );
    ASSERT_EQ( Run( "starttask( debug, Debug, 80 )" ), "debug started" );
    auto* debug = Find<CTaskDebug>( "Debug" );
    Run( "Debug::ToggleConsole" );
    auto* window = dynamic_cast<CConsoleWindow*>( debug->GetConsoleWindow() );
    ASSERT_NE( window, nullptr );
    EXPECT_TRUE( window->IsShown() );
    EXPECT_EQ( GetDesktop()->FindWidgetAt( 400, 100 ), window );
    EXPECT_LT( window->GetPanelSprite()->GetZ(), debug->GetFpsSprite()->GetZ() ) << "in front of the game";
    EXPECT_LT( window->GetInput()->GetSprite()->GetZ(), window->GetPanelSprite()->GetZ() );
    scene->Update();
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );
    // Hidden, it takes neither keys nor clicks and leaves the screen.
    Run( "Debug::ToggleConsole" );
    EXPECT_FALSE( window->IsShown() );
    Type( "nothing" );
    EXPECT_EQ( window->GetInput()->GetText(), "" );
    EXPECT_EQ( GetDesktop()->FindWidgetAt( 400, 100 ), GetDesktop() );
    EXPECT_EQ( window->GetPanelSprite()->GetParent(), nullptr );
    EXPECT_EQ( window->GetLogView()->GetParent(), nullptr );
    Run( "Debug::ToggleConsole" );
    EXPECT_EQ( window->GetCloseBox()->GetRect(), ( types::rect{ 783, 0, 17, 17 } ) );
    Click( 791, 8 );
    EXPECT_TRUE( debug->IsConsoleOpen() );
    debug->Update();
    EXPECT_FALSE( debug->IsConsoleOpen() );
    EXPECT_FALSE( window->IsShown() );
    EXPECT_EQ( made, 1 );
    Run( "Debug::ToggleConsole" );
    Run( "Debug::RecordInput( \"" + dir + "/input.txt\" )" );
    Type( "stoptask( Debug )", true );
    EXPECT_EQ( debug->GetConsoleWindow(), nullptr );
    EXPECT_EQ( debug->GetFpsSprite(), nullptr );
    EXPECT_EQ( debug->GetInputDevice(), nullptr );
    EXPECT_EQ( GetDesktop()->GetChildCount(), 0u );
    EXPECT_TRUE( CScreenLayer::GetSingletonPtr()->IsEmpty() );
}

// The keys walk the menu and change the settings; Quit asks first, Esc steps
// back from the question, then from the menu to the game, which it held.
TEST_F( UiTest, MenuOfSettingsIsDrivenByKeysAndHoldsTheGame )
{
    test::CLogCapture log;
    CMenuWindow* menu = OpenMenu();
    ASSERT_NE( menu, nullptr );
    EXPECT_EQ( log.Lines().size(), 1u ) << "the broken row is refused";
    EXPECT_TRUE( menu->IsShown() );
    EXPECT_TRUE( Held() );
    EXPECT_EQ( menu->GetRow( 1 )->GetValueSprite()->GetText(), "<  50  >" );
    // key, then the highlighted row and the settings
    const std::tuple<int, int, int, int, int> keys[] = {
        { KEY_DOWN, 1, 50, 1, 2 },   { KEY_RIGHT, 1, 60, 1, 2 },  { KEY_LEFT, 1, 50, 1, 2 },
        { KEY_DOWN, 2, 50, 1, 2 },   { KEY_RETURN, 2, 50, 0, 2 }, { KEY_RIGHT, 2, 50, 1, 2 },
        { KEY_DOWN, 3, 50, 1, 2 },   { KEY_RIGHT, 3, 50, 1, 0 },  { KEY_RIGHT, 3, 50, 1, 0 },
        { KEY_RETURN, 3, 50, 1, 1 }, { KEY_UP, 2, 50, 1, 1 },     { KEY_UP, 1, 50, 1, 1 },
        { KEY_UP, 0, 50, 1, 1 },     { KEY_UP, 4, 50, 1, 1 },
    };
    for( const auto& [ key, row, music, captions, scale ] : keys )
    {
        Press( key );
        EXPECT_EQ( menu->GetHighlight(), row ) << "key " << key;
        const decltype( settings ) expected{ { "music", music }, { "captions", captions }, { "scale", scale } };
        EXPECT_EQ( settings, expected ) << "key " << key;
    }
    menu->Update();
    EXPECT_EQ( menu->GetRow( 3 )->GetValueSprite()->GetText(), "<  1x  >" );
    Press( KEY_RETURN );
    EXPECT_TRUE( menu->IsAsking() );
    EXPECT_EQ( menu->GetTitleSprite()->GetText(), "Quit the game?" );
    EXPECT_EQ( menu->GetRow( 0 )->GetLabelSprite()->GetText(), "Yes" );
    EXPECT_EQ( menu->GetHighlight(), 1 ) << "No is the safe answer";
    PressEscape();
    EXPECT_FALSE( menu->IsAsking() );
    EXPECT_TRUE( menu->IsShown() );
    EXPECT_EQ( GetConsole()->GetVariable( "quitted" ), "" );
    Press( KEY_RETURN );
    Press( KEY_UP );
    Press( KEY_RETURN );
    EXPECT_EQ( GetConsole()->GetVariable( "quitted" ), "1" );
    EXPECT_FALSE( menu->IsShown() ) << "a confirmed line closes the menu";
    PressEscape();
    PressEscape();
    EXPECT_FALSE( menu->IsShown() );
    EXPECT_FALSE( Held() );
    Press( KEY_DOWN );
    EXPECT_EQ( menu->GetHighlight(), 0 ) << "closed, it hears no keys";
}

// The pointer highlights the row under it; a click on the left half of the
// value lowers it, elsewhere activates; a click anywhere is the menu's, and
// the game is let go only after the click that closed the menu.
TEST_F( UiTest, MenuRowsAnswerTheMouseAndKeepItsClicks )
{
    CMenuWindow* menu = OpenMenu();
    ASSERT_NE( menu, nullptr );
    const types::rect music = menu->GetRow( 1 )->GetRect();
    const int value = music.x + music.w - CMenuRowWidget::VALUE_WIDTH;
    const std::tuple<int, int, int> clicks[] = { { music.x + 10, 1, 60 },
                                                 { value + 10, 1, 50 },
                                                 { value + CMenuRowWidget::VALUE_WIDTH - 10, 1, 60 } };
    for( const auto& [ x, row, setting ] : clicks )
    {
        Click( x, music.y + music.h / 2 );
        EXPECT_EQ( menu->GetHighlight(), row );
        EXPECT_EQ( settings[ "music" ], setting ) << "at " << x;
    }
    EXPECT_EQ( GetDesktop()->FindWidgetAt( 5, 5 ), menu ) << "modal";
    EXPECT_EQ( menu->GetHighlightSprite()->GetY(), music.y );
    scene->Update();
    EXPECT_EQ( scene->CompareWithFreshDrawing(), "" );
    const types::rect resume = menu->GetRow( 0 )->GetRect();
    Click( resume.x + 10, resume.y + 10 );
    EXPECT_FALSE( menu->IsShown() );
    EXPECT_TRUE( Held() ) << "until the click has reached every listener";
    CTaskManager::GetSingletonPtr()->RunOnce();
    EXPECT_FALSE( Held() );
    EXPECT_EQ( GetDesktop()->FindWidgetAt( 5, 5 ), GetDesktop() );
}
