// The console language as a script author meets it, and the commands every
// script has in the main console, with their result texts and log lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "harness/fuzzconsole.h"
#include "support/fuzzreplay.h"
#include "support/testsupport.h"
#include "tarn/console/ccommandfunction.h"
#include "tarn/console/ccompletion.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsolehelp.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/console/cmainconsole.h"
#include "tarn/console/csettingsfile.h"
#include "tarn/console/csettingvar.h"
#include "tarn/tasks/ctask.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"

using namespace tarn;
using Strings = std::vector<std::string>;

namespace {

// A task whose console holds two commands, one with help and one without.
class CHelpedTask final : public CTask
{
public:
    CHelpedTask()
    {
        myConsole.AddCommand( "PlayMusic", &myPlay );
        myConsole.AddCommand( "Bare", &myBare );
        myConsole.SetVariable( "volume", "7" );
    }
    const CConsole* GetCommandConsole() const override { return &myConsole; }

private:
    CCommandFunction myPlay{ []( CAnyContainer* ) { return ""; }, "PlayMusic( \"file\" )", "Plays the music, looping." };
    CCommandFunction myBare{ []( CAnyContainer* ) { return ""; } };
    CConsole myConsole;
};

// What the probe tasks went through: "Init(...)", their commands, "Exit".
Strings gProbe;

class CProbeTask final : public CTask
{
public:
    using CTask::Init;
    bool Init( CAnyContainer* parameters ) override
    {
        gProbe.push_back( test::DescribeCall( "Init", parameters ) );
        return true;
    }
    void Exit() override { gProbe.push_back( "Exit" ); }
    bool HandleCommand( const std::string& command ) override
    {
        gProbe.push_back( command );
        return true;
    }
};

// A plain console with the commands foo and bar, which note their calls in
// trace; and the engine's main console with a "probe" task type.
class ConsoleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::ResetEngine();
        gProbe.clear();
        CTaskFactory::GetSingletonPtr()->RegisterTaskType( "probe", [] { return std::make_unique<CProbeTask>(); } );
        console.AddCommand( "foo", &foo );
        console.AddCommand( "bar", &bar );
        log = std::make_unique<test::CLogCapture>();
    }
    void TearDown() override
    {
        log.reset();
        test::ResetEngine();
    }

    CCommandFunction::Function Tracing( const std::string& name, const std::string& result )
    {
        return [ this, name, result ]( CAnyContainer* args ) {
            trace.push_back( test::DescribeCall( name, args ) );
            return result;
        };
    }
    std::string Run( const std::string& line ) { return GetConsole()->Execute( line ); }
    CTask* Task( const std::string& name ) { return CTaskFactory::GetSingletonPtr()->FindTask( name ); }

    Strings trace;
    CCommandFunction foo{ Tracing( "foo", "ok" ) };
    CCommandFunction bar{ Tracing( "bar", "from bar" ) };
    CConsole console;
    std::unique_ptr<test::CLogCapture> log;
};

} // namespace

