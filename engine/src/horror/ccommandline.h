#ifndef HORROR_CCOMMANDLINE_H
#define HORROR_CCOMMANDLINE_H

#include <string>
#include <vector>

namespace horror {

// The program's own command line, read before the start-up script:
//   tallow [--game DIR] [--level FILE] [--help] [--version] [--list-commands] [+LINE ...]
// Each +LINE is a console line run, in order, after the start-up script.
class CCommandLine final
{
public:
    // Reads the arguments after the program's name; a fault (an unknown
    // option, an option without its value) leaves IsValid() false.
    CCommandLine( int argc, const char* const* argv );

    // The usage text, for --help and after a fault.
    static std::string Usage( const std::string& program );

    bool IsValid() const { return myFault.empty(); }
    // What was wrong, e.g. "unknown option --fly".
    const std::string& GetFault() const { return myFault; }
    bool WantsHelp() const { return myHelp; }
    bool WantsVersion() const { return myVersion; }
    bool WantsCommandList() const { return myCommandList; }
    // "" when not given.
    const std::string& GetGameFolder() const { return myGameFolder; }
    const std::string& GetLevel() const { return myLevel; }
    // The +LINE arguments without their "+", in order.
    const std::vector<std::string>& GetLines() const { return myLines; }

private:
    // Takes the option at argv[ i ] (and its value, moving i on); false and
    // a fault when it is not one.
    bool TakeOption( int argc, const char* const* argv, int& i );
    // The flag an option without a value sets; null when it is none.
    bool* FlagFor( const std::string& option );
    bool Fail( const std::string& fault );

    std::string myFault;
    bool myHelp = false;
    bool myVersion = false;
    bool myCommandList = false;
    std::string myGameFolder;
    std::string myLevel;
    std::vector<std::string> myLines;
};

} // namespace horror

#endif
