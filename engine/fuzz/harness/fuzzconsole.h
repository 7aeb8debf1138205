#ifndef TARN_FUZZ_HARNESS_FUZZCONSOLE_H
#define TARN_FUZZ_HARNESS_FUZZCONSOLE_H

#include <string>

namespace tarn {

class CAnyContainer;

namespace test {

// A call as text: "name" without an argument list, else "name(n:1; s:a)"
// with each argument typed as number (n) or string (s).
std::string DescribeCall( const std::string& name, CAnyContainer* args );

// Runs every line of input in a fresh main console with the basic commands
// and a few typed variables. The commands that would load a file or a
// library, start a task or quit only return their DescribeCall.
void FuzzConsoleInput( const std::string& input );

} // namespace test
} // namespace tarn

#endif
