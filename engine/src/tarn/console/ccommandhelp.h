#ifndef TARN_CONSOLE_CCOMMANDHELP_H
#define TARN_CONSOLE_CCOMMANDHELP_H

#include <vector>

namespace tarn {

class CConsole;

// The help of one command as a task writes it in its table: the name it is
// bound under, its call form and one line on what it does.
struct CCommandHelp
{
    const char* name;
    const char* usage;
    const char* description;
};

using CommandHelpTable = std::vector<CCommandHelp>;

// Gives every command of table that console has its usage and description.
void ApplyCommandHelp( CConsole& console, const CommandHelpTable& table );

} // namespace tarn

#endif
