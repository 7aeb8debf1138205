#include "tarn/gfx/cframesound.h"

#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/xmlbind.h"

namespace tarn {

CFrameSound::CFrameSound( const std::string& soundFile ) :
    mySoundFile( soundFile )
{
}

int CFrameSound::GetType() const
{
    return KIND_SOUND;
}

bool CFrameSound::Apply( CSprite* sprite, types::ticks elapsed )
{
    if( myWrapped )
        myWrapped->Apply( sprite, elapsed );
    if( mySoundFile.empty() )
        return true;
    // The name goes into the line between quotes; a quote in it would end
    // the argument early and let the rest of the name run as script.
    if( mySoundFile.find( '"' ) != std::string::npos )
    {
        GetLog().Error() << "CFrameSound - sound file name with a quote not played: " << mySoundFile << "\n";
        return true;
    }
    GetConsole()->Execute( PlayLine( mySoundFile ), false );
    return true;
}

types::ticks CFrameSound::GetInterval() const
{
    return myWrapped ? myWrapped->GetInterval() : GetLength();
}

types::ticks CFrameSound::GetLength() const
{
    return myWrapped ? myWrapped->GetLength() : 0;
}

void CFrameSound::Serialize( CXmlFileSys* filesys )
{
    XmlBindAttribute( filesys, mySoundFile, "sound_file" );
}

std::string CFrameSound::PlayLine( const std::string& file )
{
    return "Audio::PlayEffect( \"" + file + "\" );";
}

} // namespace tarn
