#include "horror/cbackgroundlayer.h"

#include <utility>

#include "horror/datafilekeys.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/utils/random.h"
#include "tarn/utils/xmlbind.h"
#include "tarn/utils/xmlobject.h"

using namespace tarn;

namespace horror {

namespace {

// Swaps every entry with a random one, in place, so the order carries over.
void Shuffle( std::array<std::string, 4>& files )
{
    for( int i = 0; i < 4; ++i )
        std::swap( files[ i ], files[ RandomRange( 0, 3 ) ] );
}

} // namespace

CBackgroundLayer::CBackgroundLayer() :
    myCrapFiles{ "data/gfx/background_crap_01.xml", "data/gfx/background_crap_02.xml",
                 "data/gfx/background_crap_03.xml", "data/gfx/background_crap_04.xml" },
    myFloatFiles{ "data/gfx/floating_things_01.xml", "data/gfx/floating_things_02.xml",
                  "data/gfx/floating_things_03.xml", "data/gfx/floating_things_04.xml" }
{
}

void CBackgroundLayer::LoadBackgroundLayer( const std::string& file )
{
    // Another kind of file leaves the layer as it is.
    if( std::unique_ptr<CXmlNode> root = XmlParseFileOfKind( file, keys::LAYER_ROOT ) )
        XmlLoadObject( root.get(), *this );
}

void CBackgroundLayer::Serialize( CXmlFileSys* filesys )
{
    if( !filesys->IsReading() )
        return;

    std::string image;
    bool crap = true;
    bool floats = true;
    XmlBind( filesys, image, keys::LEVEL_BACKGROUND_IMAGE );
    XmlBind( filesys, crap, keys::CREATE_CRAPGROUND );
    XmlBind( filesys, floats, keys::FLOAT_THINGS_AROUND );

    myCrapSprites = {};
    myFloatingThings.clear();
    myBackground = CSpriteFactory::LoadSprite( image );
    if( crap )
        CreateCrapground();
    if( floats )
        FloatThingsAround();
}

void CBackgroundLayer::Step()
{
    for( CFloatingThing& thing : myFloatingThings )
        thing.Step();
}

void CBackgroundLayer::CreateCrapground()
{
    static const int CENTRES[ 4 ][ 2 ] = { { 200, 150 }, { 600, 150 }, { 200, 450 }, { 600, 450 } };
    Shuffle( myCrapFiles );
    myCrapSprites = {};
    for( int i = 0; i < 4; ++i )
    {
        myCrapSprites[ i ] = CSpriteFactory::LoadSprite( myCrapFiles[ i ] );
        if( !myCrapSprites[ i ] )
            continue;
        const types::rect rect = myCrapSprites[ i ]->GetRect();
        myCrapSprites[ i ]->SetPosition( CENTRES[ i ][ 0 ] - rect.w / 2, CENTRES[ i ][ 1 ] - rect.h / 2 );
    }
}

void CBackgroundLayer::FloatThingsAround()
{
    Shuffle( myFloatFiles );
    myFloatingThings.resize( myFloatingThings.size() + 2 );
    for( std::size_t i = 0; i < 2; ++i )
    {
        types::vector2 a = CFloatingThing::RandomSpot();
        const types::vector2 b = CFloatingThing::RandomSpot();
        // The first leg of the drift is horizontal or vertical.
        if( RandomRange( 0, 1 ) != 0 )
            a.x = b.x;
        else
            a.y = b.y;
        myFloatingThings[ i ].Init( myFloatFiles[ i ], a, b );
    }
}

} // namespace horror
