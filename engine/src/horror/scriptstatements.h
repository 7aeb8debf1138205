#ifndef HORROR_SCRIPTSTATEMENTS_H
#define HORROR_SCRIPTSTATEMENTS_H

#include <string>
#include <vector>

// Reading the game's scripts without running them, for tools that follow
// the files a script names.
namespace horror {

// The statements of a script: its lines without comments, cut at the
// semicolons outside quotes, trimmed; empty ones left out.
std::vector<std::string> Statements( const std::string& script );

// The arguments of a call, unquoted and trimmed.
std::vector<std::string> Arguments( const std::string& statement );

// The command a statement calls, without its console namespace; "" for an
// assignment to a variable, which is the script's own business.
std::string CommandName( const std::string& statement );

} // namespace horror

#endif
