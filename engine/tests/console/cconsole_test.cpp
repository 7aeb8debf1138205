// The console language as a script author meets it: quoting, compound lines,
// comments, namespaces, argument typing and variables.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/testsupport.h"
#include "tarn/console/ccommand.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/console/cmainconsole.h"

using namespace tarn;

namespace {

// Remembers every call: its arguments as "s:text" / "n:number" / "e".
class CRecordingCommand final : public CCommand
{
public:
    explicit CRecordingCommand( std::string result = "ok" ) : myResult( std::move( result ) ) {}

    std::string Execute( CAnyContainer& args ) override
    {
        std::vector<std::string> call;
        for( std::size_t i = 0; i < args.Size(); ++i )
        {
            switch( args.GetType( i ) )
            {
            case CAnyContainer::TYPE_STRING: call.push_back( "s:" + args.GetString( i ) ); break;
            case CAnyContainer::TYPE_NUMBER: call.push_back( "n:" + args.GetString( i ) ); break;
            default: call.push_back( "e" ); break;
            }
        }
        calls.push_back( call );
        return myResult;
    }

    std::string Execute() override
    {
        ++bareCalls;
        return myResult;
    }

    std::vector<std::vector<std::string>> calls;
    int bareCalls = 0;

private:
    std::string myResult;
};

// A console that records the namespace calls it is asked to route.
class CRoutingConsole final : public CConsole
{
public:
    std::string ExecuteInNamespace( const std::string& ns, const std::string& rest ) override
    {
        routed.push_back( ns + "|" + rest );
        return "routed";
    }
    std::vector<std::string> routed;
};

class ConsoleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        console.AddCommand( "foo", &foo );
        console.AddCommand( "bar", &bar );
    }

    std::vector<std::string> Args( std::size_t call = 0 ) const
    {
        return call < foo.calls.size() ? foo.calls[ call ] : std::vector<std::string>{ "<no call>" };
    }

    CConsole console;
    CRecordingCommand foo;
    CRecordingCommand bar{ "from bar" };
};

using Strings = std::vector<std::string>;

} // namespace

TEST_F( ConsoleTest, CallsWithAndWithoutParentheses )
{
    EXPECT_EQ( console.Execute( "foo" ), "ok" );
    EXPECT_EQ( foo.bareCalls, 1 );

    EXPECT_EQ( console.Execute( "  FOO()  " ), "ok" );
    ASSERT_EQ( foo.calls.size(), 1u );
    EXPECT_TRUE( foo.calls[ 0 ].empty() );

    // A missing ")" makes a call without arguments.
    console.Execute( "foo( 1, 2" );
    EXPECT_EQ( foo.bareCalls, 2 );
}

TEST_F( ConsoleTest, ArgumentTyping )
{
    console.Execute( "foo( 5, -3.5, +2, 1.2.3, \"5\", abc, 12px )" );
    EXPECT_EQ( Args(), ( Strings{ "n:5", "n:-3.5", "n:2", "n:1.2", "s:5", "s:abc", "s:12px" } ) );
}

TEST_F( ConsoleTest, QuotesKeepBlanksAndCommas )
{
    console.Execute( "foo( \"a,b\", \"  two words \" , \"x(y)\" )" );
    EXPECT_EQ( Args(), ( Strings{ "s:a,b", "s:  two words ", "s:x(y)" } ) );
}

TEST_F( ConsoleTest, EmptyPiecesBetweenCommas )
{
    console.Execute( "foo( a,,b )" );
    console.Execute( "foo( a, , b )" );
    EXPECT_EQ( Args( 0 ), ( Strings{ "s:a", "s:b" } ) );
    EXPECT_EQ( Args( 1 ), ( Strings{ "s:a", "n:0", "s:b" } ) );
}

TEST_F( ConsoleTest, ArgumentsAreEvaluated )
{
    console.Execute( "v = hello" );
    console.Execute( "foo( bar(), v, nosuchname )" );
    EXPECT_EQ( Args(), ( Strings{ "s:from bar", "s:hello", "s:nosuchname" } ) );
    EXPECT_EQ( bar.calls.size(), 1u );
}

TEST_F( ConsoleTest, UnknownCommandReturnsItsTextAfterEvaluatingArguments )
{
    EXPECT_EQ( console.Execute( "  nosuch( bar() ) " ), "nosuch( bar() )" );
    EXPECT_EQ( bar.calls.size(), 1u );
}

TEST_F( ConsoleTest, NestedAssignmentsRunEachValueOnce )
{
    console.Execute( "x = nosuch( y = nosuch( bar() ) )" );
    EXPECT_EQ( bar.calls.size(), 1u );

    // Forty levels: twice the work at every level would never end.
    std::string line = "bar()";
    for( int i = 0; i < 40; ++i )
        line = "a=b(" + line + ")";
    console.Execute( line );
    EXPECT_EQ( bar.calls.size(), 2u );
}

