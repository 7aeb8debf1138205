#ifndef HORROR_CDIALOGUE_H
#define HORROR_CDIALOGUE_H

#include <deque>
#include <string>

#include "tarn/gfx/csprite.h"
#include "tarn/inputdevice/inputlisteners.h"
#include "tarn/utils/types.h"

namespace tarn {
class CXmlFileSys;
}

namespace horror {

class CScriptRunner;

// One line of a dialogue file: who speaks, what is said, and the script to
// run when the player clicks past it.
struct DialogLine
{
    std::string SpeakerImage;
    std::string Dialogue;
    std::string AfterExecute;

    void Serialize( tarn::CXmlFileSys* filesys );
};

// The game's dialogue box: a queue of lines typed out one character per
// update in a box that slides up from the bottom of the screen, with
// speaker portraits sliding in from the left. A left click completes the
// line being typed, or moves on past a complete one; after a while a
// complete line shows a prompt asking for that click.
class CDialogue final : public tarn::CMouseListener
{
public:
    static constexpr tarn::types::ticks SLIDE_TIME = 750;
    static constexpr tarn::types::ticks TYPING_DELAY = 750;
    static constexpr tarn::types::ticks CLICK_GUARD = 350;
    static constexpr tarn::types::ticks PROMPT_DELAY = 2000;
    static constexpr tarn::types::ticks PROMPT_FADE_TIME = 1000;
    static constexpr tarn::types::ticks PORTRAIT_KEEP_ALIVE = 2100;
    static constexpr int BOX_PARKED_Y = 600;
    static constexpr int BOX_BOTTOM = 601;
    static constexpr int PORTRAIT_PARKED_X = -300;
    static constexpr int PORTRAIT_OPEN_X = 0;

    // Listens to the mouse and parks the box below the screen.
    CDialogue();
    ~CDialogue() override;

    CDialogue( const CDialogue& ) = delete;
    CDialogue& operator=( const CDialogue& ) = delete;

    void OnMouseMove( int x, int y ) override;
    void OnMouseMoveRelative( int dx, int dy ) override;
    void OnButtonDown( int button ) override;
    void OnButtonUp( int button ) override;

    // Shows a portrait (sprite file), sliding out the previous one; the
    // portrait on screen stays when name is the one already loaded.
    void SetSpeakerImage( const std::string& name );
    // Starts typing text, opening the box when it is closed.
    void SetText( const std::string& text );
    // One dialogue tick: types a character, shows the prompt when due.
    void Update();
    bool IsActive() const { return myActive; }
    void SetScriptRunner( CScriptRunner* runner ) { myScriptRunner = runner; }
    // Reading replaces the queue of lines and shows the first one; writing
    // emits one "DialogLine" per queued line.
    void Serialize( tarn::CXmlFileSys* filesys );

    // The box's sprite where it stands while a dialogue shows (what it hides
    // from the level under it); null when it cannot be made.
    static tarn::SpritePtr MakeOpenBox();

    bool IsLineComplete() const { return myFinished; }
    const std::string& GetText() const { return myText; }
    unsigned GetShownChars() const { return myShownChars; }
    const std::deque<DialogLine>& GetLines() const { return myLines; }
    tarn::CSprite* GetSpeakerSprite() const { return mySpeakerSprite.get(); }
    tarn::CSprite* GetBoxSprite() const { return myBoxSprite.get(); }
    tarn::CSprite* GetTextSprite() const { return myTextSprite.get(); }
    tarn::CSprite* GetContinueSprite() const { return myContinueSprite.get(); }

private:
    // The y at which a box of that height rests on the screen's bottom.
    static int OpenY( const tarn::types::rect& box ) { return BOX_BOTTOM - box.h; }
    void Open();
    void RemoveSpeakerImage();
    void TypeStep();
    void MarkComplete();
    void Advance();
    void ShowFrontLine();
    void Close();

    tarn::types::ticks myOpenTime = 0;
    tarn::types::ticks myFinishTime = 0;
    bool myActive = false;
    bool myFinished = false;
    unsigned myShownChars = 0;
    std::string myText;
    std::string mySpeakerImageName;
    tarn::SpritePtr mySpeakerSprite;
    tarn::SpritePtr myBoxSprite;
    tarn::SpritePtr myTextSprite;
    tarn::SpritePtr myContinueSprite;
    CScriptRunner* myScriptRunner = nullptr;
    std::deque<DialogLine> myLines;
};

} // namespace horror

#endif
