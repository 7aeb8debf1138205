#include "e2e/programrun.h"

#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "support/testsupport.h"

namespace tarn::test {

CRunResult RunProgram( const std::string& dir, double timeoutSeconds, const std::string& env,
                       const std::string& signal, const std::string& program, const std::string& arguments )
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

std::string ShippedGame( const std::string& name, const std::string& extraLines )
{
    const std::string dir = MakeTempDir( name );
    std::filesystem::create_directory_symlink( TARN_SOURCE_DIR "/data", dir + "/data" );
    WriteFile( dir + "/autoexec.txt", "load( \"" TARN_SOURCE_DIR "/autoexec.txt\" )\n" + extraLines );
    return dir;
}

bool Contains( const std::string& text, const std::string& part )
{
    return text.find( part ) != std::string::npos;
}

} // namespace tarn::test
