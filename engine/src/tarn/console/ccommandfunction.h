#ifndef TARN_CONSOLE_CCOMMANDFUNCTION_H
#define TARN_CONSOLE_CCOMMANDFUNCTION_H

#include <functional>
#include <string>

#include "tarn/console/ccommand.h"

namespace tarn {

// A command made from a function, so that a task can bind its commands to
// member functions without a class per command. The function gets null for a
// call without parentheses.
class CCommandFunction final : public CCommand
{
public:
    using Function = std::function<std::string( CAnyContainer* args )>;

    explicit CCommandFunction( Function function, const std::string& usage = "", const std::string& description = "" ) :
        myFunction( std::move( function ) )
    {
        SetHelp( usage, description );
    }

    std::string Execute( CAnyContainer& args ) override { return myFunction( &args ); }
    std::string Execute() override { return myFunction( nullptr ); }

private:
    Function myFunction;
};

} // namespace tarn

#endif
