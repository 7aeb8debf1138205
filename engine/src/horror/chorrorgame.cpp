#include "horror/chorrorgame.h"

#include <algorithm>

#include "horror/cdialogue.h"
#include "horror/cgamecommands.h"
#include "horror/cgameplayoverlay.h"
#include "horror/clevelfiles.h"
#include "horror/cquestions.h"
#include "horror/ctitlesequence.h"
#include "horror/datafilekeys.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/gfx.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/enginetime.h"
#include "tarn/utils/xmlobject.h"

using namespace tarn;

namespace horror {

namespace {

const char* const FIRST_LEVEL = "data/levels/level_01.xml";
// The root elements of level and dialogue files.

} // namespace

CHorrorGame::CHorrorGame() :
    myDialogue( std::make_unique<CDialogue>() )
{
    myCommands = std::make_unique<CGameCommands>( myConsole, *this );
    myGameplay.SetScriptRunner( this );
    myGameplay.SetBackgroundLayer( &myBackgroundLayer );
    myOverlays = CGameplayOverlay::MakeAll( myGameplay );
    for( const auto& overlay : myOverlays )
        CScreenLayer::GetSingletonPtr()->GetDebugOverlays().Add( overlay.get() );
    NewGame();
}

CHorrorGame::~CHorrorGame()
{
    myOverlays.clear();
    myQuestions.reset();
    myTitle.reset();
    myCommands.reset();
    myNamedSprites.clear();
}

void CHorrorGame::NewGame()
{
    myDialogue = std::make_unique<CDialogue>();
    myDialogue->SetScriptRunner( this );
    myGameplayTimer.Reset();
    myDialogueTimer.Reset();
    myBackgroundTimer.Reset();
    myCurrentLevel.clear();
    myTitle = std::make_unique<CTitleSequence>( myNamedSprites, myBackgroundLayer );
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

    if( myEndTime != 0 && GameTime() - myEndTime > END_DELAY )
        CTaskManager::GetSingletonPtr()->RequestQuit();
    WatchFiles();

    if( !myPendingLevel.empty() )
    {
        LoadPendingLevel();
        return;
    }
    if( !myPendingDialogue.empty() )
    {
        LoadPendingDialogue();
        return;
    }
    PauseForDialogue();
    Tick();
}

namespace {

// Until a timer reading elapsed passes interval (the game acts on "more than").
types::ticks Until( types::ticks elapsed, types::ticks interval )
{
    return elapsed > interval ? 0 : interval + 1 - elapsed;
}

} // namespace

types::ticks CHorrorGame::TimeUntilDue() const
{
    if( !myPendingLevel.empty() || !myPendingDialogue.empty() )
        return 0;
    types::ticks due = Until( myBackgroundTimer.GetTime(), myBackgroundInterval );
    // A closed dialogue's tick does nothing: it need not wake the loop.
    if( myDialogue->IsActive() )
        due = std::min( due, Until( myDialogueTimer.GetTime(), myDialogueInterval ) );
    if( !myGameplay.IsPaused() )
        due = std::min( due, Until( myGameplayTimer.GetTime(), myGameplayInterval ) );
    if( myEndTime != 0 )
        due = std::min( due, Until( GameTime() - myEndTime, END_DELAY ) );
    return due;
}

void CHorrorGame::StartEnd()
{
    myEndTime = GameTime();
}

void CHorrorGame::UpdateTitleAndQuestions()
{
    if( myTitle )
    {
        myTitle->Update();
        if( myTitle->IsFinished() )
        {
            myTitle.reset();
            myQuestions = std::make_unique<CQuestions>( myNamedSprites, myBackgroundLayer );
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
        myPendingLevel = FIRST_LEVEL;
    myQuestions.reset();
}

void CHorrorGame::SkipToLevel( const std::string& file )
{
    myTitle.reset();
    myQuestions.reset();
    RequestLevel( file );
}

void CHorrorGame::LoadPendingLevel()
{
    const std::string level = myPendingLevel;
    // Cleared before reading: the level's own start-up script may ask for
    // the next level, which then loads at the next update.
    myPendingLevel.clear();
    // Looked at before the level is read: an edit while it loads is then
    // noticed (and loaded) afterwards, not missed.
    if( myWatchFiles )
        WatchLevelFiles( level, CLevelFiles( level ).GetFiles() );
    // Another kind of file (a sprite, a dialogue) leaves the level running.
    bool wrongKind = false;
    std::unique_ptr<CXmlNode> root = XmlParseFileOfKind( level, keys::LEVEL_ROOT, &wrongKind );
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

bool CHorrorGame::ReloadLevel()
{
    if( myCurrentLevel.empty() )
    {
        GetLog().Error() << "No level is running: nothing to reload\n";
        return false;
    }
    CLevelFiles files( myCurrentLevel );
    for( const std::string& picture : files.GetPictures() )
        Gfx::ForgetImage( picture );
    files.CheckPictures();
    if( files.GetFault().empty() )
    {
        myPendingLevel = myCurrentLevel;
        return true;
    }
    GetLog().Error() << "The level " << myCurrentLevel << " was not reloaded: " << files.GetFault() << "\n";
    if( myWatchFiles )
    {
        // The running level's files stay watched beside the ones just named,
        // so that mending either is noticed.
        std::vector<std::string> watched = files.GetFiles();
        watched.insert( watched.end(), myWatcher.GetFiles().begin(), myWatcher.GetFiles().end() );
        WatchLevelFiles( myCurrentLevel, watched );
    }
    return false;
}

void CHorrorGame::WatchLevelFiles( const std::string& level, const std::vector<std::string>& files )
{
    myWatchedLevel = level;
    myWatcher.Watch( files );
}

void CHorrorGame::WatchFiles()
{
    // Turned on again later, the files are looked at afresh.
    if( !myWatchFiles )
        myWatchedLevel.clear();
    if( !myWatchFiles || myCurrentLevel.empty() || !myPendingLevel.empty() )
        return;
    if( myWatchedLevel != myCurrentLevel )
    {
        WatchLevelFiles( myCurrentLevel, CLevelFiles( myCurrentLevel ).GetFiles() );
        myLastWatch = EngineTime();
        return;
    }
    if( EngineTime() - myLastWatch < WATCH_INTERVAL )
        return;
    myLastWatch = EngineTime();
    const std::vector<std::string> changed = myWatcher.Changed();
    if( !changed.empty() && ReloadLevel() )
        GetLog() << changed.front() << " changed: reloading the level " << myCurrentLevel << "\n";
}

void CHorrorGame::LoadPendingDialogue()
{
    const std::string dialogue = myPendingDialogue;
    myPendingDialogue.clear();
    bool wrongKind = false;
    std::unique_ptr<CXmlNode> root = XmlParseFileOfKind( dialogue, keys::DIALOGUE_ROOT, &wrongKind );
    if( root )
        XmlLoadObject( root.get(), *myDialogue );
    else if( !wrongKind )
        GetLog().Error() << "Could not read the dialogue file " << dialogue << "\n";
}

void CHorrorGame::PauseForDialogue()
{
    if( myDialogue->IsActive() && !myGameplay.IsPaused() )
    {
        myGameplay.SetPaused( true );
        myDialoguePaused = true;
    }
    if( myDialoguePaused && myGameplay.IsPaused() && !myDialogue->IsActive() )
    {
        myGameplay.SetPaused( false );
        myDialoguePaused = false;
    }
}

void CHorrorGame::Tick()
{
    if( !myGameplay.IsPaused() && myGameplayTimer.GetTime() > myGameplayInterval )
    {
        myGameplayTimer.Reset();
        myGameplay.Tick();
        if( myGameplay.IsCaught() )
            myPendingLevel = myCurrentLevel;
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
