#include "tarn/utils/cloglistenerforfile.h"

namespace tarn {

CLogListenerForFile::CLogListenerForFile( std::unique_ptr<CLogFile> file ) :
    myFile( std::move( file ) )
{
}

void CLogListenerForFile::OnMessage( const std::string& text, int level )
{
    if( !myFile )
        return;
    if( level >= 0 && level < myMinimumLevel )
        return;
    myFile->Write( text, level );
}

} // namespace tarn
