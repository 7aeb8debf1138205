#ifndef TARN_AUDIO_CAUDIOCOMMANDS_H
#define TARN_AUDIO_CAUDIOCOMMANDS_H

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tarn {

class CAnyContainer;
class CCommand;
class CConsole;
class CEffectPlayer;
class CMusicPlayer;

// The audio task's six console commands (PlayMusic, PlayMusicFadeIn,
// StopMusic, StopMusicFadeOut, PlayEffect, PreloadEffect) acting on one music
// and one effect player. Misuse is reported as a warning in the log; every
// command returns "". The players and any console bound to must outlive
// this object's use; the console must not be used after it is gone.
class CAudioCommands final
{
public:
    CAudioCommands( CMusicPlayer& music, CEffectPlayer& effects );
    ~CAudioCommands();

    CAudioCommands( const CAudioCommands& ) = delete;
    CAudioCommands& operator=( const CAudioCommands& ) = delete;

    void BindTo( CConsole& console );

private:
    std::string PlayMusic( CAnyContainer* args );
    std::string PlayMusicFadeIn( CAnyContainer* args );
    std::string StopMusic( CAnyContainer* args );
    std::string StopMusicFadeOut( CAnyContainer* args );
    std::string PlayEffect( CAnyContainer* args );
    std::string PreloadEffect( CAnyContainer* args );

    CMusicPlayer& myMusic;
    CEffectPlayer& myEffects;
    std::vector<std::pair<std::string, std::unique_ptr<CCommand>>> myCommands;
};

} // namespace tarn

#endif
