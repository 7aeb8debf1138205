// Timed tasks on a replaced engine clock: due times, catching up, pause and
// resume, and the queue becoming empty.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/testsupport.h"
#include "tarn/tasks/ctask.h"
#include "tarn/tasks/ctaskmanager.h"

using namespace tarn;

namespace {

class CCountingTask final : public CTask
{
public:
    explicit CCountingTask( types::ticks interval ) { SetInterval( interval ); }
    void Update() override { ++updates; }
    void Exit() override { ++exits; }
    int updates = 0;
    int exits = 0;
};

class TimedTasksTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        manager = CTaskManager::GetSingletonPtr();
    }
    void TearDown() override { test::ResetEngine(); }

    bool TimedTasksRunning() const
    {
        for( CTask* task : manager->GetRunningTasks() )
        {
            if( task->GetName() == "TimedTasks" )
                return true;
        }
        return false;
    }

    test::CManualClock clock{ 1000 };
    CTaskManager* manager = nullptr;
};

} // namespace

TEST_F( TimedTasksTest, WaitsPausedUntilTheFirstTimedTask )
{
    EXPECT_FALSE( TimedTasksRunning() );
    CCountingTask task( 100 );
    manager->AddTask( &task );
    EXPECT_TRUE( TimedTasksRunning() );
}

TEST_F( TimedTasksTest, RunsAfterTheDueTickAndCatchesUpWhenLate )
{
    CCountingTask task( 100 );
    manager->AddTask( &task ); // due at 1100

    clock.Set( 1100 );
    manager->RunOnce();
    EXPECT_EQ( task.updates, 0 ) << "not run at exactly its due tick";

    clock.Set( 1101 );
    manager->RunOnce();
    EXPECT_EQ( task.updates, 1 );

    // Three and a half intervals late: due 1200, 1300, 1400 are behind 1450.
    clock.Set( 1450 );
    manager->RunOnce();
    EXPECT_EQ( task.updates, 4 );
}

TEST_F( TimedTasksTest, PausedTaskIsNotRunAndResumesOneIntervalLater )
{
    CCountingTask task( 50 );
    manager->AddTask( &task );
    manager->PauseTask( &task );
    clock.Advance( 500 );
    manager->RunOnce();
    EXPECT_EQ( task.updates, 0 );

    manager->ResumeTask( &task );
    clock.Advance( 50 );
    manager->RunOnce();
    EXPECT_EQ( task.updates, 0 );
    clock.Advance( 1 );
    manager->RunOnce();
    EXPECT_EQ( task.updates, 1 );
}

TEST_F( TimedTasksTest, KilledTaskExitsOnceAndAnEmptyQueueLetsTheLoopEnd )
{
    CCountingTask task( 10 );
    manager->AddTask( &task );
    manager->KillTask( &task );
    manager->KillTask( &task );
    EXPECT_EQ( task.exits, 1 );

    clock.Advance( 1000 );
    // The emptied queue is never read; the timed-task runner goes back to
    // waiting, so with nothing else running the loop ends.
    EXPECT_EQ( manager->Run(), 0 );
    EXPECT_EQ( task.updates, 0 );
    EXPECT_FALSE( TimedTasksRunning() );

    // A new timed task wakes it up again.
    CCountingTask next( 10 );
    manager->AddTask( &next );
    EXPECT_TRUE( TimedTasksRunning() );
}

TEST_F( TimedTasksTest, TaskThatFailsInitWaitsUntilResumed )
{
    class CLazy final : public CTask
    {
    public:
        CLazy() { SetInterval( 20 ); }
        using CTask::Init;
        bool Init() override { return false; }
        void Update() override { ++updates; }
        int updates = 0;
    } lazy;

    manager->AddTask( &lazy );
    EXPECT_FALSE( TimedTasksRunning() );
    manager->ResumeTask( &lazy );
    clock.Advance( 21 );
    manager->RunOnce();
    EXPECT_EQ( lazy.updates, 1 );
}
