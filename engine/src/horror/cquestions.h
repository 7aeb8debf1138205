#ifndef HORROR_CQUESTIONS_H
#define HORROR_CQUESTIONS_H

#include <memory>

#include "horror/namedsprites.h"
#include "tarn/gfx/csprite.h"
#include "tarn/utils/ctimer.h"
#include "tarn/utils/signalslot.h"

namespace tarn {
namespace ui {
class CButtonWidget;
}
} // namespace tarn

namespace horror {

class CBackgroundLayer;

// The question screen between the title and the first level: three yes/no
// questions answered with image buttons, then two texts clicked through
// with a continue button. No at any question ends the program.
class CQuestions final : public tarn::CSignalReceiver
{
public:
    static constexpr int DONE_STATE = 6;

    // Puts up the question background and fades in from black.
    // Clears the stage: named sprites go, the background shows the screen's
    // own layer.
    CQuestions( NamedSprites& named, CBackgroundLayer& background );
    ~CQuestions() override;

    CQuestions( const CQuestions& ) = delete;
    CQuestions& operator=( const CQuestions& ) = delete;

    void Update();
    bool IsDone() const { return myDone; }
    // The player answered no.
    bool IsQuit() const { return myQuit; }

    // The next text (yes and continue clicks).
    void Next();
    // Ends the screen and the program (no clicks).
    void OnNo();

    int GetState() const { return myState; }
    tarn::CSprite* GetQuestion() const { return myQuestion.get(); }
    tarn::CSprite* GetPrompt() const { return myPrompt.get(); }
    tarn::ui::CButtonWidget* GetYesButton() const { return myYesButton.get(); }
    tarn::ui::CButtonWidget* GetNoButton() const { return myNoButton.get(); }

private:
    void ShowYesNo();
    void ShowContinue();
    void RetireQuestion();
    void ShowQuestion( const char* file );
    void RetirePrompt();

    tarn::SpritePtr myQuestion;
    tarn::SpritePtr myStair;
    tarn::SpritePtr myPrompt;
    std::unique_ptr<tarn::ui::CButtonWidget> myYesButton;
    std::unique_ptr<tarn::ui::CButtonWidget> myNoButton;
    tarn::CTimer myTimer;
    int myState = 0;
    bool myButtonsShown = false;
    bool myDone = false;
    bool myQuit = false;
};

} // namespace horror

#endif
