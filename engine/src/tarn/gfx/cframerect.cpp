#include "tarn/gfx/cframerect.h"

#include "tarn/gfx/cframefactory.h"
#include "tarn/gfx/csprite.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/cxmlfilesys.h"
#include "tarn/utils/xmlbind.h"
#include "tarn/utils/xmlobject.h"

namespace tarn {

CFrameRect::CFrameRect( const types::rect& rect, types::ticks length ) :
    myRect( rect ),
    myFrameLength( length )
{
}

int CFrameRect::GetType() const
{
    return KIND_RECT;
}

bool CFrameRect::Apply( CSprite* sprite, types::ticks elapsed )
{
    sprite->SetImageRect( myRect );
    if( myWrapped )
        return myWrapped->Apply( sprite, elapsed );
    return elapsed >= myFrameLength;
}

types::ticks CFrameRect::GetInterval() const
{
    return myWrapped ? myWrapped->GetInterval() : GetLength();
}

types::ticks CFrameRect::GetLength() const
{
    return myWrapped ? myWrapped->GetLength() : myFrameLength;
}

void CFrameRect::Serialize( CXmlFileSys* filesys )
{
    if( filesys->IsWriting() )
        filesys->AddAttribute( "type", CFrameFactory::KindName( KIND_RECT ) );
    XmlBind( filesys, myRect, "Rect" );
    XmlBind( filesys, myFrameLength, "FrameLength" );
    if( filesys->IsWriting() )
        WriteWrapped( filesys );
    else
        ReadWrapped( filesys );
}

void CFrameRect::ReadWrapped( CXmlFileSys* filesys )
{
    if( !filesys->HasChild( "Wrapped" ) )
        return;
    CXmlNode* element = filesys->FindChild( "Wrapped" );
    if( !element )
        return;
    const std::string kind = element->GetAttribute( "type" );
    myWrapped = CFrameFactory::GetSingletonPtr()->Create( CFrameFactory::KindNumber( kind ) );
    if( myWrapped )
        XmlLoadObject( element, *myWrapped );
}

void CFrameRect::WriteWrapped( CXmlFileSys* filesys )
{
    if( !myWrapped )
        return;
    CXmlNode* element = filesys->StartNode( "Wrapped" );
    if( !element )
        return;
    element->AddAttribute( "type", CFrameFactory::KindName( myWrapped->GetType() ) );
    CXmlFileSys inner( element, CXmlFileSys::WRITING );
    myWrapped->Serialize( &inner );
    filesys->EndNode( "Wrapped" );
}

} // namespace tarn
