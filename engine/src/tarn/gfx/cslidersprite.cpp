#include "tarn/gfx/cslidersprite.h"

#include "tarn/gfx/cspritefactory.h"
#include "tarn/utils/cxmlfilesys.h"
#include "tarn/utils/xmlbind.h"

namespace tarn {

CSliderSprite::CSliderSprite() = default;

CSliderSprite::~CSliderSprite()
{
    myTopSprite.reset();
    myBottomSprite.reset();
}

int CSliderSprite::GetType() const
{
    return KIND_SLIDER;
}

void CSliderSprite::Serialize( CXmlFileSys* filesys )
{
    if( filesys->IsWriting() )
    {
        Write( filesys );
        return;
    }
    std::string top;
    std::string bottom;
    XmlBind( filesys, myBottomRect, "BottomRect" );
    XmlBind( filesys, myTopRect, "TopRect" );
    XmlBind( filesys, top, "TopSprite" );
    XmlBind( filesys, bottom, "BottomSprite" );
    XmlBind( filesys, myValue, "Value" );

    myTopSprite.reset();
    myBottomSprite.reset();
    myTopSprite = CSpriteFactory::LoadSprite( top );
    myBottomSprite = CSpriteFactory::LoadSprite( bottom );
    // The slider stands where its bottom part is, so SetX and SetY keep the
    // other coordinate.
    CSprite::SetPosition( myBottomRect.x, myBottomRect.y );
    Layout();
}

void CSliderSprite::SetZ( int z )
{
    SetZValue( z );
    if( myBottomSprite )
        myBottomSprite->SetZ( z );
    if( myTopSprite )
        myTopSprite->SetZ( z - 1 );
}

void CSliderSprite::Resize( int width, int height )
{
    (void)width;
    (void)height;
}

void CSliderSprite::SetPosition( int x, int y )
{
    const int dx = x - myBottomRect.x;
    const int dy = y - myBottomRect.y;
    myBottomRect.x = x;
    myBottomRect.y = y;
    myTopRect.x += dx;
    myTopRect.y += dy;
    CSprite::SetPosition( x, y );
    Layout();
}

void CSliderSprite::PlayAnimation( const std::string& name )
{
    if( myBottomSprite )
        myBottomSprite->PlayAnimation( name );
    if( myTopSprite )
        myTopSprite->PlayAnimation( name );
}

void CSliderSprite::SetValue( float value )
{
    myValue = value;
    Layout();
}

void CSliderSprite::Layout()
{
    if( myTopSprite )
    {
        // A fill never reaches outside its full width, nor below nothing.
        const float fraction = myValue > 0 ? ( myValue < 1 ? myValue : 1.0f ) : 0.0f;
        types::rect fill = myTopRect;
        // In double: a width near the int limit times a float of 1 rounds
        // past the limit in float.
        fill.w = static_cast<int>( static_cast<double>( fill.w ) * fraction );
        myTopSprite->SetRect( fill );
    }
    if( myBottomSprite )
        myBottomSprite->SetRect( myBottomRect );
}

void CSliderSprite::Write( CXmlFileSys* filesys )
{
    std::string top = myTopSprite ? myTopSprite->GetFileName() : std::string();
    std::string bottom = myBottomSprite ? myBottomSprite->GetFileName() : std::string();
    XmlBind( filesys, myBottomRect, "BottomRect" );
    XmlBind( filesys, myTopRect, "TopRect" );
    XmlBind( filesys, top, "TopSprite" );
    XmlBind( filesys, bottom, "BottomSprite" );
    XmlBind( filesys, myValue, "Value" );
}

} // namespace tarn
