#include "tarn/tasks/caudiotask.h"

#include "tarn/audio/caudiocommands.h"
#include "tarn/audio/caudiodevice.h"
#include "tarn/audio/ceffectplayer.h"
#include "tarn/audio/cmusicplayer.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/utils/canycontainer.h"

namespace tarn {

CAudioTask::CAudioTask( std::unique_ptr<CAudioDevice> device ) :
    myDevice( std::move( device ) )
{
}

CAudioTask::~CAudioTask()
{
    Close();
}

bool CAudioTask::Init( CAnyContainer* parameters )
{
    if( parameters )
        mySettings.Read( *parameters, GetName() );
    return Init();
}

bool CAudioTask::Init()
{
    if( !myDevice->Open( mySettings ) )
        return false;
    myMusicPlayer = std::make_unique<CMusicPlayer>( *myDevice );
    myEffectPlayer = std::make_unique<CEffectPlayer>( *myDevice );
    myConsole = CreateConsole();
    myCommands = std::make_unique<CAudioCommands>( *myMusicPlayer, *myEffectPlayer );
    myCommands->BindTo( *myConsole );
    return true;
}

void CAudioTask::Update()
{
    if( myMusicPlayer )
        myMusicPlayer->Update();
    if( myEffectPlayer )
        myEffectPlayer->Update();
}

void CAudioTask::Exit()
{
    Close();
}

void CAudioTask::Close()
{
    // The console points at the commands, which point at the players, which
    // hold sounds of the device.
    myConsole.reset();
    myCommands.reset();
    myMusicPlayer.reset();
    myEffectPlayer.reset();
    myDevice->Close();
}

// Without an open device (Init failed, or the task has exited) there is
// nothing to pause, and the mixer's channel table may already be gone.
void CAudioTask::OnPause()
{
    if( !myMusicPlayer )
        return;
    myMusicPlayer->Pause();
    myDevice->PauseEffects();
}

void CAudioTask::OnResume()
{
    if( !myMusicPlayer )
        return;
    myMusicPlayer->Resume();
    myDevice->ResumeEffects();
}

bool CAudioTask::HandleCommand( const std::string& command )
{
    if( myConsole )
        myConsole->Execute( command, false );
    return true;
}

} // namespace tarn
