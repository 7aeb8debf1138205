#ifndef TARN_TESTS_E2E_PROGRAMRUN_H
#define TARN_TESTS_E2E_PROGRAMRUN_H

// Runs the real programs as a player or an author would, in a scratch folder.

#include <string>

namespace tarn::test {

struct CRunResult
{
    int exitCode = -1;        // -1 when it died by a signal
    double seconds = 0;       // wall time
    std::string errors;       // what it wrote on standard error
    long peakKilobytes = 0;   // largest resident size of the programs run so far
};

// Runs program (the game by default) in dir with the dummy drivers
// (environment settings in env come after them), killing it after
// timeoutSeconds; with a signal name, that signal ends it instead and the
// exit code is the program's.
CRunResult RunProgram( const std::string& dir, double timeoutSeconds = 30, const std::string& env = "",
                       const std::string& signal = "", const std::string& program = TARN_HORROR_BINARY,
                       const std::string& arguments = "" );

// A scratch folder holding the shipped game, whose start-up script then
// runs the extra lines.
std::string ShippedGame( const std::string& name, const std::string& extraLines );

bool Contains( const std::string& text, const std::string& part );

} // namespace tarn::test

#endif
