#ifndef HORROR_CCAPTIONCHECK_H
#define HORROR_CCAPTIONCHECK_H

#include <set>
#include <string>
#include <vector>

#include "tarn/audio/ccaptiontable.h"

namespace horror {

// Whether every sound effect the game plays has a caption in the caption
// file, for the data checker: the sound frames of sprite files, the
// PlayEffect lines of level and dialogue scripts, and the bad guy's shrieks,
// which the game's code plays. Nothing is reported when the game has no
// caption file; each file is read, and each sound reported, once.
class CCaptionCheck final
{
public:
    static constexpr const char* CAPTION_FILE = "data/captions.xml";

    struct Fault
    {
        std::string file;
        std::string key;
        std::string message;
    };

    // The sounds without a caption in level and in the files the checker
    // went through from it (sprites, dialogues; images are passed over).
    std::vector<Fault> Check( const std::string& level, const std::set<std::string>& others );

private:
    void CheckFile( const std::string& file );
    void CheckSound( const std::string& sound, const std::string& file, const std::string& key );

    bool myStarted = false;
    bool myHasCaptions = false;
    tarn::CCaptionTable myCaptions;
    std::set<std::string> myRead;
    std::set<std::string> myReported;
    std::vector<Fault> myFaults;
};

} // namespace horror

#endif