TEST_F( ConsoleTest, Variables )
{
    EXPECT_EQ( console.Execute( "x = 5" ), "5" );
    EXPECT_EQ( console.Execute( "x" ), "5" );
    EXPECT_EQ( console.Execute( "X" ), "5" );
    EXPECT_EQ( console.Execute( "name = hello world" ), "hello world" );
    EXPECT_EQ( console.GetVariable( "NAME" ), "hello world" );
    // The right-hand side is evaluated.
    EXPECT_EQ( console.Execute( "y = bar" ), "from bar" );
    // An "=" inside quotes is not an assignment.
    EXPECT_EQ( console.Execute( "\"a=b\"" ), "\"a=b\"" );
    EXPECT_FALSE( console.HasVariable( "\"a" ) );
}

TEST_F( ConsoleTest, CaseSensitiveConsoleKeepsNamesApart )
{
    console.SetCaseSensitive( true );
    console.AddCommand( "Go", &foo );
    EXPECT_EQ( console.Execute( "Go" ), "ok" );
    EXPECT_EQ( console.Execute( "GO" ), "GO" );
}

TEST_F( ConsoleTest, CompoundLinesAndComments )
{
    EXPECT_EQ( console.Execute( "foo( 1 ); bar( 2 )" ), "ok\nfrom bar\n" );
    // The blank before the comment is a statement of its own, with no result.
    EXPECT_EQ( console.Execute( "foo( 1 ); // bar( 2 )" ), "ok\n\n" );
    EXPECT_EQ( console.Execute( "foo( \"a;b\" )" ), "ok" );
    EXPECT_EQ( Args( 2 ), ( Strings{ "s:a;b" } ) );

    EXPECT_EQ( console.Execute( "// foo()" ), "" );
    // A comment after a call without ";" executes nothing, even with a
    // leading blank before the "//".
    EXPECT_EQ( console.Execute( "foo() // trailing" ), "" );
    EXPECT_EQ( console.Execute( "   // indented" ), "" );
    EXPECT_EQ( console.Execute( "   \t " ), "" );
    EXPECT_EQ( foo.calls.size(), 3u );
    EXPECT_EQ( foo.bareCalls, 0 );
}

TEST( ConsoleNamespaces, RoutesTextAfterTheFirstDoubleColon )
{
    CRoutingConsole console;
    EXPECT_EQ( console.Execute( "Audio::PlayEffect( \"x.wav\" );" ), "routed\n" );
    EXPECT_EQ( console.Execute( "A::B::C" ), "routed" );
    EXPECT_EQ( console.Execute( " Game::Go() // and a comment" ), "routed" );
    EXPECT_EQ( console.Execute( "say( \"a::b\" )" ), "say( \"a::b\" )" );
    EXPECT_EQ( console.routed,
               ( Strings{ "Audio|PlayEffect( \"x.wav\" )", "A|B", " Game|Go() " } ) );
}

TEST( ConsoleNamespaces, PlainConsoleIgnoresTheNamespace )
{
    CConsole console;
    CRecordingCommand go;
    console.AddCommand( "Go", &go );
    EXPECT_EQ( console.Execute( "Game::Go( 3 )" ), "ok" );
    ASSERT_EQ( go.calls.size(), 1u );
    EXPECT_EQ( go.calls[ 0 ], ( Strings{ "n:3" } ) );
}

TEST( ConsoleFiles, LfAndCrLfScriptsRunAlike )
{
    test::ResetEngine();
    const std::string dir = test::MakeTempDir( "console_files" );
    test::WriteFile( dir + "/lf.txt", "a = 1\nb = \"two\"\n" );
    test::WriteFile( dir + "/crlf.txt", "c = 1\r\nd = \"two\"\r\n" );

    CConsole console;
    EXPECT_EQ( console.ExecuteFile( dir + "/lf.txt" ), "" );
    EXPECT_EQ( console.ExecuteFile( dir + "/crlf.txt" ), "" );
    EXPECT_EQ( console.ExecuteFile( dir + "/missing.txt" ), "" );
    EXPECT_EQ( console.GetVariable( "b" ), "\"two\"" );
    EXPECT_EQ( console.GetVariable( "c" ), console.GetVariable( "a" ) );
    EXPECT_EQ( console.GetVariable( "d" ), console.GetVariable( "b" ) );
}

TEST( ConsoleEcho, MainConsoleLogsLineAndResult )
{
    test::ResetEngine();
    test::CLogCapture log;
    CMainConsole console;
    console.Execute( "x = 7", true );
    console.Execute( "   ", true );
    console.Execute( "y = 8", false );
    EXPECT_EQ( log.Lines(), ( Strings{ "x = 7", "7", "   " } ) );
}

namespace {

// A call of f with the number 1 inside calls nested around it: MAX_NESTING
// lines deep for calls = MAX_NESTING - 1 (each call and the 1 is a line).
std::string NestedCalls( int calls )
{
    std::string line;
    for( int i = 0; i < calls; ++i )
        line += "f(";
    return line + "1" + std::string( calls, ')' );
}

} // namespace

