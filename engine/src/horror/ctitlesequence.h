#ifndef HORROR_CTITLESEQUENCE_H
#define HORROR_CTITLESEQUENCE_H

#include "horror/namedsprites.h"
#include "tarn/gfx/csprite.h"
#include "tarn/inputdevice/inputlisteners.h"
#include "tarn/utils/ctimer.h"

namespace horror {

class CBackgroundLayer;

// The timed title sequence shown when a game starts: a black cover fades
// off the title background, the maker's logo fades in and flickers, and two
// credits are wiped in and out by a sliding black block. It ends after
// 19.5 s, or at once when the left mouse button is released.
class CTitleSequence final : public tarn::CMouseListener
{
public:
    static constexpr int LAST_STATE = 8;

    // Listens to the mouse, puts up the title background and starts the
    // timeline.
    // Clears the stage: named sprites go, the background shows the screen's
    // own layer.
    CTitleSequence( NamedSprites& named, CBackgroundLayer& background );
    ~CTitleSequence() override;

    CTitleSequence( const CTitleSequence& ) = delete;
    CTitleSequence& operator=( const CTitleSequence& ) = delete;

    void OnMouseMove( int x, int y ) override;
    void OnMouseMoveRelative( int dx, int dy ) override;
    void OnButtonDown( int button ) override;
    void OnButtonUp( int button ) override;

    // One step of the timeline at most per call.
    void Update();
    bool IsFinished() const { return myFinished; }

    int GetState() const { return myState; }
    bool IsFlickering() const { return myFlicker; }
    tarn::CSprite* GetBlackout() const { return myBlackout.get(); }
    tarn::CSprite* GetLogo() const { return myLogo.get(); }
    tarn::CSprite* GetText() const { return myText.get(); }
    tarn::CSprite* GetFader() const { return myFader.get(); }

private:
    // Steps of the timeline; each returns whether it is done.
    bool BringInLogo( tarn::types::ticks elapsed );
    bool WipeInText( tarn::types::ticks elapsed, const char* file, tarn::types::ticks at );
    bool FlickerThenWipeOut( tarn::types::ticks elapsed, tarn::types::ticks flickerAt, tarn::types::ticks wipeAt );
    bool FlickerThenFadeOut( tarn::types::ticks elapsed );
    // Flicker on after on, steady logo after off.
    void Flicker( tarn::types::ticks elapsed, tarn::types::ticks on, tarn::types::ticks off );
    void WipeIn();
    void WipeOut();

    tarn::SpritePtr myBlackout;
    tarn::SpritePtr myLogo;
    tarn::SpritePtr myText;
    tarn::SpritePtr myFader;
    tarn::CTimer myTimer;
    bool myFlicker = false;
    bool myFinished = false;
    int myState = 0;
};

} // namespace horror

#endif
