#ifndef TARN_TESTS_E2E_PROGRAMRUN_H
#define TARN_TESTS_E2E_PROGRAMRUN_H

// Runs the real programs as a player or an author would, in a scratch folder.

#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/testsupport.h"

namespace tarn::test {

using Strings = std::vector<std::string>;

struct CRunResult
{
    int exitCode = -1;      // -1 when it died by a signal
    double seconds = 0;     // wall time
    std::string errors;     // what it wrote on standard error
    long peakKilobytes = 0; // largest resident size of the programs run so far
};

// Runs program (the game by default) in dir with the dummy drivers
// (environment settings in env come after them), killing it after
// timeoutSeconds; with a signal name, that signal ends it instead and the
// exit code is the program's.
inline CRunResult RunProgram( const std::string& dir, double timeoutSeconds = 30, const std::string& env = "",
                              const std::string& signal = "", const std::string& program = TARN_HORROR_BINARY,
                              const std::string& arguments = "" )
{
    const std::string stop = signal.empty() ? "" : "--preserve-status -s " + signal + " ";
    const std::string command = "cd '" + dir + "' && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " + env +
                                " timeout " + stop + std::to_string( timeoutSeconds ) + " '" + program + "' " +
                                arguments + " > stdout.txt 2> stderr.txt";
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system( command.c_str() );
    CRunResult result;
    result.seconds = std::chrono::duration<double>( std::chrono::steady_clock::now() - start ).count();
    result.exitCode = WIFEXITED( status ) ? WEXITSTATUS( status ) : -1;
    result.errors = ReadFile( dir + "/stderr.txt" );
    rusage usage{};
    getrusage( RUSAGE_CHILDREN, &usage );
    result.peakKilobytes = usage.ru_maxrss;
    return result;
}

// A scratch folder holding the shipped game (or the data folder given),
// whose start-up script then runs the extra lines.
inline std::string ShippedGame( const std::string& name, const std::string& extraLines,
                                const std::string& data = TARN_SOURCE_DIR "/data" )
{
    const std::string dir = MakeTempDir( name );
    std::filesystem::create_directory_symlink( data, dir + "/data" );
    WriteFile( dir + "/autoexec.txt", "load( \"" TARN_SOURCE_DIR "/autoexec.txt\" )\n" + extraLines );
    return dir;
}

inline bool Contains( const std::string& text, const std::string& part )
{
    return text.find( part ) != std::string::npos;
}

// How many lines hold part.
inline std::size_t CountLines( const Strings& lines, const std::string& part )
{
    return std::count_if( lines.begin(), lines.end(),
                          [ & ]( const std::string& line ) { return Contains( line, part ); } );
}

} // namespace tarn::test

#endif
