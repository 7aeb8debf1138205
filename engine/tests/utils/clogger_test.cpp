// The engine log as it lands in log.txt: line cutting, levels, indentation,
// the header, and Printf's buffer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/testsupport.h"
#include "tarn/utils/clogfile.h"
#include "tarn/utils/clogger.h"

using namespace tarn;
using Strings = std::vector<std::string>;

namespace {

Strings FileLines( const std::string& path )
{
    return test::SplitLines( test::ReadFile( path ) );
}

// The lines after the five-line header.
Strings Body( const std::string& path )
{
    Strings lines = FileLines( path );
    return lines.size() < 5 ? lines : Strings( lines.begin() + 5, lines.end() );
}

class LoggerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        dir = test::MakeTempDir( "logger" );
        path = dir + "/engine.log";
        GetLog().SetLogFile( path );
    }

    void TearDown() override { test::ResetEngine(); }

    std::string dir;
    std::string path;
};

} // namespace

TEST_F( LoggerTest, CutsTextIntoLinesAtEveryLineEnd )
{
    GetLog() << "abc";
    GetLog() << "def\n";
    GetLog() << "one\rtwo" << std::endl;
    GetLog() << "cr lf\r\n";
    GetLog() << std::string( "nul\0x\n", 6 );
    GetLog() << "never finished";
    EXPECT_EQ( Body( path ), ( Strings{ "( ) abcdef", "( ) one", "( ) two", "( ) cr lf", "( ) ", "( ) nul", "( ) x" } ) );
}

TEST_F( LoggerTest, LevelAppliesToTheNextLineOnly )
{
    GetLog().Warning() << "careful\nplain\n";
    GetLog().Error() << "broken" << 42 << "\n";
    GetLog().Debug() << "detail\n";
    EXPECT_EQ( Body( path ), ( Strings{ "(!) careful", "( ) plain", "<!> broken42", "(d) detail" } ) );
}

TEST_F( LoggerTest, IndentationNeverGoesBelowZero )
{
    GetLog().Indent();
    GetLog().Indent();
    GetLog() << "deep\n";
    GetLog().Unindent();
    GetLog() << "less\n";
    GetLog().Unindent();
    GetLog().Unindent();
    GetLog().Unindent();
    GetLog() << "left\n";
    GetLog().Indent();
    GetLog() << "one\n";
    EXPECT_EQ( Body( path ), ( Strings{ "( )     deep", "( )   less", "( ) left", "( )   one" } ) );
}

TEST_F( LoggerTest, HeaderOfANewFile )
{
    const Strings lines = FileLines( path );
    EXPECT_EQ( lines.size(), 5u );
    test::ExpectLogHeader( lines );
}

TEST_F( LoggerTest, SameFileAppendsAnotherIsCreatedAfresh )
{
    GetLog() << "first\n";
    // The file this process created last is appended to, without a header.
    CLogFile again( path, "Tarn version 0.23" );
    again.Write( "second\n", LOG_WARNING );
    EXPECT_EQ( Body( path ), ( Strings{ "( ) first", "(!) second" } ) );

    // Any other name is truncated and gets a header; so does the first name
    // once it is no longer the last one created.
    test::WriteFile( dir + "/other.log", "old contents\n" );
    CLogFile other( dir + "/other.log", "v" );
    EXPECT_EQ( FileLines( dir + "/other.log" ).size(), 5u );
    CLogFile fresh( path, "v" );
    EXPECT_EQ( FileLines( path ).size(), 5u );
}

TEST_F( LoggerTest, PrintfNeverOverflowsAndSaysWhenItCuts )
{
    GetLog().Printf( "%s %d\n", "short", 7 );
    const std::string huge( 3000, 'x' );
    GetLog().Printf( "%s\n", huge.c_str() );
    GetLog() << "after\n";

    const Strings body = Body( path );
    ASSERT_EQ( body.size(), 4u );
    EXPECT_EQ( body[ 0 ], "( ) short 7" );
    EXPECT_EQ( body[ 1 ], "( ) " + std::string( 1023, 'x' ) );
    EXPECT_EQ( body[ 2 ], "(!) CLogger::Printf cut a message of 3001 characters to 1023" );
    EXPECT_EQ( body[ 3 ], "( ) after" );
}

TEST_F( LoggerTest, ListenersSeeEveryLevelIncludingDebug )
{
    test::CLogCapture capture;
    GetLog().Debug() << "d\n";
    GetLog().Indent();
    GetLog() << "n\n";
    using Entry = std::pair<std::string, int>;
    EXPECT_EQ( capture.LinesWithLevels(),
               ( std::vector<Entry>{ { "d", LOG_DEBUG }, { "", LOG_INDENT }, { "n", LOG_NORMAL } } ) );
}

TEST_F( LoggerTest, EmptyFileNameStopsWritingButListenersStillHear )
{
    GetLog() << "before\n";
    GetLog().SetLogFile( "" );
    test::CLogCapture capture;
    GetLog().Error() << "after\n";
    EXPECT_EQ( Body( path ), ( Strings{ "( ) before" } ) );
    EXPECT_TRUE( capture.Contains( "after" ) );
    GetLog().SetLogFile( path );
    GetLog() << "again\n";
    EXPECT_EQ( Body( path ), ( Strings{ "( ) before", "( ) again" } ) );
}
