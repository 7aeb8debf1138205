#ifndef HORROR_CHORRORGAME_H
#define HORROR_CHORRORGAME_H

#include <memory>
#include <string>
#include <vector>

#include "horror/cbackgroundlayer.h"
#include "horror/namedsprites.h"
#include "horror/chorrorgameplay.h"
#include "horror/cscriptrunner.h"
#include "tarn/console/cconsole.h"
#include "tarn/io/cfilewatcher.h"
#include "tarn/utils/ctimer.h"

namespace horror {

class CDialogue;
class CGameCommands;
class CGameplayOverlay;
class CQuestions;
class CTitleSequence;

// One game from the title to the end: owns the gameplay of the current
// level, the dialogue box, the background layer, the sprites scripts made by
// name, the title and question screens, and the console that runs the
// game's scripts. Update drives it all from the game task.
class CHorrorGame final : public CScriptRunner
{
public:
    static constexpr tarn::types::ticks GAMEPLAY_INTERVAL = 17;
    static constexpr tarn::types::ticks DIALOGUE_INTERVAL = 25;
    static constexpr tarn::types::ticks BACKGROUND_INTERVAL = 200;
    static constexpr tarn::types::ticks END_DELAY = 10000;
    // How often, on the engine clock, the level's files are looked at while
    // they are watched.
    static constexpr tarn::types::ticks WATCH_INTERVAL = 1000;

    // Starts a new game with the title sequence.
    CHorrorGame();
    ~CHorrorGame() override;

    CHorrorGame( const CHorrorGame& ) = delete;
    CHorrorGame& operator=( const CHorrorGame& ) = delete;

    // Each line of text in the game console (CR or LF ends a line).
    bool RunScript( const std::string& text ) override;

    // One game update: title and questions, the end, a pending level or
    // dialogue load, and at most one of the gameplay, dialogue and
    // background ticks.
    void Update();
    // Engine milliseconds until Update has something to do besides the
    // title and the questions, which move with the frames.
    tarn::types::ticks TimeUntilDue() const;

    // Scripts never load inside a line: these record a file that the next
    // update loads ("" for none).
    void RequestLevel( const std::string& file ) { myPendingLevel = file; }
    // Ends the title or the questions, if either runs, and requests file.
    void SkipToLevel( const std::string& file );
    void RequestDialogue( const std::string& file ) { myPendingDialogue = file; }
    const std::string& GetPendingLevel() const { return myPendingLevel; }
    const std::string& GetPendingDialogue() const { return myPendingDialogue; }
    // Reads the current level's files again and, when every one loads
    // (pictures read anew), restarts the level at the next update as a
    // capture does. Otherwise logs the file that does not load and why, and
    // the level runs on. False then, and when no level runs.
    bool ReloadLevel();
    // While set, the files of the current level are looked at every
    // WATCH_INTERVAL and the level is reloaded when one changed on disk.
    bool* GetWatchFilesFlag() { return &myWatchFiles; }
    // The end picture is showing; the program quits END_DELAY later.
    void StartEnd();
    // Engine clock when the end began; 0 while the game has not ended.
    tarn::types::ticks GetEndTime() const { return myEndTime; }

    const std::string& GetCurrentLevel() const { return myCurrentLevel; }
    CHorrorGameplay& GetGameplay() { return myGameplay; }
    CDialogue* GetDialogue() const { return myDialogue.get(); }
    CBackgroundLayer& GetBackgroundLayer() { return myBackgroundLayer; }
    NamedSprites& GetNamedSprites() { return myNamedSprites; }
    const NamedSprites& GetNamedSprites() const { return myNamedSprites; }
    tarn::CConsole& GetConsole() { return myConsole; }
    CTitleSequence* GetTitle() const { return myTitle.get(); }
    CQuestions* GetQuestions() const { return myQuestions.get(); }

private:
    void NewGame();
    void UpdateTitleAndQuestions();
    void LoadPendingLevel();
    void LoadPendingDialogue();
    void PauseForDialogue();
    void Tick();
    void WatchFiles();
    // Watches files from now on as the files of level.
    void WatchLevelFiles( const std::string& level, const std::vector<std::string>& files );

    std::string myCurrentLevel;
    std::string myPendingLevel;
    std::string myPendingDialogue;
    tarn::types::ticks myEndTime = 0;
    // The open dialogue paused the gameplay (and so it resumes it).
    bool myDialoguePaused = false;
    std::unique_ptr<CDialogue> myDialogue;
    tarn::CTimer myDialogueTimer;
    tarn::types::ticks myDialogueInterval = DIALOGUE_INTERVAL;
    CHorrorGameplay myGameplay;
    tarn::CTimer myGameplayTimer;
    tarn::types::ticks myGameplayInterval = GAMEPLAY_INTERVAL;
    CBackgroundLayer myBackgroundLayer;
    tarn::CTimer myBackgroundTimer;
    tarn::types::ticks myBackgroundInterval = BACKGROUND_INTERVAL;
    NamedSprites myNamedSprites;
    tarn::CConsole myConsole;
    std::unique_ptr<CGameCommands> myCommands;
    std::unique_ptr<CTitleSequence> myTitle;
    std::unique_ptr<CQuestions> myQuestions;
    // In the screen's debug overlays while the game lives.
    std::vector<std::unique_ptr<CGameplayOverlay>> myOverlays;
    bool myWatchFiles = false;
    // The level whose files myWatcher watches; "" for none yet.
    std::string myWatchedLevel;
    tarn::CFileWatcher myWatcher;
    tarn::types::ticks myLastWatch = 0;
};

} // namespace horror

#endif
