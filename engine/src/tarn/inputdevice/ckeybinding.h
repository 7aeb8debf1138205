#ifndef TARN_INPUTDEVICE_CKEYBINDING_H
#define TARN_INPUTDEVICE_CKEYBINDING_H

#include <string>
#include <vector>

#include "tarn/inputdevice/ckeyhandler.h"

namespace tarn {

// Runs a console command in the main console when its key goes down and
// again when it comes up.
class CKeyBinding final : public CKeyHandler
{
public:
    explicit CKeyBinding( const std::string& command ) : myCommand( command ) {}

    void Fire( int key ) override;

    const std::string& GetCommand() const { return myCommand; }

private:
    std::string myCommand;
};

// Runs a console command when every one of its keys is down at once: when
// the last of them goes down. Releasing a key runs nothing, as that key is
// already up.
class CKeyComboBinding final : public CKeyHandler
{
public:
    CKeyComboBinding( const std::vector<int>& keys, const std::string& command ) :
        myKeys( keys ), myCommand( command )
    {
    }

    void Fire( int key ) override;
    void SetKeyStates( const KeyStates* states ) override { myKeyStates = states; }

    const std::vector<int>& GetKeys() const { return myKeys; }

private:
    bool AllKeysDown() const;

    std::vector<int> myKeys;
    const KeyStates* myKeyStates = nullptr;
    std::string myCommand;
};

} // namespace tarn

#endif
