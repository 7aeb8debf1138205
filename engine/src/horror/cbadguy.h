#ifndef HORROR_CBADGUY_H
#define HORROR_CBADGUY_H

#include <cstddef>
#include <string>
#include <vector>

#include "tarn/gfx/csprite.h"
#include "tarn/utils/point.h"
#include "tarn/utils/types.h"
#include "tarn/utils/vector2.h"

namespace tarn {
class CXmlFileSys;
}

namespace horror {

class CWalkMask;

// The bad guy of a level: walks its patrol path at its speed, chases the
// player's icon while it sees it, hurries after noises (a boost spent as it
// walks) and shrieks when its speed jumps. Positions are its centre in
// screen pixels; times are milliseconds of the gameplay clock.
class CBadGuy final
{
public:
    // Reads the level file's keys "BadGuyImage" to "BadGuyPath" and stands
    // on the path's first point, neither chasing nor hurrying.
    void Read( tarn::CXmlFileSys* filesys );

    // One step at time now towards the player or its path. Returns the speed
    // factor of the step (1 when plain), or 0 when its path is done and it
    // took no step. The caller checks area events and the capture, then
    // lets it Shriek.
    float Step( tarn::types::ticks now, const tarn::types::vector2& player, const CWalkMask& mask );
    // Plays a shriek through the audio task when factor jumped more than
    // four times over the last one.
    void Shriek( float factor );
    // Distance along the path to where it could see the player; kept when
    // it cannot see the player from anywhere ahead.
    void UpdatePathDistance( const tarn::types::vector2& player, const CWalkMask& mask );
    // The boost after a bump into a wall (engine clock).
    float NoiseBoost( float boost );
    // Letting go of the icon far away makes it hurry.
    void HearRelease();

    // The first step after this starts counting from now.
    void RestartStepClock( tarn::types::ticks now ) { myLastStepTime = now; }
    // Shown again: step clock from now, noise decay anew, sprite in place.
    void Appear( tarn::types::ticks now );
    // Moves the sprite where the centre is, or out of sight at corner.
    void PlaceSprite();
    void PlaceSpriteAt( const tarn::types::point& corner );

    // The sound file of shriek 1 to SHRIEK_COUNT, one picked at random each
    // time.
    static constexpr int SHRIEK_COUNT = 3;
    static std::string ShriekFile( int number );

    // Speed factor (1 to 14) of a remaining boost distance.
    static float BoostFactor( float boost );
    // Speed factor of a chase's alarm (about 12 at its start, 2.2 at its end).
    static float AlarmFactor( float alarm );

    tarn::CSprite* GetSprite() const { return mySprite.get(); }
    const tarn::types::vector2& GetPosition() const { return myPosition; }
    std::size_t GetPathIndex() const { return myPathIndex; }
    const std::vector<tarn::types::point>& GetPath() const { return myPath; }
    float GetSpeed() const { return mySpeed; }
    float GetAiRange() const { return myAiRange; }
    bool ChasesPlayer() const { return myChasesPlayer; }
    bool IsChasing() const { return myChasing; }
    float GetBoost() const { return myBoost; }
    void SetBoost( float boost ) { myBoost = boost; }
    float GetAlarm() const { return myAlarm; }
    float GetPathDistance() const { return myPathDistance; }

private:
    // Where it heads when it does not chase.
    tarn::types::vector2 PatrolTarget( const CWalkMask& mask );

    tarn::SpritePtr mySprite;
    tarn::types::vector2 myPosition;
    std::size_t myPathIndex = 0;
    std::vector<tarn::types::point> myPath;
    float mySpeed = 16.0f;
    bool myChasing = true;
    float myBoost = 0.0f;
    float myAlarm = 0.0f;
    float myAiRange = 300.0f;
    bool myChasesPlayer = true;
    float myPathDistance = 0.0f;
    tarn::types::ticks myLastStepTime = 0;

    // Kept across level loads (one bad guy walks a whole game).
    float mySquaredAiRange = 90000.0f;
    int myStepCounter = 0;
    float mySharedPathDistance = 0.0f;
    tarn::types::ticks myLastBumpTime = 0;
    float myNoiseDecay = 1.1f;
    float myPreviousSpeedFactor = 1.0f;
};

} // namespace horror

#endif
