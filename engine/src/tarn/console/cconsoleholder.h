#ifndef TARN_CONSOLE_CCONSOLEHOLDER_H
#define TARN_CONSOLE_CCONSOLEHOLDER_H

#include <memory>

#include "tarn/utils/csingleton.h"

namespace tarn {

class CConsole;

// Makes consoles and keeps the main one. Deleting the holder at shutdown
// deletes the main console and then the engine log.
class CConsoleHolder final : public CSingleton<CConsoleHolder>
{
public:
    ~CConsoleHolder();

    // The main console, created with the "basic" commands on first use.
    CConsole* GetConsole();

    // A new console for a task, owned by the caller.
    std::unique_ptr<CConsole> CreateConsole();

private:
    friend class CSingleton<CConsoleHolder>;
    CConsoleHolder();

    std::unique_ptr<CConsole> myMainConsole;
};

// The main console.
CConsole* GetConsole();

// A new task console (see CConsoleHolder::CreateConsole).
std::unique_ptr<CConsole> CreateConsole();

} // namespace tarn

#endif
