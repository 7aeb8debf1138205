#ifndef TARN_AUDIO_CAUDIOCOMMANDS_H
#define TARN_AUDIO_CAUDIOCOMMANDS_H

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tarn/console/ccommandhelp.h"

namespace tarn {

class CAnyContainer;
class CCommand;
class CConsole;
class CEffectPlayer;
class CMusicPlayer;

// The audio task's console commands (PlayMusic, PlayMusicFadeIn, StopMusic,
// StopMusicFadeOut, PlayEffect, PreloadEffect) acting on one music and one
// effect player, and LoadCaptions( file, font, bottom ) handed to the task's
// caption loader when it has one. Misuse is reported as a warning in the log;
// every command returns "". The players and any console bound to must outlive
// this object's use; the console must not be used after it is gone.
class CAudioCommands final
{
public:
    // The caption file, the font file ("nothing" for the built-in font) and
    // the screen row the lowest caption ends at (none: the screen's bottom).
    using CaptionLoader =
        std::function<void( const std::string& file, const std::string& font, std::optional<int> bottom )>;

    CAudioCommands( CMusicPlayer& music, CEffectPlayer& effects, CaptionLoader captionLoader = nullptr );
    ~CAudioCommands();

    CAudioCommands( const CAudioCommands& ) = delete;
    CAudioCommands& operator=( const CAudioCommands& ) = delete;

    // Binds the commands, with their help, in console.
    void BindTo( CConsole& console );
    // The usage and description of the commands.
    static const CommandHelpTable& GetCommandHelp();

private:
    std::string PlayMusic( CAnyContainer* args );
    std::string PlayMusicFadeIn( CAnyContainer* args );
    std::string StopMusic( CAnyContainer* args );
    std::string StopMusicFadeOut( CAnyContainer* args );
    std::string PlayEffect( CAnyContainer* args );
    std::string PreloadEffect( CAnyContainer* args );
    std::string LoadCaptions( CAnyContainer* args );

    CMusicPlayer& myMusic;
    CEffectPlayer& myEffects;
    CaptionLoader myCaptionLoader;
    std::vector<std::pair<std::string, std::unique_ptr<CCommand>>> myCommands;
};

} // namespace tarn

#endif
