// The engine log as it lands in log.txt: line cutting, levels, indentation,
// the header, Printf's buffer, and the listeners.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/testsupport.h"
#include "tarn/utils/clogfile.h"
#include "tarn/utils/clogger.h"

using namespace tarn;
using Strings = std::vector<std::string>;

namespace {

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
    static Strings FileLines( const std::string& file ) { return test::SplitLines( test::ReadFile( file ) ); }
    // The lines after the five-line header.
    Strings Body() const
    {
        const Strings lines = FileLines( path );
        return lines.size() < 5 ? lines : Strings( lines.begin() + 5, lines.end() );
    }

    std::string dir;
    std::string path;
};

} // namespace

TEST_F( LoggerTest, CutsLinesAtEveryLineEndWithTheLevelAndIndentOfEach )
{
    GetLog() << "abc";
    GetLog() << "def\n";
    GetLog() << "one\rtwo" << std::endl;
    GetLog() << "cr lf\r\n";
    GetLog() << std::string( "nul\0x\n", 6 );
    // A level applies to the next line only.
    GetLog().Warning() << "careful\nplain\n";
    GetLog().Error() << "broken" << 42 << "\n";
    GetLog().Debug() << "detail\n";
    // Indentation never goes below zero.
    GetLog().Indent();
    GetLog().Indent();
    GetLog() << "deep\n";
    GetLog().Unindent();
    GetLog() << "less\n";
    for( int i = 0; i < 3; ++i )
        GetLog().Unindent();
    GetLog() << "left\n";
    GetLog().Indent();
    GetLog() << "one\n";
    GetLog().Unindent();
    // Printf never overflows its buffer and says when it cuts.
    GetLog().Printf( "%s %d\n", "short", 7 );
    GetLog().Printf( "%s\n", std::string( 3000, 'x' ).c_str() );
    GetLog() << "after\n";
    GetLog() << "never finished";
    EXPECT_EQ( Body(), ( Strings{ "( ) abcdef", "( ) one", "( ) two", "( ) cr lf", "( ) ", "( ) nul", "( ) x",
                                  "(!) careful", "( ) plain", "<!> broken42", "(d) detail", "( )     deep",
                                  "( )   less", "( ) left", "( )   one", "( ) short 7",
                                  "( ) " + std::string( 1023, 'x' ),
                                  "(!) CLogger::Printf cut a message of 3001 characters to 1023",
                                  "( ) after" } ) );
}

TEST_F( LoggerTest, TheSameFileIsAppendedToAndAnotherCreatedAfreshWithAHeader )
{
    EXPECT_EQ( FileLines( path ).size(), 5u );
    test::ExpectLogHeader( FileLines( path ) );
    GetLog() << "first\n";
    // The file this process created last is appended to, without a header.
    CLogFile again( path, "Tarn version 0.23" );
    again.Write( "second\n", LOG_WARNING );
    EXPECT_EQ( Body(), ( Strings{ "( ) first", "(!) second" } ) );
    // Any other name is truncated and gets a header; so does the first name
    // once it is no longer the last one created.
    test::WriteFile( dir + "/other.log", "old contents\n" );
    CLogFile other( dir + "/other.log", "v" );
    EXPECT_EQ( FileLines( dir + "/other.log" ).size(), 5u );
    CLogFile fresh( path, "v" );
    EXPECT_EQ( FileLines( path ).size(), 5u );
}

TEST_F( LoggerTest, ListenersHearEveryLevelAlsoWithoutAFile )
{
    test::CLogCapture capture;
    GetLog().Debug() << "d\n";
    GetLog().Indent();
    GetLog() << "n\n";
    using Entry = std::pair<std::string, int>;
    EXPECT_EQ( capture.LinesWithLevels(),
               ( std::vector<Entry>{ { "d", LOG_DEBUG }, { "", LOG_INDENT }, { "n", LOG_NORMAL } } ) );
    // An empty file name stops the writing until a name is given again.
    GetLog().Unindent();
    GetLog().SetLogFile( "" );
    GetLog().Error() << "after\n";
    EXPECT_TRUE( capture.Contains( "after" ) );
    GetLog().SetLogFile( path );
    GetLog() << "again\n";
    EXPECT_EQ( Body(), ( Strings{ "(d) d", "( )   n", "( ) again" } ) );
}