// Run in this order on one console; each line gives its result and the
// commands it called.
TEST_F( ConsoleTest, LinesGiveTheirResultAndCallTheirCommands )
{
    const std::tuple<const char*, const char*, Strings> cases[] = {
        { "foo", "ok", { "foo" } }, { "  FOO()  ", "ok", { "foo()" } },
        // A missing ")" makes a call without arguments.
        { "foo( 1, 2", "ok", { "foo" } },
        { "foo( 5, -3.5, +2, 1.2.3, \"5\", abc, 12px )", "ok", { "foo(n:5; n:-3.5; n:2; n:1.2; s:5; s:abc; s:12px)" } },
        // Quotes keep blanks, commas and parentheses; an empty piece is left
        // out and a blank one is 0.
        { "foo( \"a,b\", \"  two words \" , \"x(y)\" )", "ok", { "foo(s:a,b; s:  two words ; s:x(y))" } },
        { "foo( a,,b )", "ok", { "foo(s:a; s:b)" } }, { "foo( a, , b )", "ok", { "foo(s:a; n:0; s:b)" } },
        // Arguments and assigned values are lines of their own.
        { "v = hello", "hello", {} }, { "y = bar", "from bar", { "bar" } },
        { "foo( bar(), v, nosuchname )", "ok", { "bar()", "foo(s:from bar; s:hello; s:nosuchname)" } },
        { "  nosuch( bar() ) ", "nosuch( bar() )", { "bar()" } },
        { "x = 5", "5", {} }, { "X", "5", {} }, { "name = hello world", "hello world", {} },
        // An "=" or ";" inside quotes is neither an assignment nor a separator.
        { "\"a=b\"", "\"a=b\"", {} }, { "foo( \"a;b\" )", "ok", { "foo(s:a;b)" } },
        { "foo( 1 ); bar( 2 )", "ok\nfrom bar\n", { "foo(n:1)", "bar(n:2)" } },
        // The blank before the comment is a statement of its own, with no result.
        { "foo( 1 ); // bar( 2 )", "ok\n\n", { "foo(n:1)" } },
        // A comment after a call without ";" executes nothing.
        { "// foo()", "", {} }, { "foo() // trailing", "", {} }, { "   // indented", "", {} }, { "   \t ", "", {} },
        // This console ignores the namespace.
        { "Game::foo( 3 )", "ok", { "foo(n:3)" } },
    };
    for( const auto& [ line, result, calls ] : cases )
    {
        SCOPED_TRACE( line );
        trace.clear();
        EXPECT_EQ( console.Execute( line ), result );
        EXPECT_EQ( trace, calls );
    }
    EXPECT_EQ( console.GetVariable( "NAME" ), "hello world" );
    EXPECT_FALSE( console.HasVariable( "\"a" ) );
    // Assigned values run once: twice at each of forty levels would never end.
    std::string line = "bar()";
    for( int i = 0; i < 40; ++i )
        line = "a=b(" + line + ")";
    trace.clear();
    console.Execute( line );
    EXPECT_EQ( trace.size(), 1u );
    console.SetCaseSensitive( true );
    console.AddCommand( "Go", &foo );
    EXPECT_EQ( std::make_tuple( console.Execute( "Go" ), console.Execute( "GO" ) ), std::make_tuple( "ok", "GO" ) );
    EXPECT_TRUE( log->Lines().empty() );
    CMainConsole main;
    main.Execute( "x = 7", true );
    main.Execute( "   ", true );
    main.Execute( "y = 8", false );
    EXPECT_EQ( log->Lines(), ( Strings{ "x = 7", "7", "   " } ) );
}

TEST_F( ConsoleTest, LinesNestedDeeperOrLongerThanTheLimitsAreRefusedWithAnError )
{
    console.AddCommand( "f", &foo );
    const int limit = CConsole::MAX_NESTING;
    for( const int calls : { limit - 1, limit } )
    {
        SCOPED_TRACE( calls );
        std::string line = "1";
        for( int i = 0; i < calls; ++i )
            line = "f(" + line + ")";
        trace.clear();
        test::CLogCapture capture;
        console.Execute( line );
        EXPECT_EQ( trace.size(), static_cast<std::size_t>( calls ) );
        EXPECT_EQ( capture.Lines(),
                   calls < limit ? Strings{} : Strings{ "Console: lines nested more than 200 deep, not executed: 1" } );
        // The innermost call gets the 1 only within the limit; the refused
        // line gives nothing, read as 0.
        ASSERT_FALSE( trace.empty() );
        EXPECT_EQ( trace.front(), calls < limit ? "foo(n:1)" : "foo(n:0)" );
    }
    // A script that loads itself ends too.
    test::CLogCapture capture;
    const std::string script = test::MakeTempDir( "nesting" ) + "/self.txt";
    test::WriteFile( script, "load( \"" + script + "\" )\n" );
    Run( "load( \"" + script + "\" )" );
    EXPECT_EQ( capture.Lines().size(), 1u );

    const std::size_t longest = CConsole::MAX_LINE_LENGTH;
    for( const std::size_t length : { longest, longest + 1 } )
    {
        SCOPED_TRACE( length );
        test::CLogCapture refused;
        CConsole fresh;
        fresh.Execute( "x = \"" + std::string( length - 6, 'a' ) + "\"" );
        EXPECT_EQ( fresh.GetVariable( "x" ).size(), length == longest ? length - 4 : 0 );
        EXPECT_EQ( refused.Lines(),
                   length == longest ? Strings{} : Strings{ "Console: line of 65537 characters, longer than 65536, "
                                                            "not executed: x = \"" + std::string( 75, 'a' ) } );
    }
    // A script's line is named by file and number, and the lines after it
    // still run, whether they end in LF or CR LF.
    const std::string lines = test::MakeTempDir( "long_lines" ) + "/script.txt";
    test::WriteFile( lines, "a = 1\r\nb = \"" + std::string( longest - 6, 'b' ) + "\"\r\nc = \"" +
                                std::string( longest - 5, 'c' ) + "\"\ne = 5\n" );
    test::CLogCapture named;
    EXPECT_EQ( console.ExecuteFile( lines ), "" );
    EXPECT_EQ( console.ExecuteFile( "no/such/script.txt" ), "" );
    EXPECT_EQ( console.GetVariable( "a" ), "1" );
    EXPECT_EQ( console.GetVariable( "b" ).size(), longest - 4 );
    EXPECT_FALSE( console.HasVariable( "c" ) );
    EXPECT_EQ( console.GetVariable( "e" ), "5" );
    EXPECT_EQ( named.Lines(),
               Strings{ "Console: line 3 of " + lines + " has 65537 characters, more than 65536, not executed" } );
}

