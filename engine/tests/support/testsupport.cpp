#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tarn/console/ccommandregistry.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/cspriteupdater.h"
#include "tarn/gfx/sdl/ctexturemanager.h"
#include "tarn/gfx/gfx.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/inputdevice/ckeyboard.h"
#include "tarn/inputdevice/cmouse.h"
#include "tarn/tasks/cfakethread.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/ui/cdesktop.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/cxmlnode.h"
#include "tarn/utils/cxmlparser.h"
#include "tarn/utils/cxmltreebuilder.h"

namespace tarn {
namespace test {

namespace {

// The game keeps the player's settings in the user's folders: the tests,
// and the programs they start, get folders of their own under the working
// directory, never the real home's, whoever runs them.
const bool gUserFoldersMoved = [] {
    const std::filesystem::path home = std::filesystem::current_path() / "home";
    return setenv( "XDG_CONFIG_HOME", ( home / "config" ).c_str(), 1 ) == 0 &&
           setenv( "XDG_STATE_HOME", ( home / "state" ).c_str(), 1 ) == 0;
}();

} // namespace

class CManualClock::CSource final : public CTimeSource
{
public:
    types::ticks GetTicks() override { return now; }
    // A sleeping main loop finds the time passed at once.
    void Wait( types::ticks ms ) override { now += ms; }
    types::ticks now = 0;
};

CManualClock::CManualClock( types::ticks start ) :
    mySource( std::make_shared<CSource>() )
{
    mySource->now = start;
    SetTimeSource( mySource );
}

CManualClock::~CManualClock()
{
    SetTimeSource( nullptr );
}

void CManualClock::Set( types::ticks now )
{
    mySource->now = now;
}

void CManualClock::Advance( types::ticks ms )
{
    mySource->now += ms;
}

types::ticks CManualClock::Now() const
{
    return mySource->now;
}

CLogCapture::CLogCapture()
{
    GetLog().AddListener( this );
}

CLogCapture::~CLogCapture()
{
    if( CLogger::HasSingleton() )
        GetLog().RemoveListener( this );
}

void CLogCapture::OnMessage( const std::string& text, int level )
{
    std::string line = text;
    if( !line.empty() && line.back() == '\n' )
        line.pop_back();
    myLines.emplace_back( line, level );
}

std::vector<std::string> CLogCapture::Lines() const
{
    std::vector<std::string> lines;
    for( const auto& entry : myLines )
    {
        if( entry.second >= 0 )
            lines.push_back( entry.first );
    }
    return lines;
}

bool CLogCapture::Contains( const std::string& line ) const
{
    const std::vector<std::string> lines = Lines();
    return std::find( lines.begin(), lines.end(), line ) != lines.end();
}

void ResetEngine()
{
    DeleteAllFakeThreads();
    CTaskFactory::DeleteSingleton();
    CTaskManager::DeleteSingleton();
    CScreenLayer::DeleteSingleton();
    CScreenLayer::SetScreenSurface( nullptr );
    CSpriteUpdater::DeleteSingleton();
    CConsoleHolder::DeleteSingleton();
    CCommandRegistry::DeleteSingleton();
    Gfx::SetFactory( nullptr );
    CTextureManager::DeleteSingleton();
    CKeyboard::DeleteSingleton();
    ui::CDesktop::DeleteSingleton();
    CMouse::DeleteSingleton();
    CInputDispatcher::DeleteSingleton();
    DeleteLog();
}

std::unique_ptr<CXmlNode> ParseXmlText( const std::string& text )
{
    CXmlTreeBuilder builder;
    CXmlParser parser( builder );
    std::istringstream input( text );
    parser.ParseStream( input );
    return builder.TakeRoot();
}

std::string ReadFile( const std::string& path )
{
    std::ifstream file( path, std::ios::binary );
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFile( const std::string& path, const std::string& text )
{
    std::ofstream file( path, std::ios::binary );
    file << text;
}

std::vector<std::string> SplitLines( const std::string& text )
{
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    for( std::string::size_type end; ( end = text.find( '\n', start ) ) != std::string::npos; start = end + 1 )
        lines.push_back( text.substr( start, end - start ) );
    return lines;
}

void ExpectLogHeader( const std::vector<std::string>& lines )
{
    ASSERT_GE( lines.size(), 5u );
    const std::string rule = "( ) " + std::string( 62, '-' );
    EXPECT_EQ( lines[ 0 ], rule );
    EXPECT_EQ( lines[ 1 ].rfind( "( ) New log created on ", 0 ), 0u ) << lines[ 1 ];
    EXPECT_EQ( lines[ 2 ], "( ) Using Tarn version 0.23" );
    EXPECT_EQ( lines[ 3 ].rfind( "( ) Build in ", 0 ), 0u ) << lines[ 3 ];
    EXPECT_EQ( lines[ 4 ], rule );
}

std::string MakeTempDir( const std::string& name )
{
    // ctest runs tests in parallel processes in one working directory: keep
    // each test's files apart.
    std::string owner = "outside-test";
    if( const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info() )
        owner = std::string( info->test_suite_name() ) + "." + info->name();
    const std::filesystem::path dir = std::filesystem::current_path() / "tmp" / owner / name;
    std::filesystem::remove_all( dir );
    std::filesystem::create_directories( dir );
    return dir.string();
}

} // namespace test
} // namespace tarn
