#include "tarn/gfx/cspritefactory.h"

#include "tarn/gfx/canimatedsprite.h"
#include "tarn/gfx/cnullsurface.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/csprite.h"
#include "tarn/gfx/cslidersprite.h"
#include "tarn/gfx/cspritelayer.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/gfx.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/cxmlnode.h"
#include "tarn/utils/xmlobject.h"

namespace tarn {

namespace {

const char* const KIND_NAMES[] = { "sprite_base",     "sprite_layer",    "sprite_screenlayer",
                                   "sprite_text",     "sprite_animated", "sprite_slider" };
constexpr int KIND_COUNT = 6;

bool EndsWithXml( const std::string& name )
{
    return name.size() >= 3 && name.compare( name.size() - 3, 3, "xml" ) == 0;
}

std::unique_ptr<CSprite> LoadDescription( const std::string& name )
{
    std::unique_ptr<CXmlNode> root = XmlParseFile( name );
    int kind = CSprite::KIND_BASE;
    if( root && root->HasAttribute( "type" ) )
        kind = CSpriteFactory::KindNumber( root->GetAttribute( "type" ) );

    if( kind == CSprite::KIND_SCREENLAYER )
    {
        GetLog().Warning() << "CSpriteFactory::LoadSprite() - " << name
                           << " describes the screen layer, which cannot be made twice\n";
        XmlLoadObject( root.get(), *CScreenLayer::GetSingletonPtr() );
        return nullptr;
    }

    std::unique_ptr<CSprite> sprite = CSpriteFactory::Create( kind );
    XmlLoadObject( root.get(), *sprite );
    if( kind != CSprite::KIND_SLIDER )
        sprite->SetParent( CScreenLayer::GetSingletonPtr() );
    sprite->SetFileName( name );
    return sprite;
}

} // namespace

std::unique_ptr<CSprite> CSpriteFactory::LoadSprite( const std::string& name )
{
    if( EndsWithXml( name ) )
        return LoadDescription( name );

    auto sprite = std::make_unique<CSprite>();
    sprite->SetImage( Gfx::LoadImage( name, CSprite::KeyColor() ) );
    sprite->SetParent( CScreenLayer::GetSingletonPtr() );
    sprite->SetFileName( name );
    return sprite;
}

std::string CSpriteFactory::KindName( int kind )
{
    if( kind < 0 || kind >= KIND_COUNT )
        return "";
    return KIND_NAMES[ kind ];
}

int CSpriteFactory::KindNumber( const std::string& name )
{
    for( int kind = 0; kind < KIND_COUNT; ++kind )
    {
        if( name == KIND_NAMES[ kind ] )
            return kind;
    }
    return CSprite::KIND_BASE;
}

std::unique_ptr<CSprite> CSpriteFactory::Create( int kind )
{
    switch( kind )
    {
    case CSprite::KIND_LAYER: return std::make_unique<CSpriteLayer>();
    case CSprite::KIND_SCREENLAYER: return nullptr;
    case CSprite::KIND_TEXT: return std::make_unique<CTextSprite>();
    case CSprite::KIND_ANIMATED: return std::make_unique<CAnimatedSprite>();
    case CSprite::KIND_SLIDER: return std::make_unique<CSliderSprite>();
    default: return std::make_unique<CSprite>();
    }
}

} // namespace tarn
