// Keys as scripts see them: names in both directions, "bind" for one key, a
// key code and a combination, and the order in which handlers hear a key.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/testsupport.h"
#include "tarn/console/ccommandfunction.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/inputdevice/ckeyboard.h"
#include "tarn/inputdevice/keynames.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskkeyboard.h"
#include "tarn/tasks/ctaskmanager.h"

using namespace tarn;

namespace {


TEST( KeyNames, EveryNamedKeyGoesBothWays )
{
    int named = 0;
    for( int key = -5; key < 1000; ++key )
    {
        const std::string name = KeyToName( key );
        if( name == "unknown key" )
            continue;
        ++named;
        EXPECT_EQ( key, NameToKey( name ) ) << name;
    }
    EXPECT_EQ( 231, named );

    const std::vector<std::pair<int, std::string>> samples = {
        { 8, "backspace" }, { 27, "escape" },    { 32, "space" },     { 34, "\"" },       { 36, "$" },
        { 38, "&" },        { 64, "@" },         { 91, "[" },         { 92, "\\" },       { 95, "_" },
        { 96, "backquote" }, { 97, "a" },        { 122, "z" },        { 127, "delete" },  { 160, "world_0" },
        { 255, "world_95" }, { 256, "[0]" },     { 265, "[9]" },      { 266, "[.]" },     { 270, "[+]" },
        { 271, "enter" },   { 272, "equals" },   { 273, "up" },       { 281, "page_down" }, { 282, "f1" },
        { 296, "f15" },     { 300, "numlock" },  { 306, "left_ctrl" }, { 313, "alt_gr" },  { 322, "undo" },
    };
    for( const auto& [ key, name ] : samples )
    {
        EXPECT_EQ( name, KeyToName( key ) ) << key;
        EXPECT_EQ( key, NameToKey( name ) ) << name;
    }
    for( int unnamed : { 0, 37, 65, 90, 128, 159, 297, 299, 323, 1000, -1 } )
        EXPECT_EQ( "unknown key", KeyToName( unnamed ) ) << unnamed;
    EXPECT_EQ( 0, NameToKey( "Escape" ) ) << "names are case-sensitive";
    EXPECT_EQ( 0, NameToKey( "" ) );
}

// A started "keyboard" task and a main-console command "hit" that counts
// its calls.
class BindTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        GetConsole()->AddCommand( "hit", &hitCommand );
        CTaskFactory::GetSingletonPtr()->StartTask( "keyboard", "Keyboard", 30, nullptr );
        task = static_cast<CTaskKeyboard*>( CTaskFactory::GetSingletonPtr()->FindTask( "Keyboard" ) );
    }
    void TearDown() override { test::ResetEngine(); }

    std::string Bind( const std::string& arguments ) { return task->GetTaskConsole()->Execute( "bind" + arguments ); }

    // Key events as the event task delivers them, then one pass.
    void Press( int key )
    {
        CInputDispatcher::GetSingletonPtr()->NotifyKeyDown( key, 0 );
        CTaskManager::GetSingletonPtr()->RunOnce();
    }
    void Release( int key )
    {
        CInputDispatcher::GetSingletonPtr()->NotifyKeyUp( key, 0 );
        CTaskManager::GetSingletonPtr()->RunOnce();
    }

    int hits = 0;
    CCommandFunction hitCommand{ [ this ]( CAnyContainer* ) {
        ++hits;
        return std::string();
    } };
    CTaskKeyboard* task = nullptr;
};

TEST_F( BindTest, AKeyNameRunsItsCommandOnPressAndOnRelease )
{
    GetConsole()->Execute( "Keyboard::bind( space, \"hit\" )" );
    Press( KEY_SPACE );
    EXPECT_EQ( 1, hits );
    EXPECT_TRUE( GetKeyboard()->IsKeyDown( KEY_SPACE ) );
    Release( KEY_SPACE );
    EXPECT_EQ( 2, hits );
    EXPECT_FALSE( GetKeyboard()->IsKeyDown( KEY_SPACE ) );
    Press( KEY_S );
    EXPECT_EQ( 2, hits );
}

TEST_F( BindTest, AKeyCodeIsBoundDirectly )
{
    EXPECT_EQ( "", Bind( "( 32, \"hit\" )" ) );
    Press( KEY_SPACE );
    Release( KEY_SPACE );
    EXPECT_EQ( 2, hits );
}

