#include "tarn/gfx/canimation.h"

#include "tarn/gfx/canimatedsprite.h"
#include "tarn/gfx/cframe.h"
#include "tarn/gfx/cframefactory.h"
#include "tarn/utils/cxmlfilesys.h"
#include "tarn/utils/cxmlnode.h"
#include "tarn/utils/xmlbind.h"
#include "tarn/utils/xmlobject.h"

namespace tarn {

CAnimation::CAnimation( const std::string& name, bool loop ) :
    myName( name ),
    myLoop( loop )
{
}

CAnimation::~CAnimation() = default;

int CAnimation::Update( CSprite* sprite, int index, types::ticks now )
{
    if( myFrames.empty() )
        return index;
    // An index from a file or a caller may point past the frames: start over.
    if( index < 0 || index >= static_cast<int>( myFrames.size() ) )
        index = 0;
    if( index != myCurrentFrame )
    {
        myCurrentFrame = index;
        myFrameStart = now;
    }

    CFrame* frame = myFrames[ index ].get();
    const bool finished = frame->Apply( sprite, now - myLastUpdate );
    if( finished || frame->GetLength() <= now - myFrameStart )
        Advance( sprite, now );
    myLastUpdate = now;
    return myCurrentFrame;
}

void CAnimation::Advance( CSprite* sprite, types::ticks now )
{
    myFrameStart = now;
    if( myCurrentFrame + 1 < static_cast<int>( myFrames.size() ) )
    {
        ++myCurrentFrame;
        return;
    }
    if( myLoop )
    {
        myCurrentFrame = 0;
        return;
    }
    if( auto* animated = dynamic_cast<CAnimatedSprite*>( sprite ) )
        animated->Pause();
}

types::ticks CAnimation::GetNextUpdateTime() const
{
    if( myFrames.empty() )
        return myLastUpdate;
    return myLastUpdate + myFrames[ myCurrentFrame ]->GetInterval();
}

void CAnimation::Serialize( CXmlFileSys* filesys )
{
    XmlBindAttribute( filesys, myName, "name" );
    XmlBindAttribute( filesys, myLoop, "loop" );
    if( filesys->IsWriting() )
        WriteFrames( filesys );
    else
        ReadFrames( filesys );
}

void CAnimation::AddFrame( std::unique_ptr<CFrame> frame )
{
    if( frame )
        myFrames.push_back( std::move( frame ) );
}

void CAnimation::ReadFrames( CXmlFileSys* filesys )
{
    const CXmlNode* element = filesys->GetCurrentNode();
    if( !element )
        return;
    for( std::size_t i = 0; i < element->GetChildCount(); ++i )
    {
        CXmlNode* child = element->GetChild( i );
        if( child->GetName() != "Frame" || !child->HasAttribute( "type" ) )
            continue;
        const int kind = CFrameFactory::KindNumber( child->GetAttribute( "type" ) );
        std::unique_ptr<CFrame> frame = CFrameFactory::GetSingletonPtr()->Create( kind );
        if( !frame )
            continue;
        XmlLoadObject( child, *frame );
        myFrames.push_back( std::move( frame ) );
    }
}

void CAnimation::WriteFrames( CXmlFileSys* filesys )
{
    for( const auto& frame : myFrames )
    {
        CXmlNode* element = filesys->StartNode( "Frame" );
        if( !element )
            return;
        CXmlFileSys inner( element, CXmlFileSys::WRITING );
        frame->Serialize( &inner );
        filesys->EndNode( "Frame" );
    }
}

} // namespace tarn
