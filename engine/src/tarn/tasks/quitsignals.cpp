#include "tarn/tasks/quitsignals.h"

#include <csignal>

namespace tarn {

namespace {

volatile std::sig_atomic_t quitSignalled = 0;

void OnQuitSignal( int )
{
    quitSignalled = 1;
}

} // namespace

void InstallQuitSignalHandlers()
{
    struct sigaction action = {};
    action.sa_handler = OnQuitSignal;
    sigemptyset( &action.sa_mask );
    sigaction( SIGINT, &action, nullptr );
    sigaction( SIGTERM, &action, nullptr );
    sigaction( SIGHUP, &action, nullptr );
}

bool TakeQuitSignal()
{
    if( !quitSignalled )
        return false;
    quitSignalled = 0;
    return true;
}

} // namespace tarn
