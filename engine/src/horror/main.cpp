// Program entry of the game: builds the application, which runs
// autoexec.txt from the working directory, and runs the main loop.
#include "tarn/tasks/capplication.h"

int main( int argc, char** argv )
{
    (void)argc;
    (void)argv;
    {
        tarn::CApplication application;
        application.Run();
    }
    return 0;
}
