#include "horror/chorrortask.h"

#include "horror/chorrorgame.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/console/cconsolevariable.h"
#include "tarn/tasks/ctaskfactory.h"

namespace horror {

namespace {
tarn::CTaskRegistrar<CHorrorTask> registrar( "game" );
// 1 reloads the level when one of its files changes on disk (for authors).
const char* const WATCH_FILES = "game_watch_files";
} // namespace

CHorrorTask::CHorrorTask() = default;

CHorrorTask::~CHorrorTask() = default;

bool CHorrorTask::Init( tarn::CAnyContainer* parameters )
{
    (void)parameters;
    myGame = std::make_unique<CHorrorGame>();
    tarn::GetConsole()->AddVariable(
        WATCH_FILES, std::make_unique<tarn::CConsoleVar<bool>>( WATCH_FILES, myGame->GetWatchFilesFlag() ),
        "1 reloads the level when its file or a file it names changes (looked at once a second)." );
    return true;
}

bool CHorrorTask::Init()
{
    return Init( nullptr );
}

void CHorrorTask::Update()
{
    if( myGame )
        myGame->Update();
}

tarn::types::ticks CHorrorTask::TimeUntilDue() const
{
    return myGame ? myGame->TimeUntilDue() : NOTHING_DUE;
}

void CHorrorTask::Exit()
{
    if( myGame )
        tarn::GetConsole()->RemoveVariable( WATCH_FILES );
    myGame.reset();
}

bool CHorrorTask::HandleCommand( const std::string& command )
{
    return myGame && myGame->RunScript( command );
}

const tarn::CConsole* CHorrorTask::GetCommandConsole() const
{
    return myGame ? &myGame->GetConsole() : nullptr;
}

bool CHorrorTask::PausesWhenInactive() const
{
    return true;
}

} // namespace horror
