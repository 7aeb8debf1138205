#include "tarn/gfx/sdl/ctexturemanager.h"

#include <SDL.h>

#include "tarn/utils/clogger.h"

namespace tarn {

CTextureManager::~CTextureManager()
{
    for( auto& [ name, entry ] : myEntries )
        SDL_FreeSurface( entry.surface );
}

bool CTextureManager::Has( const std::string& filename ) const
{
    return myEntries.count( filename ) != 0;
}

void CTextureManager::AddNew( const std::string& filename, SDL_Surface* surface, bool keep )
{
    if( Has( filename ) )
    {
        if( myLogMisuse )
            GetLog() << "CTextureManager::AddNew() - trying to add a new texture, but we already have one of the same name: "
                     << filename << "\n";
        return;
    }
    myEntries[ filename ] = Entry{ surface, 1, keep };
}

SDL_Surface* CTextureManager::GetPointer( const std::string& filename )
{
    const auto entry = myEntries.find( filename );
    if( entry == myEntries.end() )
    {
        if( myLogMisuse )
            GetLog() << "CTextureManager::GetPointer() - trying to get pointer to a file that doesn't exist: "
                     << filename << "\n";
        return nullptr;
    }
    ++entry->second.references;
    return entry->second.surface;
}

bool CTextureManager::AddReference( SDL_Surface* surface )
{
    if( !surface )
        return false;
    const auto entry = Find( surface );
    if( entry == myEntries.end() || entry->second.references <= 0 )
    {
        if( myLogMisuse )
            GetLog() << "CTextureManager::AddReference() - trying add a reference to a pointer no longer in the memory: "
                     << static_cast<const void*>( surface ) << "\n";
        return false;
    }
    ++entry->second.references;
    return true;
}

void CTextureManager::Release( SDL_Surface* surface )
{
    if( !surface )
        return;
    const auto entry = Find( surface );
    if( entry == myEntries.end() )
    {
        SDL_FreeSurface( surface );
        return;
    }
    --entry->second.references;
    if( entry->second.references <= 0 && !entry->second.keep )
    {
        SDL_FreeSurface( entry->second.surface );
        myEntries.erase( entry );
    }
}

bool CTextureManager::Holds( const SDL_Surface* surface ) const
{
    return surface && Find( surface ) != myEntries.end();
}

int CTextureManager::GetReferenceCount( const std::string& filename ) const
{
    const auto entry = myEntries.find( filename );
    return entry == myEntries.end() ? 0 : entry->second.references;
}

CTextureManager::EntryMap::iterator CTextureManager::Find( const SDL_Surface* surface )
{
    for( auto it = myEntries.begin(); it != myEntries.end(); ++it )
    {
        if( it->second.surface == surface )
            return it;
    }
    return myEntries.end();
}

CTextureManager::EntryMap::const_iterator CTextureManager::Find( const SDL_Surface* surface ) const
{
    for( auto it = myEntries.begin(); it != myEntries.end(); ++it )
    {
        if( it->second.surface == surface )
            return it;
    }
    return myEntries.end();
}

} // namespace tarn
