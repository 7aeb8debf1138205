// Fake threads run by the main loop's scheduler on a replaced clock.
#include <gtest/gtest.h>

#include <memory>

#include "support/testsupport.h"
#include "tarn/tasks/cfakethread.h"

using namespace tarn;

namespace {

// Counts its slices and kills itself after a number of them.
class CSliceCounter final : public CFakeThread
{
public:
    CSliceCounter( int* slices, bool* deleted, int lifetime ) :
        mySlices( slices ), myDeleted( deleted ), myLifetime( lifetime )
    {
    }
    ~CSliceCounter() override { *myDeleted = true; }

    void Run() override
    {
        if( ++*mySlices >= myLifetime )
            Kill();
    }

private:
    int* mySlices;
    bool* myDeleted;
    int myLifetime;
};

class FakeThreadTest : public ::testing::Test
{
protected:
    void SetUp() override { test::ResetEngine(); }
    void TearDown() override { DeleteAllFakeThreads(); }

    test::CManualClock clock{ 5000 };
};

} // namespace

TEST_F( FakeThreadTest, StartedThreadRunsAtOnceThenEveryInterval )
{
    int slices = 0;
    bool deleted = false;
    CFakeThread* thread = StartFakeThread( std::make_unique<CSliceCounter>( &slices, &deleted, 100 ) );
    thread->SetInterval( 30 );

    RunFakeThreads( 0 );
    EXPECT_EQ( slices, 0 ) << "a thread waits paused until started";

    thread->Start();
    RunFakeThreads( 0 );
    EXPECT_EQ( slices, 1 );
    clock.Advance( 29 );
    RunFakeThreads( 0 );
    EXPECT_EQ( slices, 1 );
    clock.Advance( 1 );
    RunFakeThreads( 0 );
    EXPECT_EQ( slices, 2 );
    EXPECT_FALSE( deleted );

    // Threads still running are deleted with all the others, here while the
    // flag they set still exists.
    DeleteAllFakeThreads();
    EXPECT_TRUE( deleted );
}

TEST_F( FakeThreadTest, ThreadThatKillsItselfIsDeletedByTheScheduler )
{
    int slices = 0;
    bool deleted = false;
    CFakeThread* thread = StartFakeThread( std::make_unique<CSliceCounter>( &slices, &deleted, 2 ) );
    thread->SetInterval( 10 );
    thread->Start();

    RunFakeThreads( 0 );
    EXPECT_FALSE( deleted );
    clock.Advance( 10 );
    RunFakeThreads( 0 );
    EXPECT_EQ( slices, 2 );
    EXPECT_TRUE( deleted );
    RunFakeThreads( 0 );
    EXPECT_EQ( slices, 2 );
}

TEST_F( FakeThreadTest, OneWalkStopsAtTheFirstThreadNotDue )
{
    int firstSlices = 0, secondSlices = 0;
    bool firstDeleted = false, secondDeleted = false;
    CFakeThread* first = StartFakeThread( std::make_unique<CSliceCounter>( &firstSlices, &firstDeleted, 100 ) );
    CFakeThread* second = StartFakeThread( std::make_unique<CSliceCounter>( &secondSlices, &secondDeleted, 100 ) );
    second->Start();

    // The paused thread at the front hides the one behind it.
    RunFakeThreads( 0 );
    EXPECT_EQ( secondSlices, 0 );
    first->Start();
    RunFakeThreads( 0 );
    EXPECT_EQ( firstSlices, 1 );
    EXPECT_EQ( secondSlices, 1 );

    DeleteAllFakeThreads();
    EXPECT_TRUE( firstDeleted && secondDeleted );
}
