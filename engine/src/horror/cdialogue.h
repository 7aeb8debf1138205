#ifndef HORROR_CDIALOGUE_H
#define HORROR_CDIALOGUE_H

#include <string>

namespace tarn {
class CXmlFileSys;
}

namespace horror {

class CScriptRunner;

// The game's dialogue box: a queue of lines typed out one character per
// update, with speaker portraits, clicked past with the left button.
class CDialogue
{
public:
    CDialogue();
    ~CDialogue();

    void SetSpeakerImage( const std::string& name );
    void SetText( const std::string& text );
    void Update();
    bool IsActive() const { return myActive; }
    void SetScriptRunner( CScriptRunner* runner ) { myScriptRunner = runner; }
    // Reading replaces the queue of lines and shows the first one.
    void Serialize( tarn::CXmlFileSys* filesys );

private:
    bool myActive = false;
    CScriptRunner* myScriptRunner = nullptr;
};

} // namespace horror

#endif
