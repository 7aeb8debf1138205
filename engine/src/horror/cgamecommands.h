#ifndef HORROR_CGAMECOMMANDS_H
#define HORROR_CGAMECOMMANDS_H

#include <memory>
#include <string>
#include <vector>

#include "tarn/console/ccommandfunction.h"
#include "tarn/console/ccommandhelp.h"
#include "tarn/gfx/csprite.h"

namespace tarn {
class CConsole;
}

namespace horror {

class CHorrorGame;

// The game's fourteen script commands, registered in the game console:
// LoadLevel, LoadDialog, DoDialog, SetPlayerEnabled, SetBadguyEnabled,
// SetPlayerShown, SetBadguyShown, AddPortal, AddSprite, RemoveSprite,
// SpritePlayAnimation, SpriteMoveTo, PlayMusic, EndGame; and, as authors'
// shortcuts, StartLevel( "file" ), which ends the title or the questions and
// loads the level (the command line's --level), and ReloadLevel. A missing or wrongly typed
// parameter takes its default; a call without parentheses answers "Error:
// need parameters" (EndGame acts either way).
class CGameCommands
{
public:
    // Registers the commands in console; they act on game. Both must
    // outlive this object (the game owns it).
    CGameCommands( tarn::CConsole& console, CHorrorGame& game );
    // Takes the commands out of the console.
    ~CGameCommands();

    CGameCommands( const CGameCommands& ) = delete;
    CGameCommands& operator=( const CGameCommands& ) = delete;

    // The usage and description of the commands.
    static const tarn::CommandHelpTable& GetCommandHelp();

    // The music file PlayMusic started last.
    const std::string& GetLastMusic() const { return myLastMusic; }

private:
    using Args = tarn::CAnyContainer*;

    void Add( const std::string& name, tarn::CCommandFunction::Function function, bool needsParameters = true );

    std::string LoadLevel( Args args );
    std::string StartLevel( Args args );
    std::string LoadDialog( Args args );
    std::string DoDialog( Args args );
    std::string AddPortal( Args args );
    std::string AddSprite( Args args );
    std::string RemoveSprite( Args args );
    std::string SpritePlayAnimation( Args args );
    std::string SpriteMoveTo( Args args );
    std::string PlayMusic( Args args );
    std::string EndGame();
    std::string ReloadLevel();
    // A named sprite, or null.
    tarn::CSprite* Named( const std::string& name ) const;

    tarn::CConsole& myConsole;
    CHorrorGame& myGame;
    std::vector<std::string> myNames;
    std::vector<std::unique_ptr<tarn::CCommand>> myCommands;
    std::string myLastMusic;
    tarn::SpritePtr myEndBlackout;
    tarn::SpritePtr myEndAnimation;
};

} // namespace horror

#endif
