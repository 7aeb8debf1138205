#include "tarn/audio/caudiocommands.h"

#include "tarn/audio/ceffectplayer.h"
#include "tarn/audio/cmusicplayer.h"
#include "tarn/console/ccommandfunction.h"
#include "tarn/console/cconsole.h"
#include "tarn/utils/canycontainer.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/numberutils.h"

namespace tarn {

namespace {

const int DEFAULT_FADE_IN_TIME = 1000;

std::string Complain( const std::string& message )
{
    GetLog().Warning() << message << "\n";
    return "";
}

// args holds a string in front; otherwise the matching complaint is logged.
bool HasFileArgument( const std::string& command, CAnyContainer* args )
{
    if( !args )
    {
        Complain( command + " -command requires atleast one parameter" );
        return false;
    }
    if( !args->IsType( 0, CAnyContainer::TYPE_STRING ) )
    {
        Complain( command + " -command the 1st parameter is of wrong type, should be string" );
        return false;
    }
    return true;
}

} // namespace

CAudioCommands::CAudioCommands( CMusicPlayer& music, CEffectPlayer& effects, CaptionLoader captionLoader ) :
    myMusic( music ),
    myEffects( effects ),
    myCaptionLoader( std::move( captionLoader ) )
{
    using Handler = std::string ( CAudioCommands::* )( CAnyContainer* );
    const std::pair<const char*, Handler> table[] = {
        { "PlayMusic", &CAudioCommands::PlayMusic },
        { "PlayMusicFadeIn", &CAudioCommands::PlayMusicFadeIn },
        { "StopMusic", &CAudioCommands::StopMusic },
        { "StopMusicFadeOut", &CAudioCommands::StopMusicFadeOut },
        { "PlayEffect", &CAudioCommands::PlayEffect },
        { "PreloadEffect", &CAudioCommands::PreloadEffect },
        { "LoadCaptions", &CAudioCommands::LoadCaptions },
    };
    for( const auto& [ name, handler ] : table )
    {
        auto command = std::make_unique<CCommandFunction>(
            [ this, handler = handler ]( CAnyContainer* args ) { return ( this->*handler )( args ); } );
        myCommands.emplace_back( name, std::move( command ) );
    }
}

CAudioCommands::~CAudioCommands() = default;

void CAudioCommands::BindTo( CConsole& console )
{
    for( const auto& [ name, command ] : myCommands )
        console.AddCommand( name, command.get() );
    ApplyCommandHelp( console, GetCommandHelp() );
}

const CommandHelpTable& CAudioCommands::GetCommandHelp()
{
    static const CommandHelpTable table = {
        { "PlayMusic", "PlayMusic( \"file\" )", "Plays the music file, looping." },
        { "PlayMusicFadeIn", "PlayMusicFadeIn( \"file\" [, ms] )",
          "Plays the music file, looping, fading in over ms milliseconds (1000 by default)." },
        { "StopMusic", "StopMusic", "Stops the music." },
        { "StopMusicFadeOut", "StopMusicFadeOut( ms )", "Fades the music out over ms milliseconds." },
        { "PlayEffect", "PlayEffect( \"file\" )", "Plays the sound effect file once." },
        { "PreloadEffect", "PreloadEffect( \"file\" )",
          "Reads the sound effect file now, so that it plays at once later." },
        { "LoadCaptions", "LoadCaptions( \"file\" [, \"font\" [, bottom]] )",
          "Shows captions for the effects heard, from the caption file, in the font (\"nothing\": the built-in one), "
          "the lowest ending at screen row bottom." },
    };
    return table;
}

std::string CAudioCommands::PlayMusic( CAnyContainer* args )
{
    if( HasFileArgument( "PlayMusic", args ) )
        myMusic.Play( args->GetString( 0 ) );
    return "";
}

std::string CAudioCommands::PlayMusicFadeIn( CAnyContainer* args )
{
    if( !HasFileArgument( "PlayMusicFadeIn", args ) )
        return "";

    int fadeTime = DEFAULT_FADE_IN_TIME;
    if( args->IsType( 1, CAnyContainer::TYPE_NUMBER ) )
        fadeTime = TruncateToInt( args->GetNumber( 1 ) );
    else if( !args->IsType( 1, CAnyContainer::TYPE_EMPTY ) )
        Complain( "PlayMusicFadeIn -command the 2nd parameter is of wrong type, should be a number" );

    myMusic.SetFade( true );
    myMusic.SetFadeTime( fadeTime );
    myMusic.Play( args->GetString( 0 ) );
    return "";
}

std::string CAudioCommands::StopMusic( CAnyContainer* args )
{
    if( args )
        Complain( "StopMusic -command, no parameters needed" );
    myMusic.Stop();
    return "";
}

std::string CAudioCommands::StopMusicFadeOut( CAnyContainer* args )
{
    if( !args )
        return Complain( "StopMusicFadeOut -command requires atleast one parameter" );
    if( !args->IsType( 0, CAnyContainer::TYPE_NUMBER ) )
        return Complain( "StopMusicFadeOut -command the 1st parameter is of wrong type, should be number" );

    myMusic.SetFade( true );
    myMusic.SetFadeTime( TruncateToInt( args->GetNumber( 0 ) ) );
    myMusic.Stop();
    return "";
}

std::string CAudioCommands::PlayEffect( CAnyContainer* args )
{
    if( HasFileArgument( "PlayEffect", args ) )
        myEffects.Play( args->GetString( 0 ) );
    return "";
}

std::string CAudioCommands::PreloadEffect( CAnyContainer* args )
{
    if( HasFileArgument( "PreloadEffect", args ) )
        myEffects.Preload( args->GetString( 0 ) );
    return "";
}

std::string CAudioCommands::LoadCaptions( CAnyContainer* args )
{
    if( !myCaptionLoader || !HasFileArgument( "LoadCaptions", args ) )
        return "";
    std::string font = "nothing";
    if( args->IsType( 1, CAnyContainer::TYPE_STRING ) )
        font = args->GetString( 1 );
    else if( !args->IsType( 1, CAnyContainer::TYPE_EMPTY ) )
        return Complain( "LoadCaptions -command the 2nd parameter is of wrong type, should be string" );
    std::optional<int> bottom;
    if( args->IsType( 2, CAnyContainer::TYPE_NUMBER ) )
        bottom = TruncateToInt( args->GetNumber( 2 ) );
    else if( !args->IsType( 2, CAnyContainer::TYPE_EMPTY ) )
        return Complain( "LoadCaptions -command the 3rd parameter is of wrong type, should be a number" );
    myCaptionLoader( args->GetString( 0 ), font, bottom );
    return "";
}

} // namespace tarn
