#include "horror/clevelfiles.h"

#include <functional>

#include "horror/datafilekeys.h"
#include "horror/scriptstatements.h"
#include "tarn/gfx/csurface.h"
#include "tarn/gfx/gfx.h"
#include "tarn/io/datafile.h"
#include "tarn/utils/ccolor.h"
#include "tarn/utils/cxmlnode.h"
#include "tarn/utils/cxmlparser.h"
#include "tarn/utils/cxmltreebuilder.h"
#include "tarn/utils/stringutils.h"

using namespace tarn;

namespace horror {

namespace {

// Sprite description keys that name another sprite file.
const char* const SPRITE_FILE_KEYS[] = { "BackdropFile", "TopSprite", "BottomSprite" };
const char* const PICTURE_KEY = "ImageFilename";

// Builds the tree as the game's loaders do and keeps the elements still open
// at the end: the loaders read a file cut short (half saved, say) as if it
// were whole, which a reload must not take for the author's intent.
class CCutShortFinder final : public CXmlHandler
{
public:
    void StartDocument() override { myBuilder.StartDocument(); }
    void Characters( const std::string& text ) override { myBuilder.Characters( text ); }
    void StartElement( const std::string& name, const XmlAttributeMap& attributes ) override
    {
        myOpen.push_back( name );
        myBuilder.StartElement( name, attributes );
    }
    void EndElement( const std::string& name ) override
    {
        if( !myOpen.empty() )
            myOpen.pop_back();
        myBuilder.EndElement( name );
    }
    void EndDocument() override { myBuilder.EndDocument(); }

    CXmlTreeBuilder& GetBuilder() { return myBuilder; }
    // The innermost element left open; "" when every one was closed.
    std::string GetOpen() const { return myOpen.empty() ? "" : myOpen.back(); }

private:
    CXmlTreeBuilder myBuilder;
    std::vector<std::string> myOpen;
};

std::string Text( const CXmlNode& node, const std::string& name )
{
    for( std::size_t i = 0; i < node.GetChildCount(); ++i )
    {
        if( node.GetChild( i )->GetName() == name )
            return TrimBlanks( node.GetChild( i )->GetContent() );
    }
    return "";
}

bool EndsWithXml( const std::string& name )
{
    return name.size() >= 3 && name.compare( name.size() - 3, 3, "xml" ) == 0;
}

} // namespace

CLevelFiles::CLevelFiles( const std::string& level )
{
    AddLevel( level );
}

void CLevelFiles::CheckPictures()
{
    for( const std::string& picture : myPictures )
    {
        const std::unique_ptr<CSurface> image = Gfx::LoadImage( picture, CColor( 255, 0, 255 ) );
        if( !image || image->IsNull() || image->IsEmpty() )
            Fail( picture, "does not load as a picture" );
    }
}

void CLevelFiles::Fail( const std::string& file, const std::string& why )
{
    if( myFault.empty() )
        myFault = file + ": " + why;
}

bool CLevelFiles::Add( const std::string& file )
{
    if( file.empty() || !mySeen.insert( file ).second )
        return false;
    myFiles.push_back( file );
    const std::string fault = DataFileFault( file );
    if( fault.empty() )
        return true;
    Fail( file, fault );
    return false;
}

std::unique_ptr<CXmlNode> CLevelFiles::Read( const std::string& file, const std::string& rootName )
{
    if( !Add( file ) )
        return nullptr;
    CCutShortFinder finder;
    CXmlParser( finder ).Parse( file );
    std::unique_ptr<CXmlNode> root = finder.GetBuilder().TakeRoot();
    if( !root )
        Fail( file, "holds no element" );
    else if( !rootName.empty() && root->GetName() != rootName )
        Fail( file, "holds a <" + root->GetName() + ">, not a <" + rootName + ">" );
    else if( !finder.GetOpen().empty() )
        Fail( file, "ends before the element <" + finder.GetOpen() + "> is closed" );
    else
        return root;
    return nullptr;
}

void CLevelFiles::AddLevel( const std::string& file )
{
    const std::unique_ptr<CXmlNode> root = Read( file, keys::LEVEL_ROOT );
    if( !root )
        return;
    AddScript( Text( *root, keys::START_UP_EXECUTE ) );
    AddSprite( Text( *root, keys::LEVEL_BACKGROUND_IMAGE ) );
    AddLayer( Text( *root, keys::BACKGROUND_LAYER ) );
    AddSprite( Text( *root, keys::BAD_GUY_IMAGE ) );
    const auto each = [ &root ]( const char* list, const std::function<void( const CXmlNode& )>& act ) {
        for( std::size_t i = 0; i < root->GetChildCount(); ++i )
        {
            const CXmlNode& node = *root->GetChild( i );
            for( std::size_t j = 0; node.GetName() == list && j < node.GetChildCount(); ++j )
                act( *node.GetChild( j ) );
        }
    };
    each( keys::AREA_EVENTS, [ this ]( const CXmlNode& event ) { AddScript( Text( event, keys::EXECUTE ) ); } );
    each( keys::PORTALS, [ this ]( const CXmlNode& portal ) { AddSprite( Text( portal, keys::PORTAL_IMAGE ) ); } );
}

void CLevelFiles::AddLayer( const std::string& file )
{
    if( const std::unique_ptr<CXmlNode> root = Read( file, keys::LAYER_ROOT ) )
        AddSprite( Text( *root, keys::LEVEL_BACKGROUND_IMAGE ) );
}

void CLevelFiles::AddDialogue( const std::string& file )
{
    const std::unique_ptr<CXmlNode> root = Read( file, keys::DIALOGUE_ROOT );
    for( std::size_t i = 0; root && i < root->GetChildCount(); ++i )
    {
        AddSprite( Text( *root->GetChild( i ), keys::SPEAKER_IMAGE ) );
        AddScript( Text( *root->GetChild( i ), keys::AFTER_EXECUTE ) );
    }
}

void CLevelFiles::AddSprite( const std::string& file )
{
    if( !EndsWithXml( file ) )
    {
        if( Add( file ) )
            myPictures.push_back( file );
        return;
    }
    const std::unique_ptr<CXmlNode> root = Read( file, "" );
    if( !root )
        return;
    AddSprite( Text( *root, PICTURE_KEY ) );
    for( const char* key : SPRITE_FILE_KEYS )
        AddSprite( Text( *root, key ) );
}

void CLevelFiles::AddScript( const std::string& script )
{
    for( const std::string& statement : Statements( script ) )
    {
        const std::string name = ToUpper( CommandName( statement ) );
        const std::vector<std::string> args = Arguments( statement );
        const auto arg = [ &args ]( std::size_t i ) { return i < args.size() ? args[ i ] : std::string(); };
        if( name == "LOADDIALOG" )
            AddDialogue( arg( 0 ) );
        else if( name == "DODIALOG" )
            AddSprite( arg( 0 ) );
        else if( name == "ADDPORTAL" )
            AddSprite( arg( 2 ) );
        else if( name == "ADDSPRITE" )
            AddSprite( arg( 1 ) );
    }
}

} // namespace horror
