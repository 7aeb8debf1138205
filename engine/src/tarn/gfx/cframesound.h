#ifndef TARN_GFX_CFRAMESOUND_H
#define TARN_GFX_CFRAMESOUND_H

#include <memory>
#include <string>

#include "tarn/gfx/cframe.h"

namespace tarn {

// Plays a sound effect by sending `Audio::PlayEffect( "file" );` to the main
// console, so it reaches the audio task started under the name Audio. It is
// done at once: the next update of the animation moves on.
class CFrameSound final : public CFrame
{
public:
    CFrameSound() = default;
    explicit CFrameSound( const std::string& soundFile );

    int GetType() const override;
    bool Apply( CSprite* sprite, types::ticks elapsed ) override;
    types::ticks GetInterval() const override;
    types::ticks GetLength() const override;
    // Only the attribute "sound_file"; the wrapped frame is not stored.
    void Serialize( CXmlFileSys* filesys ) override;

    const std::string& GetSoundFile() const { return mySoundFile; }
    void SetWrapped( std::unique_ptr<CFrame> frame ) { myWrapped = std::move( frame ); }

    // The console line that plays file.
    static std::string PlayLine( const std::string& file );

private:
    std::string mySoundFile;
    std::unique_ptr<CFrame> myWrapped;
};

} // namespace tarn

#endif
