#ifndef HORROR_CLEVELFILES_H
#define HORROR_CLEVELFILES_H

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace tarn {
class CXmlNode;
}

namespace horror {

// The files a level needs: the level file, its picture, its background-layer
// file, the bad guy's and the portals' sprites, the sprites and dialogues its
// scripts (and those dialogues' scripts) name, and the sprites and pictures
// those sprites name; and the first of them that would not load, with why.
// What a reload reads first, so that a broken edit cannot stop a running
// level.
class CLevelFiles
{
public:
    // Reads the level file and the data files it names (not the pictures).
    explicit CLevelFiles( const std::string& level );

    // Loads every picture through the image cache; the first that does not
    // load becomes the fault, unless one came before.
    void CheckPictures();

    // Every file named, the level first, missing ones too (their coming is
    // a change worth noticing); each once.
    const std::vector<std::string>& GetFiles() const { return myFiles; }
    const std::vector<std::string>& GetPictures() const { return myPictures; }
    // "file: why" of the first file that would not load; "" when none.
    const std::string& GetFault() const { return myFault; }

private:
    // The file's tree when it loads and its root is rootName (any root for
    // ""); null, with the fault noted, when not. Null for a file seen before.
    std::unique_ptr<tarn::CXmlNode> Read( const std::string& file, const std::string& rootName );
    void AddLevel( const std::string& file );
    void AddLayer( const std::string& file );
    void AddDialogue( const std::string& file );
    // A sprite description file or a picture.
    void AddSprite( const std::string& file );
    void AddScript( const std::string& script );
    // False (the fault noted) when file cannot be read at all.
    bool Add( const std::string& file );
    void Fail( const std::string& file, const std::string& why );

    std::vector<std::string> myFiles;
    std::set<std::string> mySeen;
    std::vector<std::string> myPictures;
    std::string myFault;
};

} // namespace horror

#endif
