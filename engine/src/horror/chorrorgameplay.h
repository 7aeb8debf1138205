#ifndef HORROR_CHORRORGAMEPLAY_H
#define HORROR_CHORRORGAMEPLAY_H

#include <memory>
#include <string>
#include <vector>

#include "horror/careaeventlist.h"
#include "horror/cbadguy.h"
#include "horror/cplayericon.h"
#include "horror/cwalkmask.h"
#include "tarn/gfx/csprite.h"
#include "tarn/inputdevice/inputlisteners.h"
#include "tarn/utils/ctimer.h"
#include "tarn/utils/point.h"
#include "tarn/utils/vector2.h"

namespace tarn {
class CXmlFileSys;
}

namespace horror {

class CBackgroundLayer;
class CScriptRunner;

// One level being played: the player's icon, dragged with the left mouse
// button across the level picture (whose alpha is the walk mask), the bad
// guy who patrols, sees, chases and hurries after noises, the area events
// and the portals. A level file is read into it with Serialize.
class CHorrorGameplay final : public tarn::CMouseListener
{
public:
    static constexpr float CATCH_DISTANCE = 7.0f;
    static constexpr std::size_t MAX_AREA_EVENTS = CAreaEventList::MAX_EVENTS;
    // Top-left corner of a character moved out of sight.
    static constexpr int OFF_SCREEN_X = 801;
    static constexpr int OFF_SCREEN_Y = 600;

    // Registers as a mouse listener; the player's icon waits off screen and
    // both characters are disabled and hidden until a level loads.
    CHorrorGameplay();
    ~CHorrorGameplay() override;

    CHorrorGameplay( const CHorrorGameplay& ) = delete;
    CHorrorGameplay& operator=( const CHorrorGameplay& ) = delete;

    // Reading loads a level in place (no writing).
    void Serialize( tarn::CXmlFileSys* filesys );
    void SetScriptRunner( CScriptRunner* runner )
    {
        myScriptRunner = runner;
        myAreaEvents.SetScriptRunner( runner );
    }
    void SetBackgroundLayer( CBackgroundLayer* layer ) { myBackgroundLayer = layer; }
    // Paused: mouse moves are ignored and the game does not tick it.
    void SetPaused( bool paused ) { myPaused = paused; }
    bool IsPaused() const { return myPaused; }
    // The bad guy caught the player at the last tick or move.
    bool IsCaught() const { return myCaught; }

    // One step of the bad guy (every 17 ms of game time).
    void Tick();

    void OnMouseMove( int x, int y ) override;
    void OnMouseMoveRelative( int dx, int dy ) override;
    void OnButtonDown( int button ) override;
    void OnButtonUp( int button ) override;

    void SetPlayerEnabled( bool enabled );
    void SetBadguyEnabled( bool enabled );
    void SetPlayerShown( bool shown );
    void SetBadguyShown( bool shown );

    // False, logged once a level, when the level holds MAX_AREA_EVENTS.
    bool AddAreaEvent( const tarn::types::point& position, float range, const std::string& script, bool forPlayer,
                       bool forBadguy, int howManyTimes );
    // A picture fading in at position, and an event that loads nextFile when
    // the player comes within 35 pixels.
    void AddPortal( const tarn::types::point& position, const std::string& image, const std::string& nextFile );
    // Runs the scripts of the armed events (for the player or the bad guy)
    // whose circle holds p.
    void CheckAreaEvents( const tarn::types::point& p, bool forPlayer, bool forBadguy );

    bool IsOpen( const tarn::types::point& p ) const;
    bool HasLineOfSight( const tarn::types::vector2& a, const tarn::types::vector2& b ) const;
    // Distance along the path from the bad guy to where it could see the player.
    void UpdatePathDistance() { myBadguy.UpdatePathDistance( PlayerCentre(), WalkMask() ); }
    // The boost after a bump into a wall.
    float NoiseBoost( float boost ) { return myBadguy.NoiseBoost( boost ); }
    static float BoostFactor( float boost ) { return CBadGuy::BoostFactor( boost ); }
    static float AlarmFactor( float alarm ) { return CBadGuy::AlarmFactor( alarm ); }

    tarn::CSprite* GetPlayerIcon() const { return myPlayer->GetSprite(); }
    tarn::CSprite* GetBadguySprite() const { return myBadguy.GetSprite(); }
    tarn::CSprite* GetLevelBackground() const { return myLevelBackground.get(); }
    const std::vector<AreaEvent>& GetAreaEvents() const { return myAreaEvents.GetEvents(); }
    const std::vector<tarn::SpritePtr>& GetPortalSprites() const { return myAreaEvents.GetPortalSprites(); }
    // The bad guy's state, for tests and tools.
    const CBadGuy& GetBadguy() const { return myBadguy; }
    const tarn::types::vector2& GetBadguyPosition() const { return myBadguy.GetPosition(); }
    std::size_t GetPathIndex() const { return myBadguy.GetPathIndex(); }
    const std::vector<tarn::types::point>& GetPath() const { return myBadguy.GetPath(); }
    bool IsChasing() const { return myBadguy.IsChasing(); }
    float GetBoost() const { return myBadguy.GetBoost(); }
    void SetBoost( float boost ) { myBadguy.SetBoost( boost ); }
    float GetAlarm() const { return myBadguy.GetAlarm(); }
    float GetPathDistance() const { return myBadguy.GetPathDistance(); }
    // Centre of the player's icon, where the bad guy looks.
    tarn::types::vector2 GetPlayerCentre() const { return PlayerCentre(); }
    bool IsDragging() const { return myPlayer->IsDragging(); }
    bool IsPlayerEnabled() const { return myPlayerEnabled; }
    bool IsBadguyEnabled() const { return myBadguyEnabled; }
    bool IsPlayerVisible() const { return myPlayerVisible; }
    bool IsBadguyVisible() const { return myBadguyVisible; }
    tarn::CTimer& GetClock() { return myClock; }
    // Where a hidden player's icon will come back, as the icon's centre.
    tarn::types::point GetRememberedPlayerCentre() const { return myPlayer->GetRememberedCentre(); }

private:
    const CWalkMask& WalkMask() const;
    tarn::types::vector2 PlayerCentre() const;
    void TestCapture();
    void ReadSwitches( tarn::CXmlFileSys* filesys );

    std::unique_ptr<CPlayerIcon> myPlayer;
    tarn::SpritePtr myLevelBackground;
    // The level picture's walk mask, which keeps the pixels it has read.
    mutable CWalkMask myWalkMask{ nullptr };
    CScriptRunner* myScriptRunner = nullptr;
    CBackgroundLayer* myBackgroundLayer = nullptr;
    bool myCaught = false;
    CAreaEventList myAreaEvents;
    CBadGuy myBadguy;
    tarn::CTimer myClock;
    bool myPaused = false;
    bool myPlayerEnabled = true;
    bool myBadguyEnabled = true;
    bool myPlayerVisible = true;
    bool myBadguyVisible = true;
};

} // namespace horror

#endif
