#include "tarn/tasks/cinputrecorder.h"

#include <ctime>
#include <fstream>

#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/enginetime.h"
#include "tarn/utils/random.h"

namespace tarn {

CInputRecorder::CInputRecorder( const std::string& filename ) :
    myFileName( filename ),
    myRandomStart( static_cast<std::uint32_t>( std::time( nullptr ) ) )
{
    std::ofstream file( myFileName, std::ios::out | std::ios::trunc );
    file << myRandomStart << "\n";
    // Lines that cannot be written are dropped one by one later; say once
    // that this recording will be lost rather than leave the author
    // believing it worked.
    if( !file )
        GetLog().Error() << "RecordInput - could not write the record file " << myFileName << "\n";
    StartUniformRandom( myRandomStart );
    CInputDispatcher::GetSingletonPtr()->AddMouseListener( this );
}

CInputRecorder::~CInputRecorder()
{
    Stop();
}

void CInputRecorder::Stop()
{
    if( CInputDispatcher::HasSingleton() )
        CInputDispatcher::GetSingletonPtr()->RemoveMouseListener( this );
}

void CInputRecorder::OnMouseMove( int x, int y )
{
    AppendLine( std::to_string( EngineTime() ) + " mm " + std::to_string( x ) + " " + std::to_string( y ) );
}

void CInputRecorder::OnMouseMoveRelative( int dx, int dy )
{
    // Playback reproduces absolute positions only.
    (void)dx;
    (void)dy;
}

void CInputRecorder::OnButtonDown( int button )
{
    AppendLine( std::to_string( EngineTime() ) + " md " + std::to_string( button ) );
}

void CInputRecorder::OnButtonUp( int button )
{
    AppendLine( std::to_string( EngineTime() ) + " mu " + std::to_string( button ) );
}

void CInputRecorder::AppendLine( const std::string& line ) const
{
    std::ofstream file( myFileName, std::ios::out | std::ios::app );
    file << line << "\n";
}

} // namespace tarn