TEST_F( ConsoleTest, BasicCommandsLiveInTheMainConsoleAndExplainTheirUse )
{
    const std::string runLater =
        "Error: RunLater( milliseconds, line ) needs the milliseconds to wait and the line to run.";
    const std::string startTask = "Error: StartTask( tasktype, taskname, priority ) requires atleast one parameter.";
    const std::pair<const char*, std::string> cases[] = {
        { "load", "Error: Load() You need to give a filename as a parameter." },
        { "taskload( 3 )", "Error: TaskLoad() You need to give a task library name as a parameter." },
        { "starttask", startTask }, { "starttask( 5 )", startTask },
        { "pausetask", "Error: PauseTask( taskname ) requires atleast one parameter." },
        { "resumetask()", "Error: ResumeTask( taskname ) requires atleast one parameter." },
        { "stoptask( 1 )", "Error: StopTask( taskname ) requires atleast one parameter." },
        { "runlater( \"P::Hello\" )", runLater }, { "runlater( -5, \"quit\" )", runLater },
        { "runlater( 5 )", runLater },
        { "taskload( sdl )", "" }, { "taskload( sdl )", "" }, { "taskload( nosuchlibrary )", "" },
    };
    for( const auto& [ line, result ] : cases )
        EXPECT_EQ( Run( line ), result ) << line;
    EXPECT_TRUE( log->Lines().empty() );

    const std::string script = test::MakeTempDir( "basic_load" ) + "/inner.txt";
    test::WriteFile( script, "loaded = yes\r\n" );
    EXPECT_EQ( Run( "load( \"" + script + "\" )" ), "" );
    EXPECT_EQ( GetConsole()->GetVariable( "loaded" ), "yes" );
    EXPECT_EQ( CreateConsole()->Execute( "quit" ), "quit" );
    EXPECT_FALSE( CTaskManager::GetSingletonPtr()->IsQuitRequested() );
    EXPECT_EQ( Run( "quit( 1 )" ), "bye bye" );
    EXPECT_TRUE( CTaskManager::GetSingletonPtr()->IsQuitRequested() );
}