TEST_F( BindTest, ACombinationRunsWhenItsLastKeyGoesDown )
{
    EXPECT_EQ( "", Bind( "( \"left_ctrl s\", \"hit\" )" ) );
    Press( KEY_LEFT_CTRL );
    EXPECT_EQ( 0, hits );
    Press( KEY_S );
    EXPECT_EQ( 1, hits );
    Release( KEY_S );
    Release( KEY_LEFT_CTRL );
    EXPECT_EQ( 1, hits ) << "releasing runs nothing";

    Press( KEY_S );
    Press( KEY_LEFT_CTRL );
    EXPECT_EQ( 2, hits );
    Release( KEY_LEFT_CTRL );
    Release( KEY_S );
    EXPECT_EQ( 2, hits );
}

TEST_F( BindTest, PrioritiesPastTheIntRangeAreHeldAtItsEnds )
{
    std::vector<int> order;
    CCommandFunction note( [ &order ]( CAnyContainer* args ) {
        order.push_back( static_cast<int>( args->GetNumber( 0 ) ) );
        return std::string();
    } );
    GetConsole()->AddCommand( "note", &note );
    Bind( "( space, \"note( 3 )\", 99999999999 )" );
    Bind( "( space, \"note( 1 )\", -99999999999 )" );
    Bind( "( space, \"note( 2 )\", 5 )" );
    Press( KEY_SPACE );
    EXPECT_EQ( order, ( std::vector<int>{ 1, 2, 3 } ) );
}

TEST_F( BindTest, MisusedBindAnswersWithItsErrorText )
{
    const std::string error = "[ERROR] You cannot bind unless you give us something to bind to something\n";
    EXPECT_EQ( error, task->GetTaskConsole()->Execute( "bind" ) );
    EXPECT_EQ( error, Bind( "( \"space\" )" ) );
    EXPECT_EQ( error, Bind( "( space, 5 )" ) );
    EXPECT_EQ( error, Bind( "()" ) );
    // Codes outside the key-state table bind nothing.
    EXPECT_EQ( error, Bind( "( 323, \"hit\" )" ) );
    EXPECT_EQ( error, Bind( "( -1, \"hit\" )" ) );
    EXPECT_EQ( error, Bind( "( 99999999999, \"hit\" )" ) );
    CInputDispatcher::GetSingletonPtr()->NotifyKeyDown( 323, 0 );
    CTaskManager::GetSingletonPtr()->RunOnce();
    EXPECT_EQ( 0, hits );
}

// Records the order in which handlers hear keys.
class CTracingHandler final : public CKeyHandler
{
public:
    CTracingHandler( std::vector<std::string>& trace, std::string name, bool consumes = false, bool active = true ) :
        myTrace( trace ), myName( std::move( name ) ), myConsumes( consumes ), myActive( active )
    {
    }
    void Fire( int ) override {}
    void OnDown( int ) override { myTrace.push_back( myName + " down" ); }
    void OnUp( int ) override { myTrace.push_back( myName + " up" ); }
    bool IsActive() const override { return myActive; }
    bool ConsumesEvent() const override { return myConsumes; }

private:
    std::vector<std::string>& myTrace;
    std::string myName;
    bool myConsumes;
    bool myActive;
};

TEST( Keyboard, HandlersHearAKeyByPriorityUntilOneConsumesIt )
{
    test::ResetEngine();
    std::vector<std::string> trace;
    CKeyboard* keyboard = GetKeyboard();
    keyboard->AddBinding( KEY_S, std::make_shared<CTracingHandler>( trace, "late" ), 20 );
    keyboard->AddBinding( KEY_S, std::make_shared<CTracingHandler>( trace, "early" ), 5 );
    keyboard->AddBinding( KEY_S, std::make_shared<CTracingHandler>( trace, "sleepy", false, false ), 7 );
    keyboard->AddGlobalHandler( std::make_shared<CTracingHandler>( trace, "global" ), 5 );
    keyboard->AddGlobalHandler( std::make_shared<CTracingHandler>( trace, "greedy", true ), 30 );
    keyboard->AddBinding( KEY_S, std::make_shared<CTracingHandler>( trace, "never" ), 40 );

    CInputDispatcher::GetSingletonPtr()->NotifyKeyDown( KEY_S, 's' );
    CInputDispatcher::GetSingletonPtr()->NotifyKeyUp( KEY_S, 's' );
    CInputDispatcher::GetSingletonPtr()->NotifyKeyDown( KEY_SPACE, ' ' );
    keyboard->Update();

    // Presses first, then releases; a key without bindings reaches no one.
    const std::vector<std::string> expected = { "global down", "early down", "late down", "greedy down",
                                                "global up",   "early up",   "sleepy up", "late up",
                                                "greedy up" };
    EXPECT_EQ( expected, trace );
    EXPECT_TRUE( keyboard->IsKeyDown( KEY_SPACE ) );
    test::ResetEngine();
}

} // namespace
