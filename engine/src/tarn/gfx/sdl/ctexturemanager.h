#ifndef TARN_GFX_SDL_CTEXTUREMANAGER_H
#define TARN_GFX_SDL_CTEXTUREMANAGER_H

#include <map>
#include <string>

#include "tarn/utils/csingleton.h"

struct SDL_Surface;

namespace tarn {

// The image cache: every image file is decoded once and its pixels shared by
// all surfaces that show it, counted; the pixels are freed when the last
// surface gives its reference back.
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

    // True when surface is the image of some entry.
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

    EntryMap::iterator Find( const SDL_Surface* surface );
    EntryMap::const_iterator Find( const SDL_Surface* surface ) const;

    EntryMap myEntries;
    bool myLogMisuse = true;
};

} // namespace tarn

#endif
