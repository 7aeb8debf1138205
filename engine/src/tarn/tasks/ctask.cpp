#include "tarn/tasks/ctask.h"

namespace tarn {

bool CTask::LessThan( const CTask& other ) const
{
    if( myInterval == 0 )
        return myPriority < other.GetPriority();
    return myInterval < other.GetInterval();
}

bool CTask::Init( CAnyContainer* parameters )
{
    (void)parameters;
    return Init();
}

bool CTask::Init()
{
    return true;
}

void CTask::Update()
{
}

types::ticks CTask::TimeUntilDue() const
{
    return 0;
}

void CTask::Exit()
{
}

void CTask::OnPause()
{
}

void CTask::OnResume()
{
}

void CTask::SetPriority( int priority )
{
    myPriority = priority;
}

int CTask::GetPriority() const
{
    return myPriority;
}

bool CTask::IsDead() const
{
    return myDead;
}

void CTask::SetDead( bool dead )
{
    myDead = dead;
}

std::string CTask::GetName() const
{
    return myName;
}

void CTask::SetName( const std::string& name )
{
    myName = name;
}

bool CTask::HandleCommand( const std::string& command )
{
    (void)command;
    return false;
}

const CConsole* CTask::GetCommandConsole() const
{
    return nullptr;
}

bool CTask::IsTimed() const
{
    return myInterval != 0;
}

void CTask::SetInterval( types::ticks interval )
{
    myInterval = interval;
}

types::ticks CTask::GetInterval() const
{
    return myInterval;
}

bool CTask::PausesWhenInactive() const
{
    return false;
}

} // namespace tarn
