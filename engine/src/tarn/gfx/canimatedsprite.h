#ifndef TARN_GFX_CANIMATEDSPRITE_H
#define TARN_GFX_CANIMATEDSPRITE_H

#include <memory>
#include <string>
#include <vector>

#include "tarn/gfx/canimatable.h"
#include "tarn/gfx/csprite.h"

namespace tarn {

class CAnimation;

// A sprite that plays one of its named animations (cells of a sprite sheet,
// sounds). While it plays, the sprite updater advances it on the sprite
// clock; its own animation clock runs at the time multiplier's speed.
class CAnimatedSprite final : public CSprite, public CAnimatable
{
public:
    static constexpr types::ticks DEFAULT_MINIMUM_UPDATE_TIME = 250;

    CAnimatedSprite();
    // Leaves the sprite updater.
    ~CAnimatedSprite() override;

    int GetType() const override;
    // The base keys, then the animation keys; see the .cpp.
    void Serialize( CXmlFileSys* filesys ) override;
    // Starts the animation of that name from its first frame. An unknown
    // name restarts the current animation; the one already playing under
    // that name goes on undisturbed.
    void PlayAnimation( const std::string& name ) override;

    // In real sprite-clock time, for the updater.
    types::ticks GetNextUpdateTime() const override;
    void UpdateTime( types::ticks now ) override;
    void UpdateAnimation() override;

    // Appended; becomes the current one when there is none.
    void AddAnimation( std::unique_ptr<CAnimation> animation );
    void Play();
    void Pause();
    // Pauses and goes back to the first frame with the clock unstarted.
    void Stop();
    void SetCurrentFrame( int frame ) { myCurrentFrame = frame; }
    int GetCurrentFrame() const { return myCurrentFrame; }
    // "" when there is none.
    std::string GetCurrentAnimationName() const;
    // Speed of the animation: 2 plays twice as fast, 0.5 half as fast. Only
    // values above 0 are taken.
    void SetTimeMultiplier( float multiplier );
    float GetTimeMultiplier() const { return myTimeMultiplier; }
    bool IsPlaying() const { return myPlaying; }
    // The animation clock; 0 while it has not started.
    types::ticks GetTime() const { return myTime; }
    std::size_t GetAnimationCount() const { return myAnimations.size(); }
    const CAnimation* GetAnimation( std::size_t i ) const;

private:
    void ReadAnimationKeys( CXmlFileSys* filesys );
    void WriteAnimationKeys( CXmlFileSys* filesys );

    std::vector<std::unique_ptr<CAnimation>> myAnimations;
    CAnimation* myCurrentAnimation = nullptr;
    int myCurrentFrame = 0;
    types::ticks myTime = 0;
    types::ticks myLastTime = 0;
    // Milliseconds of animation time not yet added, below one.
    double myTimeCarry = 0;
    types::ticks myMinimumUpdateTime = DEFAULT_MINIMUM_UPDATE_TIME;
    bool myPlaying = false;
    float myTimeMultiplier = 1.0f;
};

} // namespace tarn

#endif
