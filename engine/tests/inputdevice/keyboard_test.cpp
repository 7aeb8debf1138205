// Keys and cursors as scripts see them: key names in both directions, "bind"
// for one key, a key code and a combination, and the cursor images.
#include <tuple>

#include "tarn/console/ccommandfunction.h"
#include "tarn/inputdevice/ckeyboard.h"
#include "tarn/inputdevice/cursorimages.h"
#include "tarn/inputdevice/keynames.h"
#include "tarn/tasks/ctaskkeyboard.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tasks/taskstest.h"

using namespace tarn;
using test::Strings;

namespace {

TEST( KeyNames, EveryNamedKeyGoesBothWays )
{
    int named = 0;
    for( int key = -5; key < 1000; ++key )
    {
        const std::string name = KeyToName( key );
        if( name == "unknown key" )
            continue;
        ++named;
        EXPECT_EQ( key, NameToKey( name ) ) << name;
    }
    EXPECT_EQ( 231, named );
    const std::pair<int, const char*> samples[] = {
        { 8, "backspace" },  { 27, "escape" },   { 32, "space" },    { 34, "\"" },       { 36, "$" },      { 38, "&" },
        { 64, "@" },         { 91, "[" },        { 92, "\\" },       { 95, "_" },        { 96, "backquote" },
        { 97, "a" },         { 122, "z" },       { 127, "delete" },  { 160, "world_0" }, { 255, "world_95" },
        { 256, "[0]" },      { 265, "[9]" },     { 266, "[.]" },     { 270, "[+]" },     { 271, "enter" },
        { 272, "equals" },   { 273, "up" },      { 281, "page_down" }, { 282, "f1" },    { 296, "f15" },
        { 300, "numlock" },  { 306, "left_ctrl" }, { 313, "alt_gr" }, { 322, "undo" } };
    for( const auto& [ key, name ] : samples )
        EXPECT_EQ( name, KeyToName( key ) ) << key;
    for( int unnamed : { 0, 37, 65, 90, 128, 159, 297, 299, 323, -1 } )
        EXPECT_EQ( "unknown key", KeyToName( unnamed ) ) << unnamed;
    EXPECT_EQ( 0, NameToKey( "Escape" ) ) << "names are case-sensitive";
    EXPECT_EQ( 0, NameToKey( "" ) );
}

// A started "keyboard" task, and a main-console command "note( n )" that
// writes down its number.
class BindTest : public test::TasksTest
{
protected:
    BindTest()
    {
        GetConsole()->AddCommand( "note", &noteCommand );
        Run( "starttask( keyboard, Keyboard, 30 )" );
    }

    static std::string Bind( const std::string& arguments )
    {
        return Find<CTaskKeyboard>( "Keyboard" )->GetTaskConsole()->Execute( "bind" + arguments );
    }
    static void Key( int key, bool down )
    {
        CInputDispatcher* dispatcher = CInputDispatcher::GetSingletonPtr();
        down ? dispatcher->NotifyKeyDown( key, 0 ) : dispatcher->NotifyKeyUp( key, 0 );
        CTaskManager::GetSingletonPtr()->RunOnce();
    }

    std::vector<int> notes;
    CCommandFunction noteCommand{ [ this ]( CAnyContainer* args ) {
        notes.push_back( static_cast<int>( args->GetNumber( 0 ) ) );
        return std::string();
    } };
};

// One key runs its command on the way down and up, a combination on the
// way down of its last key, in either order.
TEST_F( BindTest, AKeyNameCodeOrCombinationRunsItsCommand )
{
    EXPECT_EQ( "", Bind( "( space, \"note( 1 )\" )" ) );
    Key( KEY_SPACE, true );
    EXPECT_TRUE( GetKeyboard()->IsKeyDown( KEY_SPACE ) );
    Key( KEY_SPACE, false );
    EXPECT_FALSE( GetKeyboard()->IsKeyDown( KEY_SPACE ) );
    EXPECT_EQ( "", Bind( "( 322, \"note( 2 )\" )" ) ) << "the last code of the key-state table";
    Key( 322, true );
    EXPECT_EQ( notes, ( std::vector<int>{ 1, 1, 2 } ) );
    EXPECT_EQ( "", Bind( "( \"left_ctrl s\", \"note( 3 )\" )" ) );
    for( const auto& [ first, second ] : { std::pair{ KEY_LEFT_CTRL, KEY_S }, std::pair{ KEY_S, KEY_LEFT_CTRL } } )
    {
        notes.clear();
        Key( first, true );
        EXPECT_TRUE( notes.empty() );
        Key( second, true );
        EXPECT_EQ( notes.size(), 1u );
        Key( second, false );
        Key( first, false );
        EXPECT_EQ( notes, std::vector<int>{ 3 } ) << "releasing runs nothing";
    }
}

TEST_F( BindTest, MisuseIsAnsweredAndPrioritiesPastTheIntRangeAreHeldAtItsEnds )
{
    // Codes outside the key-state table bind nothing.
    for( const char* arguments : { "", "( \"space\" )", "( space, 5 )", "()", "( 323, \"note( 1 )\" )",
                                   "( -1, \"note( 1 )\" )", "( 99999999999, \"note( 1 )\" )" } )
        EXPECT_EQ( "[ERROR] You cannot bind unless you give us something to bind to something\n", Bind( arguments ) )
            << arguments;
    Key( 323, true );
    EXPECT_TRUE( notes.empty() );
    Bind( "( space, \"note( 3 )\", 99999999999 )" );
    Bind( "( space, \"note( 1 )\", -99999999999 )" );
    Bind( "( space, \"note( 2 )\", 5 )" );
    Key( KEY_SPACE, true );
    EXPECT_EQ( notes, ( std::vector<int>{ 1, 2, 3 } ) );
}

TEST( CursorImages, EveryTypeHasItsNameAndAHotSpotOnTheDrawnCursor )
{
    const std::tuple<const char*, int, int> cursors[] = {
        { "cursor_none", 0, 0 },        { "cursor_arrow", 0, 0 },           { "cursor_cross", 16, 16 },
        { "cursor_text", 3, 7 },        { "cursor_hand", 5, 0 },            { "cursor_busy", 0, 0 },
        { "cursor_resize_horizontal", 10, 4 }, { "cursor_resize_vertical", 6, 9 }, { "cursor_resize_diagonal1", 6, 7 },
        { "cursor_resize_diagonal2", 6, 7 } };
    EXPECT_EQ( nullptr, GetCursorImage( CURSOR_NONE ) );
    EXPECT_EQ( nullptr, GetCursorImage( CURSOR_TYPE_COUNT ) );
    EXPECT_EQ( CURSOR_NONE, CursorNameToType( "arrow" ) );
    for( int type = 0; type < CURSOR_TYPE_COUNT; ++type )
    {
        const auto& [ name, hotX, hotY ] = cursors[ type ];
        SCOPED_TRACE( name );
        EXPECT_EQ( type, CursorNameToType( name ) );
        CursorBitmap bitmap;
        if( type == CURSOR_NONE )
            continue;
        ASSERT_TRUE( DecodeCursorImage( GetCursorImage( type ), bitmap ) );
        EXPECT_EQ( std::make_pair( bitmap.hotX, bitmap.hotY ), std::make_pair( hotX, hotY ) );
        EXPECT_TRUE( bitmap.mask[ hotY * 4 + hotX / 8 ] & ( 0x80 >> ( hotX % 8 ) ) );
    }
}

} // namespace
