#include "tarn/audio/ccaptiontable.h"

#include "tarn/utils/clogger.h"
#include "tarn/utils/cxmlnode.h"
#include "tarn/utils/stringutils.h"
#include "tarn/utils/xmlobject.h"

namespace tarn {

bool CCaptionTable::Load( const std::string& file )
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

std::string CCaptionTable::Find( const std::string& sound ) const
{
    const auto found = myTexts.find( sound );
    return found == myTexts.end() ? "" : found->second;
}

} // namespace tarn