TEST_F( ConsoleTest, HelpListsAndSearchesTheCommandsAndVariablesOfEveryNamespace )
{
    CTaskFactory::GetSingletonPtr()->RegisterTaskType( "helped", [] { return std::make_unique<CHelpedTask>(); } );
    Run( "starttask( helped, Audio )" );
    Run( "starttask( probe, Probe )" );
    Run( "gfx_depth = 16" );
    GetConsole()->AddVariable( "loudness", std::make_unique<CConsoleVar<int>>( "loudness", 3 ), "How loud it is." );
    const std::string play = "Audio::PlayMusic( \"file\" ) - Plays the music, looping.";
    const std::string quit = "quit - Ends the program after the current pass.";
    const std::pair<const char*, Strings> cases[] = {
        { "help( \"Audio::PlayMusic\" )", { "Audio::PlayMusic( \"file\" )", "    Plays the music, looping." } },
        { "help( \"playmusic\" )", { "Audio::PlayMusic( \"file\" )", "    Plays the music, looping." } },
        { "help( \"QUIT\" )", { "quit", "    Ends the program after the current pass." } },
        { "help( \"audio\" )", { "Audio::BARE", play } },
        { "help( \"Nothing\" )", { "help: no command or namespace named Nothing" } },
        { "cmdlist( \"Audio::\" )", { "Audio::BARE", play } },
        { "cmdlist( \"pl\" )", { play } },
        { "cmdlist( \"qu\" )", { quit } },
        { "cmdlist( \"zz\" )", { "cmdlist: no command starts with zz" } },
        { "cvarlist( \"gfx\" )", { "gfx_depth = 16" } },
        { "cvarlist( \"Audio::\" )", { "Audio::volume = 7" } },
        { "cvarlist( \"LOUD\" )", { "loudness = 3 - How loud it is." } },
        { "apropos( \"how loud\" )", { "loudness = 3 - How loud it is." } },
        { "apropos( \"LOOPING\" )", { play } },
        { "apropos( \"namespace\" )",
          { "help [( name )] - Lists the command namespaces; with a name, shows that command (also as Task::Command) "
            "or namespace." } },
        { "apropos", { "Error: apropos( word ) needs the word to look for." } },
    };
    for( const auto& [ line, lines ] : cases )
    {
        test::CLogCapture captured;
        EXPECT_EQ( Run( line ), "" ) << line;
        EXPECT_EQ( captured.Lines(), lines ) << line;
    }

    test::CLogCapture captured;
    Run( "help" );
    Run( "cmdlist" );
    ASSERT_EQ( captured.Lines().size(), 3u + 12u + 2u );
    EXPECT_EQ( captured.Lines()[ 0 ], "Command namespaces: basic, Audio" );

    // The reference authors read (horror --list-commands): a Markdown table per namespace, then the variables.
    const std::string reference = CConsoleHelp::ForMainConsole().Reference();
    EXPECT_NE( reference.find( "## Audio (called as Audio::Command)\n\n| command | what it does |\n|---|---|\n"
                               "| `Audio::BARE` |  |\n"
                               "| `Audio::PlayMusic( \"file\" )` | Plays the music, looping. |\n" ),
               std::string::npos )
        << reference;
    EXPECT_NE( reference.find( "| `gfx_depth` | 16 |  |  |\n" ), std::string::npos );
    EXPECT_NE( reference.find( "| `loudness` | 3 |  | How loud it is. |\n" ), std::string::npos );
    EXPECT_NE( reference.find( "| `Audio::volume` | 7 |  |  |\n" ), std::string::npos );
    EXPECT_LT( reference.find( "## basic" ), reference.find( "## Audio" ) );
}

// Tab completes the name at the end of a line from the main console's names
// and the running tasks' namespaces and commands, as far as they agree.
TEST_F( ConsoleTest, CompletionOffersTheNamesTheConsolesKnow )
{
    CTaskFactory::GetSingletonPtr()->RegisterTaskType( "helped", [] { return std::make_unique<CHelpedTask>(); } );
    Run( "starttask( helped, Audio )" );
    Run( "starttask( probe, Probe )" );
    Run( "gfx_depth = 16" );
    Run( "GFX_Scale = 2" );
    const CCompletion completion = CCompletion::ForMainConsole();
    // The line, what Tab makes of it, and the candidates a second Tab lists.
    const std::tuple<const char*, const char*, Strings> cases[] = {
        { "cvarl", "cvarlist", { "cvarlist" } },
        { "x = gfx", "x = gfx_", { "gfx_depth", "GFX_Scale" } },
        { "au", "Audio::", { "Audio::" } },
        { "pro", "Probe::", { "Probe::" } },
        { "help( audio::pl", "help( Audio::PlayMusic", { "Audio::PlayMusic" } },
        { "Audio::", "Audio::", { "Audio::BARE", "Audio::PlayMusic" } },
        { "Probe::x", "Probe::x", {} },
        { "pl", "pl", {} },
    };
    for( const auto& [ line, completed, candidates ] : cases )
    {
        EXPECT_EQ( completion.Complete( line ), completed ) << line;
        EXPECT_EQ( completion.GetCandidates( line ), candidates ) << line;
    }
}

