#include "tarn/gfx/sdl/ctexturemanager.h"

#include <SDL.h>

#include <algorithm>

#include "tarn/utils/clogger.h"

namespace tarn {

CTextureManager::~CTextureManager()
{
    for( auto& [ name, entry ] : myEntries )
        SDL_FreeSurface( entry.surface );
    for( Entry& entry : myForgotten )
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
    Entry* entry = Find( surface );
    if( !entry || entry->references <= 0 )
    {
        if( myLogMisuse )
            GetLog() << "CTextureManager::AddReference() - trying add a reference to a pointer no longer in the memory: "
                     << static_cast<const void*>( surface ) << "\n";
        return false;
    }
    ++entry->references;
    return true;
}

void CTextureManager::Release( SDL_Surface* surface )
{
    if( !surface )
        return;
    Entry* entry = Find( surface );
    if( !entry )
    {
        SDL_FreeSurface( surface );
        return;
    }
    --entry->references;
    if( entry->references <= 0 && !entry->keep )
        Erase( surface );
}

void CTextureManager::Forget( const std::string& filename )
{
    const auto entry = myEntries.find( filename );
    if( entry == myEntries.end() )
        return;
    Entry old = entry->second;
    myEntries.erase( entry );
    if( old.references <= 0 )
    {
        SDL_FreeSurface( old.surface );
        return;
    }
    // No name leads to it any more, so keeping it would only leak it.
    old.keep = false;
    myForgotten.push_back( old );
}

bool CTextureManager::Holds( const SDL_Surface* surface ) const
{
    return surface && Find( surface ) != nullptr;
}

int CTextureManager::GetReferenceCount( const std::string& filename ) const
{
    const auto entry = myEntries.find( filename );
    return entry == myEntries.end() ? 0 : entry->second.references;
}

CTextureManager::Entry* CTextureManager::Find( const SDL_Surface* surface )
{
    return const_cast<Entry*>( static_cast<const CTextureManager*>( this )->Find( surface ) );
}

const CTextureManager::Entry* CTextureManager::Find( const SDL_Surface* surface ) const
{
    for( const auto& [ name, entry ] : myEntries )
    {
        if( entry.surface == surface )
            return &entry;
    }
    for( const Entry& entry : myForgotten )
    {
        if( entry.surface == surface )
            return &entry;
    }
    return nullptr;
}

void CTextureManager::Erase( const SDL_Surface* surface )
{
    for( auto it = myEntries.begin(); it != myEntries.end(); ++it )
    {
        if( it->second.surface == surface )
        {
            SDL_FreeSurface( it->second.surface );
            myEntries.erase( it );
            return;
        }
    }
    const auto forgotten = std::find_if( myForgotten.begin(), myForgotten.end(),
                                         [ surface ]( const Entry& entry ) { return entry.surface == surface; } );
    if( forgotten == myForgotten.end() )
        return;
    SDL_FreeSurface( forgotten->surface );
    myForgotten.erase( forgotten );
}

} // namespace tarn
