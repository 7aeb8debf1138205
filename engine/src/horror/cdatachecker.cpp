#include "horror/cdatachecker.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <map>
#include <sstream>

#include "horror/cdialogue.h"
#include "horror/cgamecommands.h"
#include "horror/chorrorgameplay.h"
#include "horror/clevelgeometrycheck.h"
#include "horror/datafilekeys.h"
#include "horror/scriptstatements.h"
#include "tarn/console/cconsole.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/csurface.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/gfx.h"
#include "tarn/io/datafile.h"
#include "tarn/utils/ccolor.h"
#include "tarn/utils/cxmlnode.h"
#include "tarn/utils/stringutils.h"
#include "tarn/utils/xmlobject.h"

using namespace tarn;

namespace horror {

namespace {

// Without throwing: a name the system refuses (too long, say) is no file.
// Why the file cannot be read ("" when it can); no size limit here, the
// loaders judge sizes.
std::string FileFault( const std::string& name )
{
    return DataFileFault( name, std::numeric_limits<std::uintmax_t>::max() );
}

// Sprite file keys that name other files.
const std::vector<std::string> SPRITE_FILE_KEYS = { "BackdropFile", "TopSprite", "BottomSprite" };

const CXmlNode* Child( const CXmlNode& node, const std::string& name )
{
    for( std::size_t i = 0; i < node.GetChildCount(); ++i )
    {
        if( node.GetChild( i )->GetName() == name )
            return node.GetChild( i );
    }
    return nullptr;
}

// Where the i-th item of a level's list is, as findings name it:
// "Portals/Portal 2/".
std::string ItemPath( const char* list, const char* item, std::size_t i )
{
    return std::string( list ) + "/" + item + " " + std::to_string( i + 1 ) + "/";
}

std::string Text( const CXmlNode* node )
{
    return node ? TrimBlanks( node->GetContent() ) : "";
}

bool EndsWith( const std::string& text, const std::string& end )
{
    return text.size() >= end.size() && text.compare( text.size() - end.size(), end.size(), end ) == 0;
}

std::string Where( const types::rect& r )
{
    return std::to_string( r.x ) + "," + std::to_string( r.y ) + " " + std::to_string( r.w ) + "x" +
           std::to_string( r.h );
}

} // namespace

void CDataChecker::Error( const std::string& file, const std::string& key, const std::string& message )
{
    myFindings.push_back( Finding{ file, key, message, true } );
}

void CDataChecker::Warn( const std::string& file, const std::string& key, const std::string& message )
{
    myFindings.push_back( Finding{ file, key, message, false } );
}

int CDataChecker::GetErrorCount() const
{
    return static_cast<int>(
        std::count_if( myFindings.begin(), myFindings.end(), []( const Finding& f ) { return f.error; } ) );
}

std::string CDataChecker::Report() const
{
    std::ostringstream out;
    for( const Finding& f : myFindings )
        out << ( f.error ? "error: " : "warning: " ) << f.file << ": " << f.key << ": " << f.message << "\n";
    return out.str();
}

bool CDataChecker::Exists( const std::string& file, const std::string& origin, const std::string& key )
{
    if( file.empty() )
        return false;
    const std::string fault = FileFault( file );
    if( fault.empty() )
        return true;
    Error( origin, key, "the file \"" + file + "\" " + fault );
    return false;
}

void CDataChecker::CheckKeyOrder( const CXmlNode& node, const std::vector<std::string>& keys, const std::string& file,
                                  const std::string& where )
{
    std::size_t last = 0;
    for( std::size_t i = 0; i < node.GetChildCount(); ++i )
    {
        const std::string& name = node.GetChild( i )->GetName();
        const auto known = std::find( keys.begin(), keys.end(), name );
        if( known == keys.end() )
        {
            Error( file, where + name, "unknown key" );
            continue;
        }
        const std::size_t index = static_cast<std::size_t>( known - keys.begin() );
        if( index < last )
            Warn( file, where + name, "comes after " + keys[ last ] + " but belongs before it" );
        last = std::max( last, index );
    }
}

void CDataChecker::CheckImage( const std::string& file, const std::string& origin, const std::string& key )
{
    if( !Exists( file, origin, key ) )
        return;
    std::unique_ptr<CSurface> image = Gfx::LoadImage( file, CColor( 255, 0, 255 ) );
    if( !image || image->IsNull() || image->IsEmpty() )
        Error( origin, key, "the image \"" + file + "\" does not load" );
}

void CDataChecker::CheckSprite( const std::string& file, const std::string& origin, const std::string& key )
{
    if( !Exists( file, origin, key ) || !myChecked.insert( file ).second )
        return;
    if( !EndsWith( file, "xml" ) )
    {
        CheckImage( file, origin, key );
        return;
    }
    std::unique_ptr<CXmlNode> root = XmlParseFile( file );
    if( !root )
    {
        Error( origin, key, "the sprite file \"" + file + "\" holds no element" );
        return;
    }
    if( const CXmlNode* image = Child( *root, "ImageFilename" ) )
        CheckImage( Text( image ), file, "ImageFilename" );
    for( const std::string& name : SPRITE_FILE_KEYS )
    {
        if( const CXmlNode* other = Child( *root, name ) )
            CheckSprite( Text( other ), file, name );
    }
    if( const CXmlNode* font = Child( *root, "FontFile" ) )
    {
        if( Text( font ) != "nothing" )
            Exists( Text( font ), file, "FontFile" );
    }
    // Sound frames of animations, at any depth.
    std::vector<const CXmlNode*> pending{ root.get() };
    while( !pending.empty() )
    {
        const CXmlNode* node = pending.back();
        pending.pop_back();
        if( node->HasAttribute( "sound_file" ) )
            Exists( node->GetAttribute( "sound_file" ), file, "sound_file" );
        for( std::size_t i = 0; i < node->GetChildCount(); ++i )
            pending.push_back( node->GetChild( i ) );
    }
}

void CDataChecker::CheckScript( const std::string& script, const std::string& origin, const std::string& key )
{
    for( const std::string& statement : Statements( script ) )
        CheckStatement( statement, origin, key );
}

void CDataChecker::CheckStatement( const std::string& statement, const std::string& origin, const std::string& key )
{
    const std::string name = CommandName( statement );
    if( name.empty() )
        return;
    static const std::vector<std::string> commands = {
        "LOADLEVEL",    "LOADDIALOG",  "DODIALOG",     "SETPLAYERENABLED",    "SETBADGUYENABLED",
        "SETPLAYERSHOWN", "SETBADGUYSHOWN", "ADDPORTAL", "ADDSPRITE",         "REMOVESPRITE",
        "SPRITEPLAYANIMATION", "SPRITEMOVETO", "PLAYMUSIC", "ENDGAME" };
    const std::string upper = ToUpper( name );
    if( std::find( commands.begin(), commands.end(), upper ) == commands.end() )
    {
        Error( origin, key, "\"" + statement + "\" calls " + name + ", which the game does not know" );
        return;
    }

    const std::vector<std::string> args = Arguments( statement );
    auto arg = [ &args ]( std::size_t i ) { return i < args.size() ? args[ i ] : std::string(); };
    const std::string where = key + " (" + name + ")";
    if( upper == "LOADLEVEL" )
        Exists( arg( 0 ), origin, where );
    else if( upper == "LOADDIALOG" && Exists( arg( 0 ), origin, where ) )
        CheckDialogue( arg( 0 ) );
    else if( upper == "DODIALOG" && !arg( 0 ).empty() )
        CheckSprite( arg( 0 ), origin, where );
    else if( upper == "ADDPORTAL" )
    {
        if( !arg( 2 ).empty() )
            CheckSprite( arg( 2 ), origin, where );
        Exists( arg( 3 ), origin, where );
    }
    else if( upper == "ADDSPRITE" )
        CheckSprite( arg( 1 ), origin, where );
    else if( upper == "PLAYMUSIC" )
        Exists( arg( 0 ), origin, where );
    else if( upper == "ENDGAME" )
    {
        CheckSprite( "data/gfx/end_of_game_blackout.xml", origin, where );
        CheckSprite( "data/gfx/end_of_game_animation.xml", origin, where );
    }
}

bool CDataChecker::HasRoot( const CXmlNode& root, const std::string& name, const std::string& file )
{
    if( root.GetName() == name )
        return true;
    Error( file, "", "the file holds a <" + root.GetName() + ">, not a <" + name + ">: the game will not load it" );
    return false;
}

void CDataChecker::CheckDialogue( const std::string& file )
{
    if( !myChecked.insert( file ).second )
        return;
    std::unique_ptr<CXmlNode> root = XmlParseFile( file );
    if( !root )
    {
        Error( file, "", "the dialogue file holds no element" );
        return;
    }
    if( !HasRoot( *root, keys::DIALOGUE_ROOT, file ) )
        return;
    for( std::size_t i = 0; i < root->GetChildCount(); ++i )
    {
        const CXmlNode& line = *root->GetChild( i );
        const std::string where = std::string( keys::DIALOGUE_LINE ) + " " + std::to_string( i + 1 ) + "/";
        if( line.GetName() != keys::DIALOGUE_LINE )
        {
            Error( file, line.GetName(), "unknown key (only DialogLine elements are read)" );
            continue;
        }
        CheckKeyOrder( line, keys::DIALOGUE_LINE_ITEM, file, where );
        if( !Text( Child( line, keys::SPEAKER_IMAGE ) ).empty() )
            CheckSprite( Text( Child( line, keys::SPEAKER_IMAGE ) ), file, where + keys::SPEAKER_IMAGE );
        if( Text( Child( line, keys::DIALOGUE ) ).empty() )
            Warn( file, where + keys::DIALOGUE, "the line has no text" );
        CheckScript( Text( Child( line, keys::AFTER_EXECUTE ) ), file, where + keys::AFTER_EXECUTE );
    }
}

void CDataChecker::CheckBackgroundLayer( const std::string& file )
{
    if( !myChecked.insert( file ).second )
        return;
    std::unique_ptr<CXmlNode> root = XmlParseFile( file );
    if( !root )
    {
        Error( file, "", "the background-layer file holds no element" );
        return;
    }
    if( !HasRoot( *root, keys::LAYER_ROOT, file ) )
        return;
    CheckKeyOrder( *root, keys::LAYER, file, "" );
    if( !Text( Child( *root, keys::LEVEL_BACKGROUND_IMAGE ) ).empty() )
        CheckSprite( Text( Child( *root, keys::LEVEL_BACKGROUND_IMAGE ) ), file, keys::LEVEL_BACKGROUND_IMAGE );
}

std::vector<std::string> CDataChecker::LevelFilesIn( const std::string& input )
{
    std::error_code error;
    if( !std::filesystem::is_directory( input, error ) )
        return { input };
    std::vector<std::string> found;
    for( std::filesystem::directory_iterator it( input, error ), end; !error && it != end; it.increment( error ) )
    {
        if( it->path().extension() == ".xml" )
            found.push_back( it->path().string() );
    }
    if( error )
        Error( input, "", "the folder cannot be read: " + error.message() );
    else if( found.empty() )
        Error( input, "", "the folder holds no level files (*.xml)" );
    std::sort( found.begin(), found.end() );
    return found;
}

void CDataChecker::CheckLevel( const std::string& file )
{
    const std::string fault = FileFault( file );
    if( !fault.empty() )
    {
        Error( file, "", "the level file " + fault );
        return;
    }
    std::unique_ptr<CXmlNode> root = XmlParseFile( file );
    if( !root )
    {
        Error( file, "", "the level file holds no element" );
        return;
    }
    if( !HasRoot( *root, keys::LEVEL_ROOT, file ) )
        return;
    CheckKeyOrder( *root, keys::LEVEL, file, "" );
    CheckScript( Text( Child( *root, keys::START_UP_EXECUTE ) ), file, keys::START_UP_EXECUTE );
    if( !Text( Child( *root, keys::LEVEL_BACKGROUND_IMAGE ) ).empty() )
        CheckSprite( Text( Child( *root, keys::LEVEL_BACKGROUND_IMAGE ) ), file, keys::LEVEL_BACKGROUND_IMAGE );
    if( Exists( Text( Child( *root, keys::BACKGROUND_LAYER ) ), file, keys::BACKGROUND_LAYER ) )
        CheckBackgroundLayer( Text( Child( *root, keys::BACKGROUND_LAYER ) ) );
    if( !Text( Child( *root, keys::BAD_GUY_IMAGE ) ).empty() )
        CheckSprite( Text( Child( *root, keys::BAD_GUY_IMAGE ) ), file, keys::BAD_GUY_IMAGE );

    if( const CXmlNode* events = Child( *root, keys::AREA_EVENTS ) )
    {
        for( std::size_t i = 0; i < events->GetChildCount(); ++i )
        {
            const CXmlNode& event = *events->GetChild( i );
            const std::string where = ItemPath( keys::AREA_EVENTS, keys::AREA_EVENT, i );
            CheckKeyOrder( event, keys::AREA_EVENT_ITEM, file, where );
            CheckScript( Text( Child( event, keys::EXECUTE ) ), file, where + keys::EXECUTE );
            // Once is a door opening; more is a portal each time, without end.
            const std::string script = ToUpper( Text( Child( event, keys::EXECUTE ) ) );
            const bool addsPortal = script.find( "ADDPORTAL" ) != std::string::npos;
            if( addsPortal && std::atof( event.GetAttribute( "how_many_times" ).c_str() ) > 1 )
                Warn( file, where + keys::EXECUTE,
                      "an event that runs more than once adds a portal each time (a level holds at most " +
                          std::to_string( CHorrorGameplay::MAX_AREA_EVENTS ) + " events)" );
        }
    }
    if( const CXmlNode* portals = Child( *root, keys::PORTALS ) )
    {
        for( std::size_t i = 0; i < portals->GetChildCount(); ++i )
        {
            const CXmlNode& portal = *portals->GetChild( i );
            const std::string where = ItemPath( keys::PORTALS, keys::PORTAL, i );
            CheckKeyOrder( portal, keys::PORTAL_ITEM, file, where );
            if( !Text( Child( portal, keys::PORTAL_IMAGE ) ).empty() )
                CheckSprite( Text( Child( portal, keys::PORTAL_IMAGE ) ), file, where + keys::PORTAL_IMAGE );
            Exists( Text( Child( portal, keys::NEXT_FILE ) ), file, where + keys::NEXT_FILE );
        }
    }
    for( const CLevelGeometryCheck::Fault& fault : CLevelGeometryCheck::FindUnusableNumbers( *root ) )
        Error( file, fault.key, fault.message );
    CheckLevelLayout( *root, file );
    for( const CCaptionCheck::Fault& fault : myCaptionCheck.Check( file, myChecked ) )
        Warn( fault.file, fault.key, fault.message );
}

void CDataChecker::CheckLevelLayout( const CXmlNode& root, const std::string& file )
{
    // The level's own scripts in the order they can run: the start-up first.
    std::vector<std::pair<std::string, std::string>> scripts{
        { keys::START_UP_EXECUTE, Text( Child( root, keys::START_UP_EXECUTE ) ) } };
    if( const CXmlNode* events = Child( root, keys::AREA_EVENTS ) )
    {
        for( std::size_t i = 0; i < events->GetChildCount(); ++i )
            scripts.emplace_back( ItemPath( keys::AREA_EVENTS, keys::AREA_EVENT, i ) + keys::EXECUTE,
                                  Text( Child( *events->GetChild( i ), keys::EXECUTE ) ) );
    }
    bool opensWithDialogue = false;
    for( const std::string& statement : Statements( scripts.front().second ) )
    {
        const std::string name = ToUpper( CommandName( statement ) );
        opensWithDialogue = opensWithDialogue || name == "LOADDIALOG" || name == "DODIALOG";
    }
    const SpritePtr box = CDialogue::MakeOpenBox();
    const types::rect covered = box && opensWithDialogue ? box->GetRect() : types::rect();
    for( const CLevelGeometryCheck::Fault& fault : CLevelGeometryCheck::Check( file, covered ) )
    {
        if( fault.warning )
            Warn( file, fault.key, fault.message );
        else
            Error( file, fault.key, fault.message );
    }
    CheckDecorations( PlaceSprites( scripts ), box.get(), file );
}

std::vector<CDataChecker::Placement>
CDataChecker::PlaceSprites( const std::vector<std::pair<std::string, std::string>>& scripts )
{
    std::vector<Placement> placed;
    std::map<std::string, Placement> shown;
    for( const auto& [ key, script ] : scripts )
    {
        for( const std::string& statement : Statements( script ) )
        {
            const std::string name = ToUpper( CommandName( statement ) );
            const std::vector<std::string> args = Arguments( statement );
            if( args.empty() )
                continue;
            if( name == "REMOVESPRITE" )
                shown.erase( args[ 0 ] );
            if( name == "ADDSPRITE" && args.size() > 1 )
            {
                SpritePtr sprite( CSpriteFactory::LoadSprite( args[ 1 ] ) );
                if( !sprite )
                    continue;
                shown[ args[ 0 ] ] = Placement{ args[ 0 ], args[ 1 ], key, sprite->GetRect(), sprite->GetZ(),
                                                dynamic_cast<CTextSprite*>( sprite.get() ) != nullptr };
                placed.push_back( shown[ args[ 0 ] ] );
            }
            const auto moved = shown.find( args[ 0 ] );
            if( name == "SPRITEMOVETO" && args.size() > 2 && moved != shown.end() )
            {
                moved->second.rect.x = std::atoi( args[ 1 ].c_str() );
                moved->second.rect.y = std::atoi( args[ 2 ].c_str() );
                moved->second.key = key;
                placed.push_back( moved->second );
            }
        }
    }
    return placed;
}

void CDataChecker::CheckDecorations( const std::vector<Placement>& placed, const CSprite* box, const std::string& file )
{
    const auto describe = []( const Placement& p ) {
        return "\"" + p.name + "\" (" + p.file + " at " + Where( p.rect ) + ")";
    };
    for( const Placement& decoration : placed )
    {
        if( decoration.text )
            continue;
        for( const Placement& text : placed )
        {
            if( text.text && text.name != decoration.name && Intersects( decoration.rect, text.rect ) )
                Warn( file, decoration.key, "the sprite " + describe( decoration ) +
                                                " is drawn over the text sprite " + describe( text ) );
        }
        // Depth as the screen sorts it: the smaller Z is drawn in front.
        if( box && decoration.z <= box->GetZ() && Intersects( decoration.rect, box->GetRect() ) )
            Warn( file, decoration.key, "the sprite " + describe( decoration ) + " (Z " +
                                            std::to_string( decoration.z ) + ") is drawn over the dialogue box (" +
                                            Where( box->GetRect() ) + ", Z " + std::to_string( box->GetZ() ) + ")" );
    }
}

} // namespace horror
