#include "horror/chorrortask.h"

#include "horror/chorrorgame.h"
#include "tarn/tasks/ctaskfactory.h"

namespace horror {

namespace {
tarn::CTaskRegistrar<CHorrorTask> registrar( "game" );
} // namespace

CHorrorTask::CHorrorTask() = default;

CHorrorTask::~CHorrorTask() = default;

bool CHorrorTask::Init( tarn::CAnyContainer* parameters )
{
    (void)parameters;
    myGame = std::make_unique<CHorrorGame>();
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
