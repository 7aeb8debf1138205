#ifndef TARN_TASKS_CAUDIOTASK_H
#define TARN_TASKS_CAUDIOTASK_H

#include <memory>
#include <optional>
#include <string>

#include "tarn/audio/caudiosettings.h"
#include "tarn/tasks/ctask.h"

namespace tarn {

class CAudioCommands;
class CAudioDevice;
class CCaptionDisplay;
class CCaptions;
class CConsole;
class CEffectPlayer;
class CMusicPlayer;

// The task type "audio": opens its audio device and plays music and sound
// effects on the commands that scripts send it as `TaskName::Command( ... )`.
// When the device cannot be opened the task waits paused, and its commands
// are accepted and do nothing. While it runs, the player's settings
// music_volume and effects_volume (0 to 100, in the main console) scale
// every volume the scripts set. Its command LoadCaptions makes the effects
// heard also show as captions while the player's setting "captions" is 1.
class CAudioTask final : public CTask
{
public:
    explicit CAudioTask( std::unique_ptr<CAudioDevice> device );
    ~CAudioTask() override;

    // Reads the start-up values (frequency, format, channels, chunk size,
    // mixing channels), then opens the device.
    bool Init( CAnyContainer* parameters ) override;
    // Opens the device, which logs each step; false when it cannot be opened.
    bool Init() override;
    // Restarts finished music, frees effects that no longer sound and shows
    // the captions of those heard lately.
    void Update() override;
    // The players are polled (a tune ended, an effect done, a caption due)
    // whenever the loop wakes, at least once a frame: soon enough for both.
    types::ticks TimeUntilDue() const override { return NOTHING_DUE; }
    // Frees all sound data and closes the device.
    void Exit() override;
    void OnPause() override;
    void OnResume() override;
    bool HandleCommand( const std::string& command ) override;
    // Null unless the device is open.
    const CConsole* GetCommandConsole() const override;

    const CAudioSettings& GetSettings() const { return mySettings; }
    CAudioDevice& GetDevice() const { return *myDevice; }
    // Null unless the device is open.
    CMusicPlayer* GetMusicPlayer() const { return myMusicPlayer.get(); }
    CEffectPlayer* GetEffectPlayer() const { return myEffectPlayer.get(); }
    // Null until captions were loaded.
    const CCaptionDisplay* GetCaptionDisplay() const { return myCaptionDisplay.get(); }

private:
    // Deletes the console, the commands and the players, then closes the
    // device.
    void Close();
    // Hands changed volume settings to the players.
    void ApplyVolumeSettings();
    // Reads the caption file, shows captions with the font from then on and
    // adds the setting "captions" (once).
    void LoadCaptions( const std::string& file, const std::string& fontFile, std::optional<int> bottom );

    CAudioSettings mySettings;
    std::unique_ptr<CAudioDevice> myDevice;
    std::unique_ptr<CMusicPlayer> myMusicPlayer;
    std::unique_ptr<CEffectPlayer> myEffectPlayer;
    std::unique_ptr<CAudioCommands> myCommands;
    std::unique_ptr<CConsole> myConsole;
    // The player's settings in percent, and what the players were last given.
    int myMusicVolume = 100;
    int myEffectsVolume = 100;
    int myAppliedMusicVolume = 100;
    int myAppliedEffectsVolume = 100;
    // Bound to the setting "captions", which outlives an exit so that the
    // player's choice can still be saved.
    int myCaptionsOn = 0;
    bool myCaptionsSettingAdded = false;
    std::unique_ptr<CCaptions> myCaptions;
    std::unique_ptr<CCaptionDisplay> myCaptionDisplay;
};

} // namespace tarn

#endif
