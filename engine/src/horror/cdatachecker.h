#ifndef HORROR_CDATACHECKER_H
#define HORROR_CDATACHECKER_H

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "horror/ccaptioncheck.h"
#include "tarn/utils/rect.h"

namespace tarn {
class CSprite;
class CXmlNode;
} // namespace tarn

namespace horror {

// Checks the game's data files as a game author would want before playing:
// loads every level with the game's own loaders and reports, naming the
// file and the key, missing or unloadable files, keys out of order or
// unknown, a player start or bad-guy path point on closed floor, portals and
// player events that cannot be reached from the start, script lines
// calling commands the game does not have, and (as warnings) a start hidden
// under the opening dialogue's box, level sprites drawn over text or over
// the dialogue box, and sounds without a caption (CCaptionCheck). Needs the
// graphics factory.
class CDataChecker
{
public:
    // One finding: "file: key: message".
    struct Finding
    {
        std::string file;
        std::string key;
        std::string message;
        bool error = true;
    };

    // The level files an author named: a folder's *.xml files in name order,
    // or the file itself. A folder without level files, or one that cannot
    // be read (a link loop, say), is an error.
    std::vector<std::string> LevelFilesIn( const std::string& input );
    // A level file and everything it refers to.
    void CheckLevel( const std::string& file );
    void CheckDialogue( const std::string& file );
    void CheckBackgroundLayer( const std::string& file );
    // A sprite description file or image.
    void CheckSprite( const std::string& file, const std::string& origin, const std::string& key );
    // Every line and statement of a script found at origin/key.
    void CheckScript( const std::string& script, const std::string& origin, const std::string& key );

    const std::vector<Finding>& GetFindings() const { return myFindings; }
    int GetErrorCount() const;
    // The findings as text, one per line.
    std::string Report() const;

private:
    // A sprite a level's script puts on the screen, where the key names.
    struct Placement
    {
        std::string name;
        std::string file;
        std::string key;
        tarn::types::rect rect;
        int z = 0;
        bool text = false;
    };

    // False, with an error, when root is not named name.
    bool HasRoot( const tarn::CXmlNode& root, const std::string& name, const std::string& file );
    void Error( const std::string& file, const std::string& key, const std::string& message );
    void Warn( const std::string& file, const std::string& key, const std::string& message );
    // False (with an error) when file is missing; "" counts as absent.
    bool Exists( const std::string& file, const std::string& origin, const std::string& key );
    // Reports children that are unknown or come before a key listed earlier.
    void CheckKeyOrder( const tarn::CXmlNode& node, const std::vector<std::string>& keys, const std::string& file,
                        const std::string& where );
    void CheckImage( const std::string& file, const std::string& origin, const std::string& key );
    void CheckStatement( const std::string& statement, const std::string& origin, const std::string& key );
    // The level's places, and what its screen shows over what.
    void CheckLevelLayout( const tarn::CXmlNode& root, const std::string& file );
    // Every place the scripts (key, text) give a sprite, in order.
    static std::vector<Placement> PlaceSprites( const std::vector<std::pair<std::string, std::string>>& scripts );
    // Sprites over text sprites, or in front of the open dialogue box.
    void CheckDecorations( const std::vector<Placement>& placed, const tarn::CSprite* box, const std::string& file );

    std::vector<Finding> myFindings;
    // Files already checked, so shared sprites are checked (and reported) once.
    std::set<std::string> myChecked;
    CCaptionCheck myCaptionCheck;
};

} // namespace horror

#endif
