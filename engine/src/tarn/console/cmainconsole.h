#ifndef TARN_CONSOLE_CMAINCONSOLE_H
#define TARN_CONSOLE_CMAINCONSOLE_H

#include "tarn/console/cconsole.h"

namespace tarn {

// The console of the engine and of every task: echoes lines to the log on
// request and hands `TaskName::Command` lines to the task of that name.
class CMainConsole : public CConsole
{
public:
    // With echo, the line and a non-empty result are written to the log.
    std::string Execute( const std::string& line, bool echo = false ) override;
    // Hands rest to the task named ns; "No namespace named space\n" when
    // there is no such task.
    std::string ExecuteInNamespace( const std::string& ns, const std::string& rest ) override;
    // rest looked up in the console of the task named ns, as "ns::name";
    // "" when there is no such task (running the line says so) or it has
    // no console to look in.
    std::string FindUnknownNameInNamespace( const std::string& ns, const std::string& rest ) const override;
};

} // namespace tarn

#endif
