#include "horror/cgamecommands.h"

#include "horror/cdialogue.h"
#include "horror/chorrorgame.h"
#include "horror/chorrorgameplay.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/gfx/ceffectfunction.h"
#include "tarn/gfx/cmoveeffect.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/cspriteupdater.h"
#include "tarn/utils/canycontainer.h"
#include "tarn/utils/numberutils.h"

using namespace tarn;

namespace horror {

namespace {

const char* const NEED_PARAMETERS = "Error: need parameters";

std::string StringArg( CAnyContainer* args, std::size_t i )
{
    return args && args->IsType( i, CAnyContainer::TYPE_STRING ) ? args->GetString( i ) : "";
}

int NumberArg( CAnyContainer* args, std::size_t i )
{
    return args && args->IsType( i, CAnyContainer::TYPE_NUMBER ) ? TruncateToInt( args->GetNumber( i ) ) : 0;
}

// True when missing or not a number; otherwise whether the whole part is not 0.
bool FlagArg( CAnyContainer* args, std::size_t i )
{
    return !args || !args->IsType( i, CAnyContainer::TYPE_NUMBER ) || TruncateToInt( args->GetNumber( i ) ) != 0;
}

// Fades sprite's alpha from 0 to 255 as the game's fades do (every second
// update, clamped progress).
void FadeIn( CSprite* sprite, types::ticks duration, const std::string& progress )
{
    if( !sprite )
        return;
    sprite->SetAlpha( 0 );
    StartEffect(
        std::make_unique<CFunctionEffect>( std::make_unique<CAlphaFunction>( sprite, 255, 2 ), duration, progress, true ) );
}

} // namespace

CGameCommands::CGameCommands( CConsole& console, CHorrorGame& game ) :
    myConsole( console ),
    myGame( game )
{
    auto flag = [ this ]( void ( CHorrorGameplay::*setter )( bool ) ) {
        return [ this, setter ]( Args args ) -> std::string {
            ( myGame.GetGameplay().*setter )( FlagArg( args, 0 ) );
            return "";
        };
    };
    Add( "LoadLevel", [ this ]( Args args ) { return LoadLevel( args ); } );
    Add( "StartLevel", [ this ]( Args args ) { return StartLevel( args ); } );
    Add( "LoadDialog", [ this ]( Args args ) { return LoadDialog( args ); } );
    Add( "DoDialog", [ this ]( Args args ) { return DoDialog( args ); } );
    Add( "SetPlayerEnabled", flag( &CHorrorGameplay::SetPlayerEnabled ) );
    Add( "SetBadguyEnabled", flag( &CHorrorGameplay::SetBadguyEnabled ) );
    Add( "SetPlayerShown", flag( &CHorrorGameplay::SetPlayerShown ) );
    Add( "SetBadguyShown", flag( &CHorrorGameplay::SetBadguyShown ) );
    Add( "AddPortal", [ this ]( Args args ) { return AddPortal( args ); } );
    Add( "AddSprite", [ this ]( Args args ) { return AddSprite( args ); } );
    Add( "RemoveSprite", [ this ]( Args args ) { return RemoveSprite( args ); } );
    Add( "SpritePlayAnimation", [ this ]( Args args ) { return SpritePlayAnimation( args ); } );
    Add( "SpriteMoveTo", [ this ]( Args args ) { return SpriteMoveTo( args ); } );
    Add( "PlayMusic", [ this ]( Args args ) { return PlayMusic( args ); } );
    Add( "EndGame", [ this ]( Args ) { return EndGame(); }, false );
    Add( "ReloadLevel", [ this ]( Args ) { return ReloadLevel(); }, false );
    ApplyCommandHelp( myConsole, GetCommandHelp() );
}

const CommandHelpTable& CGameCommands::GetCommandHelp()
{
    static const CommandHelpTable table = {
        { "LoadLevel", "LoadLevel( \"file\" )", "Loads the level file at the next game update." },
        { "StartLevel", "StartLevel( \"file\" )", "Ends the title or the questions and loads the level file." },
        { "LoadDialog", "LoadDialog( \"file\" )", "Loads the dialogue file at the next game update." },
        { "DoDialog", "DoDialog( \"speaker image\", \"text\" )",
          "Shows the speaker's image and the text in the dialogue." },
        { "SetPlayerEnabled", "SetPlayerEnabled( flag )", "Lets the player move the icon, or not with 0." },
        { "SetBadguyEnabled", "SetBadguyEnabled( flag )", "Lets the chaser move, or not with 0." },
        { "SetPlayerShown", "SetPlayerShown( flag )", "Shows the player's icon, or hides it with 0." },
        { "SetBadguyShown", "SetBadguyShown( flag )", "Shows the chaser, or hides it with 0." },
        { "AddPortal", "AddPortal( x, y, \"portal image\", \"next file\" )",
          "Adds a portal at x, y that leads to the next level file." },
        { "AddSprite", "AddSprite( \"name\", \"sprite file\" )", "Shows a sprite from a sprite file under a name." },
        { "RemoveSprite", "RemoveSprite( \"name\" )", "Removes the named sprite." },
        { "SpritePlayAnimation", "SpritePlayAnimation( \"name\", \"animation\" )",
          "Plays an animation of the named sprite." },
        { "SpriteMoveTo", "SpriteMoveTo( \"name\", x, y )", "Moves the named sprite to x, y." },
        { "PlayMusic", "PlayMusic( \"file\" )",
          "Fades the music file in over 500 ms, unless it is the music this command started last." },
        { "EndGame", "EndGame", "Plays the end of the game." },
        { "ReloadLevel", "ReloadLevel",
          "Reads the current level's files again and restarts it; a file that does not load leaves it running." },
    };
    return table;
}

CGameCommands::~CGameCommands()
{
    for( const std::string& name : myNames )
        myConsole.RemoveCommand( name );
}

CSprite* CGameCommands::Named( const std::string& name ) const
{
    const NamedSprites& named = myGame.GetNamedSprites();
    const auto found = named.find( name );
    return found == named.end() ? nullptr : found->second.get();
}

void CGameCommands::Add( const std::string& name, CCommandFunction::Function function, bool needsParameters )
{
    auto command = std::make_unique<CCommandFunction>( [ function, needsParameters ]( Args args ) -> std::string {
        if( !args && needsParameters )
            return NEED_PARAMETERS;
        return function( args );
    } );
    myConsole.AddCommand( name, command.get() );
    myNames.push_back( name );
    myCommands.push_back( std::move( command ) );
}

std::string CGameCommands::LoadLevel( Args args )
{
    myGame.RequestLevel( StringArg( args, 0 ) );
    return "";
}

std::string CGameCommands::StartLevel( Args args )
{
    myGame.SkipToLevel( StringArg( args, 0 ) );
    return "";
}

std::string CGameCommands::LoadDialog( Args args )
{
    myGame.RequestDialogue( StringArg( args, 0 ) );
    return "";
}

std::string CGameCommands::DoDialog( Args args )
{
    CDialogue* dialogue = myGame.GetDialogue();
    if( !dialogue )
        return "";
    dialogue->SetSpeakerImage( StringArg( args, 0 ) );
    dialogue->SetText( StringArg( args, 1 ) );
    return "";
}

std::string CGameCommands::AddPortal( Args args )
{
    myGame.GetGameplay().AddPortal( types::point{ NumberArg( args, 0 ), NumberArg( args, 1 ) }, StringArg( args, 2 ),
                                    StringArg( args, 3 ) );
    return "";
}

std::string CGameCommands::AddSprite( Args args )
{
    SpritePtr sprite = CSpriteFactory::LoadSprite( StringArg( args, 1 ) );
    // A name already in use keeps its sprite; the new one goes at once.
    if( sprite )
        myGame.GetNamedSprites().emplace( StringArg( args, 0 ), sprite );
    return "";
}

std::string CGameCommands::RemoveSprite( Args args )
{
    myGame.GetNamedSprites().erase( StringArg( args, 0 ) );
    return "";
}

std::string CGameCommands::SpritePlayAnimation( Args args )
{
    if( CSprite* sprite = Named( StringArg( args, 0 ) ) )
        sprite->PlayAnimation( StringArg( args, 1 ) );
    return "";
}

std::string CGameCommands::SpriteMoveTo( Args args )
{
    if( CSprite* sprite = Named( StringArg( args, 0 ) ) )
        sprite->SetPosition( NumberArg( args, 1 ), NumberArg( args, 2 ) );
    return "";
}

std::string CGameCommands::PlayMusic( Args args )
{
    const std::string file = StringArg( args, 0 );
    // The same music again goes on playing, so a level's start-up script can
    // name its music every time.
    if( file == myLastMusic )
        return "";
    myLastMusic = file;
    GetConsole()->Execute( "Audio::PlayMusicFadeIn( \"" + file + "\", 500 )", false );
    return "";
}

std::string CGameCommands::EndGame()
{
    myGame.StartEnd();
    myEndBlackout = CSpriteFactory::LoadSprite( "data/gfx/end_of_game_blackout.xml" );
    FadeIn( myEndBlackout.get(), 3000, "t" );
    myEndAnimation = CSpriteFactory::LoadSprite( "data/gfx/end_of_game_animation.xml" );
    FadeIn( myEndAnimation.get(), 7000, "sin(t*3.14)*2" );
    return "";
}

std::string CGameCommands::ReloadLevel()
{
    myGame.ReloadLevel();
    return "";
}

} // namespace horror
