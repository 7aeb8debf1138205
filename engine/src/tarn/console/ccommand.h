#ifndef TARN_CONSOLE_CCOMMAND_H
#define TARN_CONSOLE_CCOMMAND_H

#include <string>

#include "tarn/utils/canycontainer.h"

namespace tarn {

// A console command. Every call returns a result text. A command that needs
// arguments answers the call without parentheses with its usage message.
class CCommand
{
public:
    virtual ~CCommand() = default;

    // Called for `name( ... )`; the command may consume args.
    virtual std::string Execute( CAnyContainer& args )
    {
        (void)args;
        return Execute();
    }

    // Called for a bare `name`.
    virtual std::string Execute() = 0;

    // For help: the call form, e.g. `PlayMusic( file )`, and one line on what it does.
    void SetHelp( const std::string& usage, const std::string& description )
    {
        myUsage = usage;
        myDescription = description;
    }
    // "" when the command was given no help.
    const std::string& GetUsage() const { return myUsage; }
    const std::string& GetDescription() const { return myDescription; }

private:
    std::string myUsage;
    std::string myDescription;
};

} // namespace tarn

#endif
