#ifndef TARN_TASKS_CAUDIOTASK_H
#define TARN_TASKS_CAUDIOTASK_H

#include <memory>
#include <string>

#include "tarn/audio/caudiosettings.h"
#include "tarn/tasks/ctask.h"

namespace tarn {

class CAudioCommands;
class CConsole;
class CEffectPlayer;
class CMusicPlayer;

// The task type "audio": opens the audio device through SDL_mixer and plays
// music and sound effects on the commands that scripts send it as
// `TaskName::Command( ... )`. When the device cannot be opened the task waits
// paused, and its commands are accepted and do nothing.
class CAudioTask final : public CTask
{
public:
    CAudioTask();
    ~CAudioTask() override;

    // Reads the start-up values (frequency, format, channels, chunk size,
    // mixing channels), then opens the device.
    bool Init( CAnyContainer* parameters ) override;
    // Opens the device, logging each step; false when it cannot be opened.
    bool Init() override;
    // Restarts finished music and frees effects that no longer sound.
    void Update() override;
    // Frees all sound data and closes the device.
    void Exit() override;
    void OnPause() override;
    void OnResume() override;
    bool HandleCommand( const std::string& command ) override;

    const CAudioSettings& GetSettings() const { return mySettings; }
    // Null unless the device is open.
    CMusicPlayer* GetMusicPlayer() const { return myMusicPlayer.get(); }
    CEffectPlayer* GetEffectPlayer() const { return myEffectPlayer.get(); }

private:
    bool OpenMixer();
    void LogDeviceSpec();
    // Deletes the console, the commands and the players, then closes what
    // this task opened.
    void Close();

    CAudioSettings mySettings;
    std::unique_ptr<CMusicPlayer> myMusicPlayer;
    std::unique_ptr<CEffectPlayer> myEffectPlayer;
    std::unique_ptr<CAudioCommands> myCommands;
    std::unique_ptr<CConsole> myConsole;
    bool mySubsystemStarted = false;
    bool myMixerOpen = false;
};

} // namespace tarn

#endif
