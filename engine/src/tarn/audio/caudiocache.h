#ifndef TARN_AUDIO_CAUDIOCACHE_H
#define TARN_AUDIO_CAUDIOCACHE_H

#include <cstddef>
#include <map>
#include <memory>
#include <string>

namespace tarn {

// The loaded sound files of one player, by file name, owned by the cache.
// Data is constructed from a file name, tells through IsLoaded() whether the
// file could be read, and has a keep flag that protects it from
// RemoveUnkept().
template <class Data>
class CAudioCache final
{
public:
    // Null when file is not cached.
    Data* Find( const std::string& file ) const
    {
        const auto found = myData.find( file );
        return found == myData.end() ? nullptr : found->second.get();
    }

    // The data of file, loaded when it is not cached yet. A file that cannot
    // be loaded is not cached (the next call tries again) and gives null.
    Data* Load( const std::string& file )
    {
        if( Data* cached = Find( file ) )
            return cached;
        auto data = std::make_unique<Data>( file );
        if( !data->IsLoaded() )
            return nullptr;
        Data* loaded = data.get();
        myData.emplace( file, std::move( data ) );
        return loaded;
    }

    void Remove( const std::string& file ) { myData.erase( file ); }

    // Deletes every entry whose keep flag is not set.
    void RemoveUnkept()
    {
        for( auto it = myData.begin(); it != myData.end(); )
        {
            if( it->second->GetKeep() )
                ++it;
            else
                it = myData.erase( it );
        }
    }

    void Clear() { myData.clear(); }

    std::size_t Size() const { return myData.size(); }
    bool Contains( const std::string& file ) const { return myData.count( file ) != 0; }

private:
    std::map<std::string, std::unique_ptr<Data>> myData;
};

} // namespace tarn

#endif
