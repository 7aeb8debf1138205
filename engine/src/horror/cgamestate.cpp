#include "horror/cgamestate.h"

namespace horror {

namespace {

struct CValues
{
    std::string pendingLevel;
    std::string pendingDialogue;
    tarn::types::ticks endTime = 0;
    bool dialoguePauseMark = false;
};

CValues& Values()
{
    static CValues values;
    return values;
}

} // namespace

std::string& CGameState::PendingLevel()
{
    return Values().pendingLevel;
}

std::string& CGameState::PendingDialogue()
{
    return Values().pendingDialogue;
}

tarn::types::ticks& CGameState::EndTime()
{
    return Values().endTime;
}

bool& CGameState::DialoguePauseMark()
{
    return Values().dialoguePauseMark;
}

void CGameState::Reset()
{
    Values() = CValues();
}

} // namespace horror
