#include "tarn/gfx/gfx.h"

#include "tarn/gfx/cgfxfactory.h"
#include "tarn/gfx/cnullsurface.h"
#include "tarn/utils/clogger.h"

namespace tarn {

namespace {

std::unique_ptr<CSurface> NoFactory( const char* message )
{
    GetLog() << message << "\n";
    return std::make_unique<CNullSurface>();
}

} // namespace

std::unique_ptr<CSurface> Gfx::NewBuffer( int width, int height, const CColor& keyColor )
{
    if( !myFactory )
        return NoFactory( "Gfx::NewBuffer() - no GFXFactory given, cannot create graphics surface." );
    return myFactory->NewBuffer( width, height, keyColor );
}

std::unique_ptr<CSurface> Gfx::NewBuffer( int width, int height )
{
    if( !myFactory )
        return NoFactory( "Gfx::NewBuffer() - no GFXFactory given, cannot create graphics surface." );
    return myFactory->NewBufferWithAlpha( width, height );
}

std::unique_ptr<CSurface> Gfx::LoadImage( const std::string& filename, const CColor& keyColor )
{
    if( !myFactory )
        return NoFactory( "Gfx::LoadImage() - no GFXFactory given, cannot create graphics surface." );
    return myFactory->LoadImage( filename, keyColor );
}

void Gfx::ForgetImage( const std::string& filename )
{
    if( myFactory )
        myFactory->ForgetImage( filename );
}

std::unique_ptr<CSurface> Gfx::Copy( const CSurface& surface )
{
    if( !myFactory )
        return NoFactory( "Gfx::Copy() - no GFXFactory given, cannot create graphics surface." );
    return myFactory->Copy( surface );
}

void Gfx::FreeImage( std::unique_ptr<CSurface> surface )
{
    if( !myFactory )
    {
        // The surface still goes: nothing else holds it any more.
        GetLog() << "Gfx::FreeImage() - no GFXFactory given, cannot free graphics surface.\n";
        return;
    }
    myFactory->FreeImage( std::move( surface ) );
}

bool Gfx::SetFactory( CGfxFactory* factory )
{
    if( myFactory == nullptr || myFactory == factory || factory == nullptr )
    {
        myFactory = factory;
        return true;
    }
    GetLog().Error() << "Gfx::SetFactory() - a different GFXFactory is already set, keeping it.\n";
    return false;
}

} // namespace tarn
