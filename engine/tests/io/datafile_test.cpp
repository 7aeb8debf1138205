// What the loaders learn of a file before they read a byte of it, and how a
// line is read without letting a huge one into memory.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <sstream>

#include "support/testsupport.h"
#include "tarn/io/datafile.h"

using namespace tarn;
using namespace tarn::test;

TEST( DataFile, FaultsNameWhatKeepsAFileFromBeingRead )
{
    const std::string dir = MakeTempDir( "files" );
    const std::string atLimit = dir + "/at_limit.xml";
    const std::string pastLimit = dir + "/past_limit.xml";
    WriteFile( atLimit, "" );
    WriteFile( pastLimit, "" );
    // Sparse: the sizes cost no disk.
    std::filesystem::resize_file( atLimit, MAX_DATA_FILE_SIZE );
    std::filesystem::resize_file( pastLimit, MAX_DATA_FILE_SIZE + 1 );
    ASSERT_EQ( mkfifo( ( dir + "/fifo" ).c_str(), 0600 ), 0 );

    const struct
    {
        std::string path;
        std::string fault;
    } cases[] = {
        { atLimit, "" },
        { pastLimit, "is 16777217 bytes, more than 16777216" },
        { dir + "/missing.xml", FILE_MISSING },
        { "", FILE_MISSING },
        { dir + "/at_limit.xml/inside", FILE_MISSING },
        { dir, FILE_NOT_REGULAR },
        { dir + "/fifo", FILE_NOT_REGULAR },
    };
    for( const auto& c : cases )
    {
        SCOPED_TRACE( c.path );
        EXPECT_EQ( DataFileFault( c.path ), c.fault );
    }
}

TEST( DataFile, BoundedLinesKeepOneCharacterPastTheLimitAndTellTheWholeLength )
{
    std::istringstream stream( "abcd\r\nabcde\nabcdefgh\nlast" );
    std::string line;
    std::size_t length = 0;
    const struct
    {
        std::string line;
        std::size_t length;
    } expected[] = { { "abcd", 4 }, { "abcde", 5 }, { "abcde", 8 }, { "last", 4 } };
    for( const auto& e : expected )
    {
        ASSERT_TRUE( ReadBoundedLine( stream, line, 4, &length ) );
        EXPECT_EQ( line, e.line );
        EXPECT_EQ( length, e.length );
    }
    EXPECT_FALSE( ReadBoundedLine( stream, line, 4, &length ) );
}
