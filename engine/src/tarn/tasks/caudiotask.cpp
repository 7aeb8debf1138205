#include "tarn/tasks/caudiotask.h"

#include "tarn/audio/caudiocommands.h"
#include "tarn/audio/caudiodevice.h"
#include "tarn/audio/ccaptions.h"
#include "tarn/audio/ceffectplayer.h"
#include "tarn/audio/cmusicplayer.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/console/csettingvar.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/font/cfont.h"
#include "tarn/tasks/ccaptiondisplay.h"
#include "tarn/utils/canycontainer.h"

namespace tarn {

namespace {
const char* const MUSIC_VOLUME = "music_volume";
const char* const EFFECTS_VOLUME = "effects_volume";
} // namespace

CAudioTask::CAudioTask( std::unique_ptr<CAudioDevice> device ) :
    myDevice( std::move( device ) )
{
}

CAudioTask::~CAudioTask()
{
    Close();
    if( myCaptionsSettingAdded && CConsoleHolder::HasSingleton() )
        GetConsole()->RemoveVariable( "captions" );
}

bool CAudioTask::Init( CAnyContainer* parameters )
{
    if( parameters )
        mySettings.Read( *parameters, GetName() );
    return Init();
}

bool CAudioTask::Init()
{
    // A volume takes effect as it is assigned, not by looking at it every pass.
    const CSettingVar::ChangeHandler apply = [ this ] { ApplyVolumeSettings(); };
    GetConsole()->AddVariable( MUSIC_VOLUME,
                               std::make_unique<CSettingVar>( MUSIC_VOLUME, &myMusicVolume, 0, 100, apply ),
                               "The music's volume in percent." );
    GetConsole()->AddVariable( EFFECTS_VOLUME,
                               std::make_unique<CSettingVar>( EFFECTS_VOLUME, &myEffectsVolume, 0, 100, apply ),
                               "The sound effects' volume in percent." );
    if( !myDevice->Open( mySettings ) )
        return false;
    myMusicPlayer = std::make_unique<CMusicPlayer>( *myDevice );
    myEffectPlayer = std::make_unique<CEffectPlayer>( *myDevice );
    myConsole = CreateConsole();
    myCommands = std::make_unique<CAudioCommands>(
        *myMusicPlayer, *myEffectPlayer,
        [ this ]( const std::string& file, const std::string& font, std::optional<int> bottom ) {
            LoadCaptions( file, font, bottom );
        } );
    myCommands->BindTo( *myConsole );
    // New players start at full volume.
    myAppliedMusicVolume = myAppliedEffectsVolume = 100;
    ApplyVolumeSettings();
    return true;
}

void CAudioTask::ApplyVolumeSettings()
{
    // Before the device opens (or after it closed) there are no players yet.
    if( !myMusicPlayer || !myEffectPlayer )
        return;
    if( myMusicVolume != myAppliedMusicVolume )
        myMusicPlayer->SetMasterVolume( static_cast<float>( myMusicVolume ) / 100.0f );
    if( myEffectsVolume != myAppliedEffectsVolume )
        myEffectPlayer->SetMasterVolume( static_cast<float>( myEffectsVolume ) / 100.0f );
    myAppliedMusicVolume = myMusicVolume;
    myAppliedEffectsVolume = myEffectsVolume;
}

void CAudioTask::Update()
{
    if( myMusicPlayer )
        myMusicPlayer->Update();
    if( myEffectPlayer )
        myEffectPlayer->Update();
    if( myCaptionDisplay )
        myCaptionDisplay->Show( myCaptions->GetLines() );
}

void CAudioTask::Exit()
{
    Close();
}

void CAudioTask::Close()
{
    if( CConsoleHolder::HasSingleton() )
    {
        GetConsole()->RemoveVariable( MUSIC_VOLUME );
        GetConsole()->RemoveVariable( EFFECTS_VOLUME );
    }
    // The console points at the commands, which point at the players, which
    // hold sounds of the device; the effect player points at the captions.
    myConsole.reset();
    myCommands.reset();
    myMusicPlayer.reset();
    myEffectPlayer.reset();
    myCaptionDisplay.reset();
    myCaptions.reset();
    myDevice->Close();
}

void CAudioTask::LoadCaptions( const std::string& file, const std::string& fontFile, std::optional<int> bottom )
{
    auto captions = std::make_unique<CCaptions>( myCaptionsOn );
    if( !captions->Load( file ) )
        return;
    myCaptionDisplay = std::make_unique<CCaptionDisplay>( CTextSprite::LoadFont( fontFile ), bottom );
    myEffectPlayer->SetListener( captions.get() );
    myCaptions = std::move( captions );
    if( myCaptionsSettingAdded )
        return;
    // A value given before the setting existed (typed, or read from a file)
    // is kept.
    CConsole* console = GetConsole();
    const std::string given = console->GetVariable( "captions" );
    console->AddVariable( "captions", std::make_unique<CSettingVar>( "captions", &myCaptionsOn, 0, 1 ),
                          "1 shows a caption for every sound effect the caption file names." );
    if( !given.empty() )
        console->SetVariable( "captions", given );
    myCaptionsSettingAdded = true;
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

const CConsole* CAudioTask::GetCommandConsole() const
{
    return myConsole.get();
}

} // namespace tarn
