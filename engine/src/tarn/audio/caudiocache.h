#ifndef TARN_AUDIO_CAUDIOCACHE_H
#define TARN_AUDIO_CAUDIOCACHE_H

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "tarn/audio/caudiodevice.h"

namespace tarn {

// One sound file in a player's cache, with the keep flag that preloading sets.
class CAudioClip final
{
public:
    CAudioClip( std::string file, std::unique_ptr<CSound> sound ) :
        myFile( std::move( file ) ),
        mySound( std::move( sound ) )
    {
    }

    const std::string& GetFile() const { return myFile; }
    const CSound& GetSound() const { return *mySound; }
    // A kept (preloaded) clip survives the cache's clean-up.
    bool GetKeep() const { return myKeep; }
    void SetKeep( bool keep ) { myKeep = keep; }

private:
    std::string myFile;
    std::unique_ptr<CSound> mySound;
    bool myKeep = false;
};

// The loaded sound files of one player, by file name, owned by the cache.
// The loader reads a file (through the device) and gives null, having logged
// why, when it cannot.
class CAudioCache final
{
public:
    using Loader = std::function<std::unique_ptr<CSound>( const std::string& file )>;

    explicit CAudioCache( Loader loader ) :
        myLoader( std::move( loader ) )
    {
    }

    // Null when file is not cached.
    CAudioClip* Find( const std::string& file ) const
    {
        const auto found = myClips.find( file );
        return found == myClips.end() ? nullptr : found->second.get();
    }

    // The clip of file, loaded when it is not cached yet. A file that cannot
    // be loaded is not cached (the next call tries again) and gives null.
    CAudioClip* Load( const std::string& file )
    {
        if( CAudioClip* cached = Find( file ) )
            return cached;
        std::unique_ptr<CSound> sound = myLoader( file );
        if( !sound )
            return nullptr;
        auto clip = std::make_unique<CAudioClip>( file, std::move( sound ) );
        CAudioClip* loaded = clip.get();
        myClips.emplace( file, std::move( clip ) );
        return loaded;
    }

    // Loads file and sets its keep flag; false when it cannot be loaded.
    bool Preload( const std::string& file )
    {
        CAudioClip* clip = Load( file );
        if( !clip )
            return false;
        clip->SetKeep( true );
        return true;
    }

    void Remove( const std::string& file ) { myClips.erase( file ); }

    // Deletes every entry whose keep flag is not set.
    void RemoveUnkept()
    {
        for( auto it = myClips.begin(); it != myClips.end(); )
        {
            if( it->second->GetKeep() )
                ++it;
            else
                it = myClips.erase( it );
        }
    }

    void Clear() { myClips.clear(); }

    std::size_t Size() const { return myClips.size(); }
    bool Contains( const std::string& file ) const { return myClips.count( file ) != 0; }

private:
    Loader myLoader;
    std::map<std::string, std::unique_ptr<CAudioClip>> myClips;
};

} // namespace tarn

#endif
