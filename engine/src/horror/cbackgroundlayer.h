#ifndef HORROR_CBACKGROUNDLAYER_H
#define HORROR_CBACKGROUNDLAYER_H

#include <array>
#include <string>
#include <vector>

#include "horror/cfloatingthing.h"
#include "tarn/gfx/csprite.h"

namespace tarn {
class CXmlFileSys;
}

namespace horror {

// What the game shows behind a level or the title: one picture, four smaller
// pictures dealt at random into the quarters of the 800 x 600 screen, and
// two things drifting slowly to random places. A background-layer file
// chooses the picture and switches the two decorations on or off.
class CBackgroundLayer
{
public:
    CBackgroundLayer();

    // Reads the file ("BackgroundLayer" root); a file that cannot be read
    // changes nothing.
    void LoadBackgroundLayer( const std::string& file );
    void Serialize( tarn::CXmlFileSys* filesys );
    // One drift step of every floating thing (every 200 ms).
    void Step();
    void CreateCrapground();
    void FloatThingsAround();

    tarn::CSprite* GetBackground() const { return myBackground.get(); }
    const std::array<tarn::SpritePtr, 4>& GetCrapSprites() const { return myCrapSprites; }
    const std::vector<CFloatingThing>& GetFloatingThings() const { return myFloatingThings; }

private:
    std::array<std::string, 4> myCrapFiles;
    std::array<tarn::SpritePtr, 4> myCrapSprites;
    std::vector<CFloatingThing> myFloatingThings;
    std::array<std::string, 4> myFloatFiles;
    tarn::SpritePtr myBackground;
};

} // namespace horror

#endif
