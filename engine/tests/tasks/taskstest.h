// What the task tests share: a fresh engine on a hand-moved clock with a
// private folder, and a listener that writes down every input event.
#ifndef TARN_TESTS_TASKS_TASKSTEST_H
#define TARN_TESTS_TASKS_TASKSTEST_H

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/testsupport.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/tasks/ctaskfactory.h"

namespace tarn {
namespace test {

using Strings = std::vector<std::string>;
using LevelLines = std::vector<std::pair<std::string, int>>;

// Each event as a line after the engine time ("1000 move 10,20"); relative
// motion apart, as a recording does not carry it. onPress runs after a press
// is written down.
class CInputLog final : public CKeyboardListener, public CMouseListener, public CFocusListener, public CResizeListener
{
public:
    void OnKeyDown( int key ) override { Add( "down " + Pair( key, GetCharacter() ) ); }
    void OnKeyUp( int key ) override { Add( "up " + Pair( key, GetCharacter() ) ); }
    void OnMouseMove( int x, int y ) override { Add( "move " + Pair( x, y ) ); }
    void OnMouseMoveRelative( int dx, int dy ) override { relative.push_back( Pair( dx, dy ) ); }
    void OnButtonDown( int button ) override
    {
        Add( "press " + std::to_string( button ) );
        if( onPress )
            onPress();
    }
    void OnButtonUp( int button ) override { Add( "release " + std::to_string( button ) ); }
    void OnActivate( bool gained ) override { Add( gained ? "focus" : "no focus" ); }
    void OnResize( int w, int h ) override { Add( "size " + Pair( w, h ) ); }
    static std::string Pair( int a, int b ) { return std::to_string( a ) + "," + std::to_string( b ); }
    void Add( const std::string& event ) { events.push_back( std::to_string( EngineTime() ) + " " + event ); }

    Strings events;
    Strings relative;
    std::function<void()> onPress;
};

// Set up in the constructor, so that members of derived fixtures may use the engine.
class TasksTest : public ::testing::Test
{
protected:
    TasksTest()
    {
        ResetEngine();
        CInputDispatcher* dispatcher = CInputDispatcher::GetSingletonPtr();
        dispatcher->AddKeyboardListener( &input );
        dispatcher->AddMouseListener( &input );
        dispatcher->AddFocusListener( &input );
        dispatcher->AddResizeListener( &input );
    }
    void TearDown() override
    {
        ResetEngine();
        clock.reset();
    }

    static std::string Run( const std::string& line ) { return GetConsole()->Execute( line ); }
    template <class Task>
    static Task* Find( const std::string& name )
    {
        return dynamic_cast<Task*>( CTaskFactory::GetSingletonPtr()->FindTask( name ) );
    }

    std::unique_ptr<CManualClock> clock = std::make_unique<CManualClock>( 1000 );
    std::string dir = MakeTempDir( "tasks" );
    CInputLog input;
};

} // namespace test
} // namespace tarn

#endif
