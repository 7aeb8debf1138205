#ifndef TARN_GFX_SDL_CTEXTUREMANAGER_H
#define TARN_GFX_SDL_CTEXTUREMANAGER_H

#include <map>
#include <string>
#include <vector>

#include "tarn/utils/csingleton.h"

struct SDL_Surface;

namespace tarn {

// The image cache: every image file is decoded once and its pixels shared by
// all surfaces that show it, counted; the pixels are freed when the last
// surface gives its reference back. A file changed on disk is forgotten, so
// that it is decoded anew while the surfaces on its old pixels keep them.
class CTextureManager final : public CSingleton<CTextureManager>
{
public:
    // Frees every image still held.
    ~CTextureManager();

    bool Has( const std::string& filename ) const;
    // Adds filename with one reference; a name already there is kept as it
    // is (and the attempt logged). A kept image is never freed.
    void AddNew( const std::string& filename, SDL_Surface* surface, bool keep );
    // One more reference on the image of filename; null (logged) when none.
    SDL_Surface* GetPointer( const std::string& filename );
    // One more reference on a cached image; false (logged) when the image is
    // not cached. False for null at once.
    bool AddReference( SDL_Surface* surface );
    // Gives one reference back; the last one frees the image. An image the
    // cache does not hold is freed at once; null does nothing.
    void Release( SDL_Surface* surface );
    // The next load of filename decodes the file again; its old pixels live
    // on, counted as before, until the last surface on them gives them back
    // (even a kept image). Nothing for a name not cached.
    void Forget( const std::string& filename );

    // True when surface is the image of some entry, forgotten ones too.
    bool Holds( const SDL_Surface* surface ) const;
    // 0 for an unknown name.
    int GetReferenceCount( const std::string& filename ) const;

    void SetLogMisuse( bool log ) { myLogMisuse = log; }

private:
    friend class CSingleton<CTextureManager>;
    CTextureManager() = default;

    struct Entry
    {
        SDL_Surface* surface = nullptr;
        int references = 0;
        bool keep = false;
    };
    using EntryMap = std::map<std::string, Entry>;

    // The entry of surface, in myEntries or else in myForgotten; null when
    // neither holds it.
    Entry* Find( const SDL_Surface* surface );
    const Entry* Find( const SDL_Surface* surface ) const;
    // Frees the image and drops the entry of surface.
    void Erase( const SDL_Surface* surface );

    EntryMap myEntries;
    // Forgotten images still shown.
    std::vector<Entry> myForgotten;
    bool myLogMisuse = true;
};

} // namespace tarn

#endif
