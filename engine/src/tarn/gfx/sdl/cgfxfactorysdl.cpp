#include "tarn/gfx/sdl/cgfxfactorysdl.h"

#include <SDL_image.h>

#include <fstream>
#include <sstream>

#include "tarn/gfx/cnullsurface.h"
#include "tarn/gfx/sdl/cdebugpaintersdl.h"
#include "tarn/gfx/sdl/ctexturemanager.h"
#include "tarn/gfx/imagelimits.h"
#include "tarn/gfx/sdl/csdlsurfacecreator.h"
#include "tarn/gfx/sdl/imagecheck.h"
#include "tarn/gfx/sdl/csurfacesdl.h"
#include "tarn/io/datafile.h"
#include "tarn/utils/clogger.h"

namespace tarn {

namespace {

// The whole file when it is a regular file of a sane size; false (logged)
// otherwise. A device or a pipe would never end.
bool ReadImageFile( const std::string& filename, std::string& bytes )
{
    const std::string fault = DataFileFault( filename, MAX_IMAGE_FILE_SIZE );
    if( fault == FILE_MISSING || fault == FILE_NOT_REGULAR )
    {
        GetLog().Error() << "Could not load image " << filename << ": not a file\n";
        return false;
    }
    if( !fault.empty() )
    {
        GetLog().Error() << "Could not load image " << filename << ": unreadable or larger than "
                         << MAX_IMAGE_FILE_SIZE << " bytes\n";
        return false;
    }
    std::ifstream file( filename, std::ios::binary );
    std::ostringstream stream;
    stream << file.rdbuf();
    bytes = stream.str();
    return true;
}

// Decodes the file and converts it to the display format; null when the
// file cannot be read or is not an image the decoders can safely take.
SDL_Surface* DecodeImage( const std::string& filename )
{
    std::string bytes;
    if( !ReadImageFile( filename, bytes ) )
        return nullptr;
    const std::string fault = sdl::FindImageFault( bytes, filename );
    if( !fault.empty() )
    {
        GetLog().Error() << "Could not load image " << filename << ": " << fault << "\n";
        return nullptr;
    }
    // TGA has no signature: SDL_image knows it only when told.
    SDL_RWops* source = SDL_RWFromConstMem( bytes.data(), static_cast<int>( bytes.size() ) );
    SDL_Surface* loaded = sdl::IsTgaName( filename ) ? IMG_LoadTyped_RW( source, 1, const_cast<char*>( "TGA" ) )
                                                      : IMG_Load_RW( source, 1 );
    if( !loaded )
    {
        GetLog().Error() << "Could not load image " << filename << ": " << IMG_GetError() << "\n";
        return nullptr;
    }
    if( !CheckImageSize( filename, loaded->w, loaded->h ) )
    {
        SDL_FreeSurface( loaded );
        return nullptr;
    }
    const bool alpha = loaded->format->Amask != 0;
    // Without a video mode there is no display format; the image is still
    // usable as it was decoded.
    if( !SDL_GetVideoSurface() )
    {
        GetLog().Warning() << "Image " << filename << " kept in its file's format: no video mode is set\n";
        return loaded;
    }
    SDL_Surface* converted = CSDLSurfaceCreator::ConvertToDisplay( loaded, alpha );
    if( !converted )
    {
        GetLog().Warning() << "Image " << filename << " kept in its file's format: " << SDL_GetError() << "\n";
        return loaded;
    }
    SDL_FreeSurface( loaded );
    return converted;
}

// A surface on a verbatim copy of source's image (format, colour key and
// alpha settings included), with the same view and raw-copy option.
std::unique_ptr<CSurface> CopyPixels( const CSurfaceSDL& source )
{
    SDL_Surface* image = source.GetRawImage();
    const SDL_Rect whole{ 0, 0, static_cast<Uint16>( image->w ), static_cast<Uint16>( image->h ) };
    SDL_Surface* pixels = CSDLSurfaceCreator::CopyArea( image, whole );
    if( !pixels )
        return std::make_unique<CNullSurface>();
    auto copy = std::make_unique<CSurfaceSDL>( pixels );
    copy->SetOption( CSurface::OPTION_RAW_COPY, source.IsRawCopy() );
    copy->SetViewRect( source.GetViewRect() );
    return copy;
}

} // namespace

std::unique_ptr<CSurface> CGfxFactorySDL::NewBuffer( int width, int height, const CColor& keyColor )
{
    SDL_Surface* image = CSDLSurfaceCreator::CreateOpaqueSurface( width, height );
    if( !image )
        return std::make_unique<CNullSurface>();
    auto surface = std::make_unique<CSurfaceSDL>( image );
    surface->SetColorKey( keyColor );
    return surface;
}

std::unique_ptr<CSurface> CGfxFactorySDL::NewBufferWithAlpha( int width, int height )
{
    SDL_Surface* image = CSDLSurfaceCreator::CreateAlphaSurface( width, height );
    if( !image )
        return std::make_unique<CNullSurface>();
    auto surface = std::make_unique<CSurfaceSDL>( image );
    if( image->format->BytesPerPixel == 4 )
        surface->SetOption( CSurface::OPTION_RAW_COPY, 1 );
    return surface;
}

std::unique_ptr<CSurface> CGfxFactorySDL::LoadImage( const std::string& filename, const CColor& keyColor )
{
    CTextureManager* cache = CTextureManager::GetSingletonPtr();
    SDL_Surface* image = nullptr;
    if( cache->Has( filename ) )
    {
        image = cache->GetPointer( filename );
    }
    else
    {
        image = DecodeImage( filename );
        if( !image )
            return std::make_unique<CNullSurface>();
        cache->AddNew( filename, image, false );
    }
    auto surface = std::make_unique<CSurfaceSDL>( image, filename );
    surface->SetColorKey( keyColor );
    return surface;
}

void CGfxFactorySDL::ForgetImage( const std::string& filename )
{
    CTextureManager::GetSingletonPtr()->Forget( filename );
}

std::unique_ptr<CSurface> CGfxFactorySDL::Copy( const CSurface& surface )
{
    const CSurfaceSDL* source = gfx_cast<CSurfaceSDL>( &surface );
    if( !source || source->IsEmpty() )
        return std::make_unique<CNullSurface>();
    CTextureManager* cache = CTextureManager::GetSingletonPtr();
    if( !cache->Holds( source->GetRawImage() ) )
        return CopyPixels( *source );
    if( !cache->AddReference( source->GetRawImage() ) )
        return std::make_unique<CNullSurface>();
    auto copy = std::make_unique<CSurfaceSDL>( source->GetRawImage(), source->GetFileName() );
    copy->SetViewRect( source->GetViewRect() );
    return copy;
}

void CGfxFactorySDL::FreeImage( std::unique_ptr<CSurface> surface )
{
    surface.reset();
}

std::unique_ptr<CDebugPainter> CGfxFactorySDL::NewDebugPainter()
{
    return std::make_unique<CDebugPainterSDL>();
}

} // namespace tarn