// What a typed line names that nothing knows, found without running it: a
// mistyped name is otherwise only echoed back.
TEST_F( ConsoleTest, UnknownNamesAreFoundWithoutRunningTheLine )
{
    CTaskFactory::GetSingletonPtr()->RegisterTaskType( "helped", [] { return std::make_unique<CHelpedTask>(); } );
    Run( "starttask( helped, Audio )" );
    Run( "gfx_depth = 16" );
    log = std::make_unique<test::CLogCapture>();
    const std::pair<const char*, const char*> cases[] = {
        { "nosuch", "nosuch" },
        { "  nosuch( 1, stoptask( Audio ) )", "nosuch" },
        { "HELP( \"quit\" )", "" },
        { "x = nosuch( 2 )", "" },
        { "gfx_depth", "" },
        { "42", "" },
        { "\"text\"", "" },
        { "Audio::PlayMusic( \"a\" )", "" },
        { "Audio::volume", "" },
        { "Audio::Nothing( 1 )", "Audio::Nothing" },
        { "Nowhere::Play", "" },
        { "help; other; nosuch", "other" },
        { "// nosuch", "" },
        { "nosuch // runs nothing", "" },
        { " \t", "" },
    };
    for( const auto& [ line, unknown ] : cases )
        EXPECT_EQ( GetConsole()->FindUnknownName( line ), unknown ) << line;
    EXPECT_EQ( log->Lines(), Strings{} ) << "nothing ran";
    EXPECT_NE( Task( "Audio" ), nullptr );
    EXPECT_EQ( console.FindUnknownName( "Any::foo( 1 ); Any::baz" ), "baz" ) << "a plain console ignores namespaces";
}

TEST_F( ConsoleTest, TasksStartPauseResumeAndStopByName )
{
    EXPECT_EQ( Run( "starttask( probe )" ), "probe started" );
    ASSERT_NE( Task( "probe" ), nullptr );
    EXPECT_EQ( Task( "probe" )->GetPriority(), 100 );
    EXPECT_EQ( Run( "starttask( probe, Debug, 50, 1 )" ), "probe started" );
    EXPECT_EQ( Task( "Debug" )->GetPriority(), 50 );
    EXPECT_EQ( Run( "STARTTASK( probe, 10.9, \"rest\", 2 )" ), "probe started" );
    EXPECT_EQ( Task( "probe" )->GetPriority(), 10 );
    EXPECT_EQ( gProbe, ( Strings{ "Init()", "Init(n:1)", "Init(s:rest; n:2)" } ) );
    // A priority beyond the int range is held at its end, not undefined.
    Run( "starttask( probe, Far, -99999999999999 )" );
    EXPECT_EQ( Task( "Far" )->GetPriority(), std::numeric_limits<int>::min() );
    EXPECT_EQ( Run( "starttask( nosuchtype, X )" ), "failed to start nosuchtype" );
    EXPECT_TRUE( log->Contains( "[ERROR] Trying to start a task nosuchtype that doesn't exist." ) );

    CTask* probe = Task( "Debug" );
    const auto& running = CTaskManager::GetSingletonPtr()->GetRunningTasks();
    EXPECT_EQ( Run( "pausetask( Debug )" ), "" );
    EXPECT_EQ( std::count( running.begin(), running.end(), probe ), 0 );
    EXPECT_EQ( Run( "resumetask( \"Debug\" )" ), "" );
    EXPECT_EQ( std::count( running.begin(), running.end(), probe ), 1 );
    gProbe.clear();
    EXPECT_EQ( Run( "stoptask( Debug )" ), "" );
    EXPECT_EQ( Run( "stoptask( Debug )" ), "" );
    EXPECT_EQ( gProbe, Strings{ "Exit" } );
    EXPECT_EQ( Task( "Debug" ), probe ) << "a stopped task stays known by name";
    Run( "pausetask( nosuchtask ); resumetask( ghost ); stoptask( none )" );
    EXPECT_TRUE( log->Contains( "[ERROR] Trying to pause a task nosuchtask that doesn't exist." ) );
    EXPECT_TRUE( log->Contains( "[ERROR] Trying to resume a task ghost that doesn't exist." ) );
    EXPECT_TRUE( log->Contains( "[ERROR] Trying to stop a task none that doesn't exist." ) );
    // A second task of the same name leaves the first running and usable.
    CTask* first = Task( "Far" );
    Run( "starttask( probe, Far, 2 )" );
    EXPECT_NE( Task( "Far" ), first );
    CTaskManager::GetSingletonPtr()->RunOnce();
    EXPECT_EQ( first->GetPriority(), std::numeric_limits<int>::min() );
}

