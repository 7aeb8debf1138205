#include "horror/chorrorgame.h"

#include "horror/cdialogue.h"
#include "horror/cgamecommands.h"
#include "horror/cgamestate.h"
#include "horror/cquestions.h"
#include "horror/ctitlesequence.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/enginetime.h"
#include "tarn/utils/xmlobject.h"

using namespace tarn;

namespace horror {

namespace {

const char* const FIRST_LEVEL = "data/levels/level_01.xml";
// The root elements of level and dialogue files.
const char* const LEVEL_ROOT = "Level";
const char* const DIALOGUE_ROOT = "WittyDialog";

} // namespace

CHorrorGame::CHorrorGame() :
    myDialogue( std::make_unique<CDialogue>() )
{
    myCommands = std::make_unique<CGameCommands>( &myConsole, &myGameplay, &myDialogue, &myNamedSprites );
    myGameplay.SetScriptRunner( this );
    myGameplay.SetBackgroundLayer( &myBackgroundLayer );
    CGameReferences::backgroundLayer = &myBackgroundLayer;
    NewGame();
}

CHorrorGame::~CHorrorGame()
{
    myQuestions.reset();
    myTitle.reset();
    myCommands.reset();
    myNamedSprites.clear();
    CGameReferences::gameplay = nullptr;
    CGameReferences::namedSprites = nullptr;
    CGameReferences::backgroundLayer = nullptr;
}

void CHorrorGame::NewGame()
{
    myDialogue = std::make_unique<CDialogue>();
    myDialogue->SetScriptRunner( this );
    myGameplayTimer.Reset();
    myDialogueTimer.Reset();
    myBackgroundTimer.Reset();
    myCurrentLevel.clear();
    myTitle = std::make_unique<CTitleSequence>();
}

bool CHorrorGame::RunScript( const std::string& text )
{
    std::string line;
    for( const char c : text + "\n" )
    {
        if( c != '\r' && c != '\n' )
        {
            line += c;
            continue;
        }
        if( !line.empty() )
            myConsole.Execute( line, true );
        line.clear();
    }
    return true;
}

void CHorrorGame::Update()
{
    UpdateTitleAndQuestions();

    const types::ticks endTime = CGameState::EndTime();
    if( endTime != 0 && EngineTime() - endTime > END_DELAY )
        CTaskManager::GetSingletonPtr()->RequestQuit();

    if( !CGameState::PendingLevel().empty() )
    {
        LoadPendingLevel();
        return;
    }
    if( !CGameState::PendingDialogue().empty() )
    {
        LoadPendingDialogue();
        return;
    }
    PauseForDialogue();
    Tick();
}

void CHorrorGame::UpdateTitleAndQuestions()
{
    if( myTitle )
    {
        myTitle->Update();
        if( myTitle->IsFinished() )
        {
            myTitle.reset();
            myQuestions = std::make_unique<CQuestions>();
        }
    }
    if( !myQuestions )
        return;
    myQuestions->Update();
    if( !myQuestions->IsDone() )
        return;
    if( myQuestions->IsQuit() )
        CTaskManager::GetSingletonPtr()->RequestQuit();
    else
        CGameState::PendingLevel() = FIRST_LEVEL;
    myQuestions.reset();
}

void CHorrorGame::LoadPendingLevel()
{
    const std::string level = CGameState::PendingLevel();
    // Cleared before reading: the level's own start-up script may ask for
    // the next level, which then loads at the next update.
    CGameState::PendingLevel().clear();
    // Another kind of file (a sprite, a dialogue) leaves the level running.
    bool wrongKind = false;
    std::unique_ptr<CXmlNode> root = XmlParseFileOfKind( level, LEVEL_ROOT, &wrongKind );
    if( wrongKind )
        return;
    myNamedSprites.clear();
    if( root )
    {
        XmlLoadObject( root.get(), myGameplay );
        GetLog() << "Level loaded: " << level << "\n";
    }
    else
    {
        GetLog().Error() << "Could not read the level file " << level << "\n";
    }
    myCurrentLevel = level;
}

void CHorrorGame::LoadPendingDialogue()
{
    const std::string dialogue = CGameState::PendingDialogue();
    CGameState::PendingDialogue().clear();
    bool wrongKind = false;
    std::unique_ptr<CXmlNode> root = XmlParseFileOfKind( dialogue, DIALOGUE_ROOT, &wrongKind );
    if( root )
        XmlLoadObject( root.get(), *myDialogue );
    else if( !wrongKind )
        GetLog().Error() << "Could not read the dialogue file " << dialogue << "\n";
}

void CHorrorGame::PauseForDialogue()
{
    bool& mark = CGameState::DialoguePauseMark();
    if( myDialogue->IsActive() && !myGameplay.IsPaused() )
    {
        myGameplay.SetPaused( true );
        mark = true;
    }
    if( mark && myGameplay.IsPaused() && !myDialogue->IsActive() )
    {
        myGameplay.SetPaused( false );
        mark = false;
    }
}

void CHorrorGame::Tick()
{
    if( !myGameplay.IsPaused() && myGameplayTimer.GetTime() > myGameplayInterval )
    {
        myGameplayTimer.Reset();
        myGameplay.Tick();
        if( myGameplay.IsCaught() )
            CGameState::PendingLevel() = myCurrentLevel;
        return;
    }
    if( myDialogueTimer.GetTime() > myDialogueInterval )
    {
        myDialogueTimer.Reset();
        myDialogue->Update();
        return;
    }
    if( myBackgroundTimer.GetTime() > myBackgroundInterval )
    {
        myBackgroundTimer.Reset();
        myBackgroundLayer.Step();
    }
}

} // namespace horror
