#include "tarn/gfx/sdl/imagesaver.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

#include <sys/stat.h>
#include <unistd.h>

#include "tarn/gfx/sdl/pixelaccess.h"
#include "tarn/utils/clogger.h"

namespace tarn {
namespace sdl {

namespace {

void PutByte( std::vector<Uint8>& bytes, int value )
{
    bytes.push_back( static_cast<Uint8>( value ) );
}

void PutWord( std::vector<Uint8>& bytes, int value )
{
    PutByte( bytes, value & 0xff );
    PutByte( bytes, ( value >> 8 ) & 0xff );
}

bool EndsWith( const std::string& text, const std::string& ending )
{
    return text.size() >= ending.size() && text.compare( text.size() - ending.size(), ending.size(), ending ) == 0;
}

void PutPalette( SDL_Surface* surface, std::vector<Uint8>& bytes, bool withAlpha )
{
    const SDL_Palette* palette = surface->format->palette;
    for( int i = 0; i < palette->ncolors; ++i )
    {
        const SDL_Color& color = palette->colors[ i ];
        PutByte( bytes, color.b );
        PutByte( bytes, color.g );
        PutByte( bytes, color.r );
        if( withAlpha )
            PutByte( bytes, static_cast<Uint32>( i ) == surface->format->colorkey ? 0 : 255 );
    }
}

void PutPixels( SDL_Surface* surface, std::vector<Uint8>& bytes, bool paletted, bool withAlpha )
{
    CSurfaceLock lock( surface );
    for( int y = 0; y < surface->h; ++y )
    {
        for( int x = 0; x < surface->w; ++x )
        {
            const Uint32 pixel = ReadPixel( surface, x, y );
            if( paletted )
            {
                PutByte( bytes, static_cast<int>( pixel ) );
                continue;
            }
            Uint8 r, g, b, a;
            SDL_GetRGBA( pixel, surface->format, &r, &g, &b, &a );
            PutByte( bytes, b );
            PutByte( bytes, g );
            PutByte( bytes, r );
            if( withAlpha )
                PutByte( bytes, a );
        }
    }
}

// Room for any BMP SDL writes of this surface: header, 256-colour palette
// and 24-bit rows padded to 4 bytes.
std::size_t BMPSizeBound( const SDL_Surface* surface )
{
    const std::size_t row = ( static_cast<std::size_t>( surface->w ) * 4 + 3 ) & ~static_cast<std::size_t>( 3 );
    return 54 + 256 * 4 + row * static_cast<std::size_t>( surface->h ) + 64;
}

} // namespace

bool EncodeTGA( SDL_Surface* surface, std::vector<Uint8>& bytes )
{
    const SDL_PixelFormat* format = surface->format;
    if( format->BitsPerPixel < 8 )
    {
        SDL_SetError( "cannot save <8bpp images as TGA" );
        return false;
    }
    const bool paletted = format->BitsPerPixel == 8 && format->palette;
    const bool keyed = ( surface->flags & SDL_SRCCOLORKEY ) != 0;
    const bool withAlpha = !paletted && format->Amask != 0;
    const int pixelBytes = paletted ? 1 : ( withAlpha ? 4 : 3 );
    try
    {
        bytes.clear();
        bytes.reserve( 18 + 256 * 4 + static_cast<std::size_t>( surface->w ) * surface->h * pixelBytes );
        PutByte( bytes, 0 );
        PutByte( bytes, paletted ? 1 : 0 );
        PutByte( bytes, paletted ? 1 : 2 );
        PutWord( bytes, 0 );
        PutWord( bytes, paletted ? format->palette->ncolors : 0 );
        PutByte( bytes, paletted ? ( keyed ? 32 : 24 ) : 0 );
        PutWord( bytes, 0 );
        PutWord( bytes, 0 );
        PutWord( bytes, surface->w );
        PutWord( bytes, surface->h );
        PutByte( bytes, pixelBytes * 8 );
        PutByte( bytes, withAlpha ? 0x28 : 0x20 );
        if( paletted )
            PutPalette( surface, bytes, keyed );
        PutPixels( surface, bytes, paletted, withAlpha );
    }
    catch( const std::bad_alloc& )
    {
        SDL_SetError( "out of memory" );
        return false;
    }
    return true;
}

bool EncodeBMP( SDL_Surface* surface, std::vector<Uint8>& bytes )
{
    bytes.assign( BMPSizeBound( surface ), 0 );
    SDL_RWops* memory = SDL_RWFromMem( bytes.data(), static_cast<int>( bytes.size() ) );
    if( !memory )
        return false;
    // SDL converts the pixels with a blit, which would blend them by their
    // alpha and drop colour-keyed ones; the colours are wanted as they are.
    const Uint32 flags = surface->flags;
    const Uint8 alpha = surface->format->alpha;
    const Uint32 key = surface->format->colorkey;
    SDL_SetAlpha( surface, 0, alpha );
    SDL_SetColorKey( surface, 0, key );
    const int result = SDL_SaveBMP_RW( surface, memory, 0 );
    SDL_SetAlpha( surface, flags & ( SDL_SRCALPHA | SDL_RLEACCELOK ), alpha );
    SDL_SetColorKey( surface, flags & ( SDL_SRCCOLORKEY | SDL_RLEACCELOK ), key );
    const int size = SDL_RWtell( memory );
    SDL_RWclose( memory );
    if( result != 0 || size <= 0 )
        return false;
    bytes.resize( static_cast<std::size_t>( size ) );
    return true;
}

bool WriteFileAtomically( const std::string& path, const std::vector<Uint8>& bytes )
{
    std::vector<char> temporary( path.begin(), path.end() );
    const char suffix[] = ".XXXXXX";
    temporary.insert( temporary.end(), suffix, suffix + sizeof( suffix ) );
    const int descriptor = mkstemp( temporary.data() );
    if( descriptor < 0 )
        return false;
    fchmod( descriptor, 0644 );
    FILE* file = fdopen( descriptor, "wb" );
    if( !file )
    {
        const int error = errno;
        close( descriptor );
        unlink( temporary.data() );
        errno = error;
        return false;
    }
    int error = 0;
    errno = 0;
    if( std::fwrite( bytes.data(), 1, bytes.size(), file ) != bytes.size() )
        error = errno ? errno : EIO;
    if( std::fflush( file ) != 0 && !error )
        error = errno;
    if( std::fclose( file ) != 0 && !error )
        error = errno;
    if( !error && std::rename( temporary.data(), path.c_str() ) != 0 )
        error = errno;
    if( !error )
        return true;
    unlink( temporary.data() );
    errno = error;
    return false;
}

bool SaveSurface( SDL_Surface* surface, const std::string& filename )
{
    if( !surface )
    {
        GetLog().Error() << "Could not save " << filename << ": the surface has no image\n";
        return false;
    }
    std::vector<Uint8> bytes;
    const bool encoded = EndsWith( filename, "tga" ) ? EncodeTGA( surface, bytes ) : EncodeBMP( surface, bytes );
    if( !encoded )
    {
        GetLog().Error() << "Could not save " << filename << ": " << SDL_GetError() << "\n";
        return false;
    }
    errno = 0;
    if( !WriteFileAtomically( filename, bytes ) )
    {
        GetLog().Error() << "Could not save " << filename << ": " << std::strerror( errno ) << "\n";
        return false;
    }
    return true;
}

} // namespace sdl
} // namespace tarn
