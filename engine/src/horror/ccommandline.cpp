#include "horror/ccommandline.h"

#include <optional>

namespace horror {

CCommandLine::CCommandLine( int argc, const char* const* argv )
{
    for( int i = 1; i < argc && IsValid(); ++i )
    {
        const std::string argument = argv[ i ];
        if( argument.size() > 1 && argument[ 0 ] == '+' )
            myLines.push_back( argument.substr( 1 ) );
        else
            TakeOption( argc, argv, i );
    }
}

bool CCommandLine::TakeOption( int argc, const char* const* argv, int& i )
{
    std::string option = argv[ i ];
    // --game=DIR reads like --game DIR.
    std::optional<std::string> value;
    const std::size_t equals = option.find( '=' );
    if( option.compare( 0, 2, "--" ) == 0 && equals != std::string::npos )
    {
        value = option.substr( equals + 1 );
        option.resize( equals );
    }
    if( bool* flag = FlagFor( option ) )
    {
        if( value )
            return Fail( option + " takes no value" );
        *flag = true;
        return true;
    }
    if( option != "--game" && option != "--level" )
        return Fail( !option.empty() && option[ 0 ] == '-' ? "unknown option " + option
                                                           : "unexpected argument \"" + option + "\"" );
    if( !value && i + 1 >= argc )
        return Fail( option + " needs a value" );
    ( option == "--game" ? myGameFolder : myLevel ) = value ? *value : std::string( argv[ ++i ] );
    return true;
}

bool* CCommandLine::FlagFor( const std::string& option )
{
    if( option == "--help" || option == "-h" )
        return &myHelp;
    if( option == "--version" )
        return &myVersion;
    if( option == "--list-commands" )
        return &myCommandList;
    return nullptr;
}

bool CCommandLine::Fail( const std::string& fault )
{
    myFault = fault;
    return false;
}

std::string CCommandLine::Usage( const std::string& program )
{
    return "Usage: " + program + " [--game DIR] [--level FILE] [--help] [--version] [--list-commands]\n"
           "       [+LINE ...]\n"
           "  --game DIR     the folder holding autoexec.txt and data/ (default: the working\n"
           "                 directory when it holds autoexec.txt, else the installed game)\n"
           "  --level FILE   skip the title and the questions and start in that level\n"
           "  --help         print this and exit\n"
           "  --version      print the engine's and the game's names and exit\n"
           "  --list-commands  print every console command and variable as Markdown and exit\n"
           "  +LINE          run a console line after the start-up script, in order,\n"
           "                 e.g. '+Debug::Screenshot( \"a.bmp\" )' +quit\n";
}

} // namespace horror
