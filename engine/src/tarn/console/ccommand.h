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
};

} // namespace tarn

#endif
