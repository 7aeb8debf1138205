#ifndef TARN_AUDIO_CCAPTIONTABLE_H
#define TARN_AUDIO_CCAPTIONTABLE_H

#include <map>
#include <string>

namespace tarn {

// The short texts that stand for sound effects ("[a door creaks]"), by the
// effect's file name, as a caption file lists them:
//   <Captions>
//     <Caption sound_file="data/sfx/door.wav" > [a door creaks] </Caption>
//   </Captions>
class CCaptionTable final
{
public:
    // False, logged with the file's name, when the file cannot be read; a
    // caption without a sound file or a text is skipped with a warning.
    bool Load( const std::string& file );
    // The caption of an effect file; "" when it has none.
    std::string Find( const std::string& sound ) const;
    std::size_t Size() const { return myTexts.size(); }

private:
    std::map<std::string, std::string> myTexts;
};

} // namespace tarn

#endif
