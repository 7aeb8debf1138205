#include "tarn/audio/ccaptions.h"

#include <algorithm>

#include "tarn/utils/clogger.h"
#include "tarn/utils/cxmlnode.h"
#include "tarn/utils/enginetime.h"
#include "tarn/utils/stringutils.h"
#include "tarn/utils/xmlobject.h"

namespace tarn {

CCaptions::CCaptions( const int& on ) :
    myOn( on )
{
}

bool CCaptions::Load( const std::string& file )
{
    std::unique_ptr<CXmlNode> root = XmlParseFileOfKind( file, "Captions" );
    if( !root )
    {
        GetLog().Error() << "Captions: could not read the caption file " << file << "\n";
        return false;
    }
    for( std::size_t i = 0; i < root->GetChildCount(); ++i )
    {
        const CXmlNode& caption = *root->GetChild( i );
        const std::string sound = caption.GetAttribute( "sound_file" );
        const std::string text = TrimBlanks( caption.GetContent() );
        if( caption.GetName() != "Caption" || sound.empty() || text.empty() )
        {
            GetLog().Warning() << "Captions: " << file << ": skipped <" << caption.GetName()
                               << ">, a caption needs a sound_file and a text\n";
            continue;
        }
        myTexts[ sound ] = text;
    }
    GetLog() << "Captions: " << myTexts.size() << " captions read from " << file << "\n";
    return true;
}

std::string CCaptions::Find( const std::string& sound ) const
{
    const auto found = myTexts.find( sound );
    return found == myTexts.end() ? "" : found->second;
}

void CCaptions::OnEffectStarted( const std::string& file, std::optional<types::ticks> length )
{
    const std::string text = Find( file );
    if( !myOn || text.empty() )
        return;
    const Shown shown{ text, EngineTime(), length.value_or( DEFAULT_LENGTH ) };
    const auto same = std::find_if( myShown.begin(), myShown.end(), [ &text ]( const Shown& s ) { return s.text == text; } );
    if( same != myShown.end() )
    {
        *same = shown;
        return;
    }
    myShown.push_back( shown );
    if( myShown.size() > MAX_LINES )
        myShown.pop_front();
}

std::vector<CCaptions::Line> CCaptions::GetLines()
{
    if( !myOn )
        myShown.clear();
    const types::ticks now = EngineTime();
    const auto over = [ now ]( const Shown& s ) { return now - s.start >= s.length + FADE_TIME; };
    myShown.erase( std::remove_if( myShown.begin(), myShown.end(), over ), myShown.end() );

    std::vector<Line> lines;
    for( const Shown& shown : myShown )
    {
        const types::ticks age = now - shown.start;
        const types::ticks fading = age > shown.length ? age - shown.length : 0;
        lines.push_back( Line{ shown.text, static_cast<int>( 255 * ( FADE_TIME - fading ) / FADE_TIME ) } );
    }
    return lines;
}

} // namespace tarn
