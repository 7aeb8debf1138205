// The data checker on small broken levels: each kind of problem an author
// can make is reported with the file and the key.
#include <gtest/gtest.h>

#include <string>

#include "horror/cdatachecker.h"
#include "horror/gameworld.h"

using namespace horror;

namespace {

// Open floor left of x 400 and below y 500; a wall elsewhere.
bool Split( int x, int y )
{
    return x < 400 || y >= 500;
}

class DataCheckerTest : public ::testing::Test
{
protected:
    DataCheckerTest() : world( "checker" )
    {
        world.MakeMask( "split", Split );
        world.MakeSprite( "badguy", 10, 10 );
        world.MakeSprite( "portal", 16, 16 );
        world.Write( "data/levels/next.xml", "<Level/>\n" );
    }

    // Checks a level of these keys after a good background and start.
    std::string Check( const std::string& keys, const std::string& start = "<PlayerPosition x=\"100\" y=\"100\"/>" )
    {
        world.Write( "data/levels/l.xml", "<Level>\n" + start + "\n<LevelBackgroundImage>data/gfx/split.tga"
                                          "</LevelBackgroundImage>\n" + keys + "</Level>\n" );
        checker.CheckLevel( "data/levels/l.xml" );
        return checker.Report();
    }

    horror::test::CGameWorld world;
    CDataChecker checker;
};

} // namespace

TEST_F( DataCheckerTest, AGoodLevelHasNothingToReport )
{
    EXPECT_EQ( Check( "<Portals><Portal><Position x=\"300\" y=\"550\"/><PortalImage>data/gfx/portal.xml</PortalImage>"
                      "<NextFile>data/levels/next.xml</NextFile></Portal></Portals>\n"
                      "<BadGuyImage>data/gfx/badguy.xml</BadGuyImage>\n"
                      "<BadGuyPath><PathPoint x=\"50\" y=\"50\"/><PathPoint x=\"100\" y=\"550\"/></BadGuyPath>\n" ),
               "" );
    EXPECT_EQ( checker.GetErrorCount(), 0 );
}

TEST_F( DataCheckerTest, MissingFilesAreNamedWithTheirKey )
{
    const std::string report = Check( "<BadGuyImage>data/gfx/nobody.xml</BadGuyImage>\n"
                                      "<Portals><Portal><Position x=\"300\" y=\"550\"/>"
                                      "<NextFile>data/levels/gone.xml</NextFile></Portal></Portals>\n" );
    EXPECT_NE( report.find( "error: data/levels/l.xml: BadGuyImage: the file \"data/gfx/nobody.xml\" does not exist" ),
               std::string::npos )
        << report;
    EXPECT_NE( report.find( "Portals/Portal 1/NextFile: the file \"data/levels/gone.xml\" does not exist" ),
               std::string::npos )
        << report;

    // A name longer than the system takes is a missing file, not a crash.
    const std::string tooLong( 5000, 'a' );
    const std::string longReport = Check( "<BadGuyImage>" + tooLong + "</BadGuyImage>\n" );
    EXPECT_NE( longReport.find( "the file \"" + tooLong + "\" does not exist" ), std::string::npos );
    checker.CheckLevel( tooLong );
    EXPECT_NE( checker.Report().find( tooLong + ": : the level file does not exist" ), std::string::npos );
}

TEST_F( DataCheckerTest, UnknownAndMisplacedKeys )
{
    const std::string report = Check( "<BadGuySpeed>10</BadGuySpeed>\n<StartUpExecute></StartUpExecute>\n"
                                      "<BadGuySpede>3</BadGuySpede>\n" );
    EXPECT_NE( report.find( "error: data/levels/l.xml: BadGuySpede: unknown key" ), std::string::npos ) << report;
    EXPECT_NE( report.find( "warning: data/levels/l.xml: StartUpExecute: comes after" ), std::string::npos ) << report;
}

TEST_F( DataCheckerTest, ClosedStartUnreachablePortalAndPathPointOnAWall )
{
    const std::string report = Check( "<Portals><Portal><Position x=\"600\" y=\"100\"/>"
                                      "<NextFile>data/levels/next.xml</NextFile></Portal></Portals>\n"
                                      "<BadGuyImage>data/gfx/badguy.xml</BadGuyImage>\n"
                                      "<BadGuyPath><PathPoint x=\"50\" y=\"50\"/><PathPoint x=\"600\" y=\"300\"/>"
                                      "</BadGuyPath>\n" );
    EXPECT_NE( report.find( "area event at 600,100: cannot be reached" ), std::string::npos ) << report;
    EXPECT_NE( report.find( "BadGuyPath/PathPoint 2: on closed floor at 600,300" ), std::string::npos ) << report;

    const std::string walled = Check( "", "<PlayerPosition x=\"600\" y=\"100\"/>" );
    EXPECT_NE( walled.find( "PlayerPosition: the player starts on closed floor at 600,100" ), std::string::npos )
        << walled;
}

TEST_F( DataCheckerTest, ScriptsMayOnlyCallTheGamesCommands )
{
    const std::string report = Check( "<StartUpExecute>PlayMusic( \"data/music/none.ogg\" );\n"
                                      "Audio::PlayEffect( \"x.wav\" );\nvisited = 1;\nSetPlayerShown( 1 );"
                                      "</StartUpExecute>\n" );
    EXPECT_NE( report.find( "StartUpExecute (PlayMusic): the file \"data/music/none.ogg\" does not exist" ),
               std::string::npos )
        << report;
    EXPECT_NE( report.find( "calls PlayEffect, which the game does not know" ), std::string::npos ) << report;
    EXPECT_EQ( checker.GetErrorCount(), 2 ) << report;
}