TEST_F( ConsoleTest, TaskCommandsReachTheTaskOfExactlyThatNameNowOrLater )
{
    test::CManualClock clock( 1000 );
    Run( "starttask( probe, Audio )" );
    EXPECT_EQ( Run( "Audio::PlayEffect( \"x.wav\" );" ), "\n" );
    EXPECT_EQ( Run( "Audio::B::C" ), "" );
    EXPECT_EQ( Run( "Audio::Go() // and a comment" ), "" );
    EXPECT_EQ( Run( "say( \"a::b\" )" ), "say( \"a::b\" )" );
    EXPECT_EQ( gProbe, ( Strings{ "Init()", "PlayEffect( \"x.wav\" )", "B", "Go() " } ) );
    EXPECT_EQ( Run( "audio::PlayEffect()" ), "No namespace named space\n" );
    EXPECT_TRUE( log->Contains( "[ERROR] Sorry the namespace or task audio doesn't exist." ) );

    gProbe.clear();
    EXPECT_EQ( Run( "runlater( 100, \"stoptask( Audio )\" )" ), "" );
    EXPECT_EQ( Run( "runlater( 50, \"Audio::Later\" )" ), "" );
    EXPECT_EQ( Run( "runlater( 0, \"Audio::Now\" )" ), "" );
    for( const Strings& after : { Strings{ "Now" }, Strings{ "Now", "Later" }, Strings{ "Now", "Later", "Exit" } } )
    {
        CTaskManager::GetSingletonPtr()->RunOnce();
        EXPECT_EQ( gProbe, after );
        clock.Advance( 50 );
    }
}

// Two settings kept in a file: read when loaded, held to their range,
// written again on every change, and a damaged file leaves them alone.
TEST_F( ConsoleTest, SettingsAreHeldToTheirRangeAndKeptInTheirFile )
{
    int volume = 100;
    int scale = 1;
    console.AddVariable( "volume", std::make_unique<CSettingVar>( "volume", &volume, 0, 100 ) );
    console.AddVariable( "scale", std::make_unique<CSettingVar>( "scale", &scale, 0, 4 ) );
    const std::string path = test::MakeTempDir( "settings" ) + "/made/settings.txt";
    const std::string header = "// The player's settings, written by the program whenever one changes.\n";
    const auto load = [ & ]( const std::string& text ) {
        test::WriteFile( path, text );
        auto settings = std::make_unique<CSettingsFile>( console, path );
        settings->Load();
        return settings;
    };
    std::filesystem::create_directories( std::filesystem::path( path ).parent_path() );
    {
        const auto settings = load( "volume = 140\r\n// a note\n\nscale = 2\n" );
        EXPECT_EQ( volume, 100 );
        EXPECT_EQ( scale, 2 );
        EXPECT_TRUE( log->Contains( "Setting volume: 140 is outside 0 to 100, set to 100" ) );
        console.Execute( "volume = 40" );
        console.Execute( "other = 3" );
        EXPECT_EQ( test::ReadFile( path ), header + "scale = 2\nvolume = 40\n" );
        console.Execute( "volume = loud" );
        EXPECT_EQ( volume, 40 );
        EXPECT_TRUE( log->Contains( "Setting volume: \"loud\" is not a number, it stays 40" ) );
    }
    for( const std::string& damaged : { std::string( "volume = 7\nquit\n" ), std::string( "\x89PNG\0\xff=\x01", 8 ) } )
    {
        const auto settings = load( damaged );
        EXPECT_EQ( volume, 40 ) << "nothing of a damaged file runs";
        EXPECT_TRUE( log->Contains( "Settings: " + path + " is damaged (line " +
                                    ( damaged[ 0 ] == 'v' ? "2" : "1" ) +
                                    " is not `name = number`): ignored, the settings stay as they are" ) );
        console.Execute( "scale = 3" );
        EXPECT_EQ( test::ReadFile( path ), header + "scale = 3\nvolume = 40\n" ) << "written whole on a change";
    }
}

TEST_F( ConsoleTest, FuzzInputsReplayCleanly )
{
    EXPECT_GT( test::ReplayFuzzInputs( "console", "console", &test::FuzzConsoleInput ), 0 );
}
