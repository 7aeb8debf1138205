#include "tarn/gfx/canimatedsprite.h"

#include <cmath>

#include "tarn/gfx/canimation.h"
#include "tarn/gfx/cspriteupdater.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/cxmlfilesys.h"
#include "tarn/utils/cxmlnode.h"
#include "tarn/utils/xmlbind.h"
#include "tarn/utils/xmlobject.h"

namespace tarn {

namespace {

bool IsUsableMultiplier( float multiplier )
{
    return std::isfinite( multiplier ) && multiplier > 0;
}

} // namespace

CAnimatedSprite::CAnimatedSprite() = default;

CAnimatedSprite::~CAnimatedSprite()
{
    if( CSpriteUpdater::HasSingleton() )
        CSpriteUpdater::GetSingletonPtr()->RemoveAnimatedSprite( this );
}

int CAnimatedSprite::GetType() const
{
    return KIND_ANIMATED;
}

// Read after the base keys: "CurrentAnimation", "CurrentFrame",
// "MiniumUpdateTime", "Play", "TimeMultiply", then every "Animation" element.
// The sprite plays only when "CurrentAnimation" names an animation to start.
void CAnimatedSprite::Serialize( CXmlFileSys* filesys )
{
    SerializeBase( filesys );
    if( filesys->IsWriting() )
        WriteAnimationKeys( filesys );
    else
        ReadAnimationKeys( filesys );
}

void CAnimatedSprite::PlayAnimation( const std::string& name )
{
    if( myCurrentAnimation && myCurrentAnimation->GetName() == name && myPlaying )
    {
        Play();
        return;
    }
    for( const auto& animation : myAnimations )
    {
        if( animation->GetName() == name )
        {
            myCurrentAnimation = animation.get();
            break;
        }
    }
    myCurrentFrame = 0;
    myTime = 0;
    myTimeCarry = 0;
    Play();
}

// The animation keeps its times on the animation clock; the updater compares
// with the sprite clock, so the time still to wait is scaled back by the
// multiplier. At speed 1 both clocks agree and no scaling happens.
types::ticks CAnimatedSprite::GetNextUpdateTime() const
{
    if( !myCurrentAnimation || myCurrentAnimation->IsEmpty() )
        return myLastTime + myMinimumUpdateTime;
    const types::ticks due = myCurrentAnimation->GetNextUpdateTime();
    if( myTime == 0 || ( myTimeMultiplier == 1.0f && myTime == myLastTime ) )
        return due;
    const auto ahead = static_cast<std::int32_t>( due - myTime );
    if( ahead <= 0 )
        return myLastTime;
    return myLastTime + static_cast<types::ticks>( std::ceil( ahead / static_cast<double>( myTimeMultiplier ) ) );
}

void CAnimatedSprite::UpdateTime( types::ticks now )
{
    if( myTime == 0 )
    {
        myTime = now;
        myLastTime = now;
        return;
    }
    const types::ticks elapsed = now - myLastTime;
    myLastTime = now;
    if( myTimeMultiplier == 1.0f )
    {
        myTime += elapsed;
        return;
    }
    const double scaled = elapsed * static_cast<double>( myTimeMultiplier ) + myTimeCarry;
    const double whole = std::floor( scaled );
    myTimeCarry = scaled - whole;
    myTime += static_cast<types::ticks>( whole );
}

void CAnimatedSprite::UpdateAnimation()
{
    if( myCurrentAnimation && myPlaying )
        myCurrentFrame = myCurrentAnimation->Update( this, myCurrentFrame, myTime );
}

void CAnimatedSprite::AddAnimation( std::unique_ptr<CAnimation> animation )
{
    if( !animation )
        return;
    myAnimations.push_back( std::move( animation ) );
    if( !myCurrentAnimation )
        myCurrentAnimation = myAnimations.back().get();
}

void CAnimatedSprite::Play()
{
    myPlaying = true;
    CSpriteUpdater::GetSingletonPtr()->AddAnimatedSprite( this );
}

void CAnimatedSprite::Pause()
{
    myPlaying = false;
    CSpriteUpdater::GetSingletonPtr()->RemoveAnimatedSprite( this );
}

void CAnimatedSprite::Stop()
{
    Pause();
    myCurrentFrame = 0;
    myTime = 0;
    myTimeCarry = 0;
}

std::string CAnimatedSprite::GetCurrentAnimationName() const
{
    return myCurrentAnimation ? myCurrentAnimation->GetName() : std::string();
}

void CAnimatedSprite::SetTimeMultiplier( float multiplier )
{
    if( !IsUsableMultiplier( multiplier ) )
    {
        GetLog().Warning() << "CAnimatedSprite - time multiplier " << multiplier
                           << " ignored, it has to be above 0\n";
        return;
    }
    myTimeMultiplier = multiplier;
}

const CAnimation* CAnimatedSprite::GetAnimation( std::size_t i ) const
{
    return i < myAnimations.size() ? myAnimations[ i ].get() : nullptr;
}

void CAnimatedSprite::ReadAnimationKeys( CXmlFileSys* filesys )
{
    std::string current;
    XmlBind( filesys, current, "CurrentAnimation" );
    XmlBind( filesys, myCurrentFrame, "CurrentFrame" );
    XmlBind( filesys, myMinimumUpdateTime, "MiniumUpdateTime" );
    XmlBind( filesys, myPlaying, "Play" );
    float multiplier = myTimeMultiplier;
    XmlBind( filesys, multiplier, "TimeMultiply" );
    SetTimeMultiplier( multiplier );

    // A description read again replaces the animations it had.
    myCurrentAnimation = nullptr;
    myAnimations.clear();
    const CXmlNode* element = filesys->GetCurrentNode();
    for( std::size_t i = 0; element && i < element->GetChildCount(); ++i )
    {
        CXmlNode* child = element->GetChild( i );
        if( child->GetName() != "Animation" )
            continue;
        auto animation = std::make_unique<CAnimation>();
        XmlLoadObject( child, *animation );
        myAnimations.push_back( std::move( animation ) );
    }

    if( !current.empty() )
        PlayAnimation( current );
}

void CAnimatedSprite::WriteAnimationKeys( CXmlFileSys* filesys )
{
    std::string current = GetCurrentAnimationName();
    XmlBind( filesys, current, "CurrentAnimation" );
    XmlBind( filesys, myCurrentFrame, "CurrentFrame" );
    XmlBind( filesys, myMinimumUpdateTime, "MiniumUpdateTime" );
    XmlBind( filesys, myPlaying, "Play" );
    XmlBind( filesys, myTimeMultiplier, "TimeMultiply" );
    for( const auto& animation : myAnimations )
    {
        CXmlNode* element = filesys->StartNode( "Animation" );
        if( !element )
            return;
        CXmlFileSys inner( element, CXmlFileSys::WRITING );
        animation->Serialize( &inner );
        filesys->EndNode( "Animation" );
    }
}

} // namespace tarn
