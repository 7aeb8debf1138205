// Recording mouse input to a record file: a line with the random start value, then one line per
// event stamped with the engine clock.
#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "support/testsupport.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/tasks/cinputrecorder.h"
#include "tarn/utils/random.h"

using namespace tarn;
using Strings = std::vector<std::string>;

namespace {

class RecorderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        clock = std::make_unique<test::CManualClock>( 1000 );
        path = test::MakeTempDir( "recorder" ) + "/input.txt";
    }
    void TearDown() override
    {
        test::ResetEngine();
        clock.reset();
    }

    Strings Lines() const { return test::SplitLines( test::ReadFile( path ) ); }

    std::unique_ptr<test::CManualClock> clock;
    std::string path;
};

} // namespace

TEST_F( RecorderTest, MouseEventsBecomeLinesWithTheirEngineTime )
{
    CInputRecorder recorder( path );
    CInputDispatcher* dispatcher = CInputDispatcher::GetSingletonPtr();
    clock->Set( 5000 );
    dispatcher->NotifyMouseMove( 10, 20, 3, -2 );
    clock->Set( 5016 );
    dispatcher->NotifyButtonDown( MOUSE_BUTTON_LEFT );
    dispatcher->NotifyButtonDown( MOUSE_BUTTON_RIGHT );
    clock->Set( 5033 );
    dispatcher->NotifyButtonUp( MOUSE_BUTTON_LEFT );
    dispatcher->NotifyMouseMove( -4, 700, 0, 0 );
    // Keys are not recorded.
    dispatcher->NotifyKeyDown( 97, 'a' );

    const Strings lines = Lines();
    ASSERT_EQ( lines.size(), 6u );
    EXPECT_EQ( lines[ 0 ], std::to_string( recorder.GetRandomStart() ) );
    EXPECT_EQ( Strings( lines.begin() + 1, lines.end() ),
               ( Strings{ "5000 mm 10 20", "5016 md 1", "5016 md 4", "5033 mu 1", "5033 mm -4 700" } ) );
}

TEST_F( RecorderTest, TheSeedIsTheCalendarTimeAndSeedsTheUniformGenerator )
{
    const auto before = static_cast<std::uint32_t>( std::time( nullptr ) );
    CInputRecorder recorder( path );
    const auto after = static_cast<std::uint32_t>( std::time( nullptr ) );
    EXPECT_GE( recorder.GetRandomStart(), before );
    EXPECT_LE( recorder.GetRandomStart(), after );

    const double drawn = UniformRandom();
    StartUniformRandom( recorder.GetRandomStart() );
    EXPECT_EQ( UniformRandom(), drawn );
}

TEST_F( RecorderTest, AnOldFileIsStartedAfreshAndNothingIsAddedAfterTheEnd )
{
    test::WriteFile( path, "old\nlines\n" );
    {
        CInputRecorder recorder( path );
        CInputDispatcher::GetSingletonPtr()->NotifyButtonUp( MOUSE_BUTTON_MIDDLE );
    }
    CInputDispatcher::GetSingletonPtr()->NotifyButtonUp( MOUSE_BUTTON_LEFT );
    const Strings lines = Lines();
    ASSERT_EQ( lines.size(), 2u );
    EXPECT_EQ( lines[ 1 ], "1000 mu 2" );
}

TEST_F( RecorderTest, AFileThatCannotBeWrittenIsReportedOnce )
{
    test::CLogCapture log;
    const std::string bad = path + "/no/such/dir/input.txt";
    CInputRecorder recorder( bad );
    CInputDispatcher::GetSingletonPtr()->NotifyMouseMove( 1, 2, 0, 0 );
    CInputDispatcher::GetSingletonPtr()->NotifyMouseMove( 3, 4, 0, 0 );
    EXPECT_EQ( log.Lines(), Strings{ "RecordInput - could not write the record file " + bad } );
}
