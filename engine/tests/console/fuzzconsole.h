#ifndef TARN_TESTS_CONSOLE_FUZZCONSOLE_H
#define TARN_TESTS_CONSOLE_FUZZCONSOLE_H

#include <string>

namespace tarn {
namespace test {

// Runs every line of input in a fresh main console holding the basic
// commands and a few typed variables. The commands that would load a file,
// load a library, start a task or quit are replaced by stand-ins that only
// echo their arguments, so that no input reaches outside the console.
void FuzzConsoleInput( const std::string& input );

} // namespace test
} // namespace tarn

#endif