TEST( ConsoleLimits, LinesNestedDeeperThanTheLimitAreRefusedWithAnError )
{
    test::ResetEngine();
    const int limit = CConsole::MAX_NESTING;
    const std::string refused = "Console: lines nested more than 200 deep, not executed: 1";
    for( const int calls : { limit - 1, limit } )
    {
        SCOPED_TRACE( calls );
        test::CLogCapture log;
        CConsole console;
        CRecordingCommand f;
        console.AddCommand( "f", &f );
        console.Execute( NestedCalls( calls ) );
        EXPECT_EQ( f.calls.size(), static_cast<std::size_t>( calls ) );
        EXPECT_EQ( log.Lines(), calls < limit ? Strings{} : Strings{ refused } );
        // The innermost call gets the 1 only when the line is within the
        // limit; the refused line gives nothing, read as 0.
        ASSERT_FALSE( f.calls.empty() );
        EXPECT_EQ( f.calls.front(), calls < limit ? Strings{ "n:1" } : Strings{ "n:0" } );
    }
}

TEST( ConsoleLimits, FarDeeperNestingStopsWithAnError )
{
    test::ResetEngine();
    test::CLogCapture log;
    CConsole console;
    CRecordingCommand f;
    console.AddCommand( "f", &f );

    // 100,000 calls make a line longer than any the console runs.
    console.Execute( NestedCalls( 100000 ) );
    EXPECT_TRUE( f.calls.empty() );
    EXPECT_EQ( log.Lines().size(), 1u );

    // Calls nested as deep as fit in a line.
    const int fit = static_cast<int>( ( CConsole::MAX_LINE_LENGTH - 1 ) / 3 );
    console.Execute( NestedCalls( fit ) );
    EXPECT_EQ( f.calls.size(), static_cast<std::size_t>( CConsole::MAX_NESTING ) );
    EXPECT_EQ( log.Lines().size(), 2u );

    // A script that loads itself ends too.
    const std::string dir = test::MakeTempDir( "nesting" );
    test::WriteFile( dir + "/self.txt", "load( \"" + dir + "/self.txt\" )\n" );
    GetConsole()->Execute( "load( \"" + dir + "/self.txt\" )" );
    EXPECT_EQ( log.Lines().size(), 3u );
    test::ResetEngine();
}

TEST( ConsoleLimits, LinesLongerThanTheLimitAreRefusedWithAnError )
{
    test::ResetEngine();
    const std::size_t limit = CConsole::MAX_LINE_LENGTH;
    // x = "...", as long as asked.
    const auto assignment = []( std::size_t length ) { return "x = \"" + std::string( length - 6, 'a' ) + "\""; };
    for( const std::size_t length : { limit, limit + 1, 100 * limit } )
    {
        SCOPED_TRACE( length );
        test::CLogCapture log;
        CConsole console;
        console.Execute( assignment( length ) );
        if( length == limit )
        {
            EXPECT_EQ( console.GetVariable( "x" ).size(), length - 4 );
            EXPECT_TRUE( log.Lines().empty() );
            continue;
        }
        EXPECT_FALSE( console.HasVariable( "x" ) );
        EXPECT_EQ( log.Lines(), ( Strings{ "Console: line of " + std::to_string( length )
                                           + " characters, longer than 65536, not executed: x = \""
                                           + std::string( 75, 'a' ) } ) );
    }
}

// A script's too long line is refused with its file and line number, and the
// lines after it still run.
TEST( ConsoleLimits, ScriptLinesLongerThanTheLimitAreSkippedWithTheirFileAndLine )
{
    test::ResetEngine();
    const std::size_t limit = CConsole::MAX_LINE_LENGTH;
    const std::string script = test::MakeTempDir( "long_lines" ) + "/script.txt";
    test::WriteFile( script, "a = 1\r\n" "b = \"" + std::string( limit - 6, 'b' ) + "\"\r\n" "c = \""
                                 + std::string( limit - 5, 'c' ) + "\"\n" "d = \"" + std::string( 100 * limit, 'd' )
                                 + "\"\n" "e = 5\n" );
    test::CLogCapture log;
    CConsole console;
    console.ExecuteFile( script );
    EXPECT_EQ( console.GetVariable( "a" ), "1" );
    EXPECT_EQ( console.GetVariable( "b" ).size(), limit - 4 );
    EXPECT_FALSE( console.HasVariable( "c" ) );
    EXPECT_FALSE( console.HasVariable( "d" ) );
    EXPECT_EQ( console.GetVariable( "e" ), "5" );
    EXPECT_EQ( log.Lines(), ( Strings{ "Console: line 3 of " + script + " has 65537 characters, more than 65536, not executed",
                                       "Console: line 4 of " + script + " has " + std::to_string( 100 * limit + 6 )
                                           + " characters, more than 65536, not executed" } ) );
}
