#include "horror/ccaptioncheck.h"

#include <filesystem>
#include <memory>

#include "horror/cbadguy.h"
#include "tarn/io/datafile.h"
#include "tarn/utils/cxmlnode.h"
#include "tarn/utils/stringutils.h"
#include "tarn/utils/xmlobject.h"

using namespace tarn;

namespace horror {

namespace {

// The effect files that a script's PlayEffect lines name, unquoted.
std::vector<std::string> PlayedEffects( const std::string& script )
{
    static const std::string COMMAND = "PLAYEFFECT";
    std::vector<std::string> files;
    const std::string upper = ToUpper( script );
    for( auto at = upper.find( COMMAND ); at != std::string::npos; at = upper.find( COMMAND, at + COMMAND.size() ) )
    {
        const std::string::size_type open = script.find( '(', at );
        const std::string::size_type close = open == std::string::npos ? open : script.find( ')', open );
        if( close == std::string::npos )
            break;
        std::string file = TrimBlanks( script.substr( open + 1, close - open - 1 ) );
        if( file.size() >= 2 && file.front() == '"' && file.back() == '"' )
            file = file.substr( 1, file.size() - 2 );
        files.push_back( file );
    }
    return files;
}

} // namespace

std::vector<CCaptionCheck::Fault> CCaptionCheck::Check( const std::string& level, const std::set<std::string>& others )
{
    myFaults.clear();
    if( !myStarted )
    {
        myStarted = true;
        myHasCaptions = DataFileFault( CAPTION_FILE ) != FILE_MISSING;
        if( myHasCaptions && !myCaptions.Load( CAPTION_FILE ) )
        {
            myHasCaptions = false;
            myFaults.push_back( Fault{ CAPTION_FILE, "", "the caption file cannot be read" } );
        }
        for( int shriek = 1; myHasCaptions && shriek <= CBadGuy::SHRIEK_COUNT; ++shriek )
            CheckSound( CBadGuy::ShriekFile( shriek ), "the game's code", "the bad guy's shriek" );
    }
    if( !myHasCaptions )
        return myFaults;
    CheckFile( level );
    for( const std::string& file : others )
        CheckFile( file );
    return myFaults;
}

void CCaptionCheck::CheckFile( const std::string& file )
{
    if( std::filesystem::path( file ).extension() != ".xml" || !myRead.insert( file ).second )
        return;
    std::unique_ptr<CXmlNode> root = XmlParseFile( file );
    if( !root )
        return;
    std::vector<const CXmlNode*> pending{ root.get() };
    while( !pending.empty() )
    {
        const CXmlNode* node = pending.back();
        pending.pop_back();
        if( node->HasAttribute( "sound_file" ) )
            CheckSound( node->GetAttribute( "sound_file" ), file, "sound_file" );
        for( const std::string& sound : PlayedEffects( node->GetContent() ) )
            CheckSound( sound, file, node->GetName() + " (PlayEffect)" );
        for( std::size_t i = 0; i < node->GetChildCount(); ++i )
            pending.push_back( node->GetChild( i ) );
    }
}

void CCaptionCheck::CheckSound( const std::string& sound, const std::string& file, const std::string& key )
{
    if( sound.empty() || !myCaptions.Find( sound ).empty() || !myReported.insert( sound ).second )
        return;
    myFaults.push_back(
        Fault{ file, key, "the sound \"" + sound + "\" has no caption in " + std::string( CAPTION_FILE ) } );
}

} // namespace horror
