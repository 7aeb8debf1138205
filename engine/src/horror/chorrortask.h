#ifndef HORROR_CHORRORTASK_H
#define HORROR_CHORRORTASK_H

#include <memory>

#include "tarn/tasks/ctask.h"

namespace horror {

class CHorrorGame;

// The task type "game": runs one game and hands the console lines addressed
// to it (`Game::Command( ... )`) to the game's console. Paused while the
// application has no input focus. While it runs, the main console's
// game_watch_files (0 or 1) says whether the level is reloaded when one of
// its files changes on disk.
class CHorrorTask final : public tarn::CTask
{
public:
    CHorrorTask();
    ~CHorrorTask() override;

    // Starts a new game; the parameters are not used.
    bool Init( tarn::CAnyContainer* parameters ) override;
    bool Init() override;
    void Update() override;
    // Until the game's next tick.
    tarn::types::ticks TimeUntilDue() const override;
    void Exit() override;
    bool HandleCommand( const std::string& command ) override;
    // The game's console; null before Init.
    const tarn::CConsole* GetCommandConsole() const override;
    bool PausesWhenInactive() const override;

    CHorrorGame* GetGame() const { return myGame.get(); }

private:
    std::unique_ptr<CHorrorGame> myGame;
};

} // namespace horror

#endif
