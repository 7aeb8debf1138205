#include "horror/careaeventlist.h"

#include <memory>

#include "horror/cscriptrunner.h"
#include "horror/datafilekeys.h"
#include "tarn/gfx/ceffectfunction.h"
#include "tarn/gfx/cmoveeffect.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/cspriteupdater.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/numberutils.h"
#include "tarn/utils/types.h"
#include "tarn/utils/xmlbind.h"

using namespace tarn;

namespace horror {

namespace {

constexpr float PORTAL_RANGE = 35.0f;
constexpr types::ticks PORTAL_FADE_TIME = 2000;

} // namespace

void CAreaEventList::ReadEvents( CXmlFileSys* filesys )
{
    XmlBindList( filesys, myEvents, keys::AREA_EVENTS, keys::AREA_EVENT );
    myFullReported = false;
    if( myEvents.size() <= MAX_EVENTS )
        return;
    GetLog().Error() << "The level has " << myEvents.size() << " area events; the first " << MAX_EVENTS
                     << " are kept\n";
    myEvents.resize( MAX_EVENTS );
    myFullReported = true;
}

void CAreaEventList::ReadPortals( CXmlFileSys* filesys )
{
    myPortalSprites.clear();
    std::vector<Portal> portals;
    XmlBindList( filesys, portals, keys::PORTALS, keys::PORTAL );
    for( const Portal& portal : portals )
        AddPortal( portal.position, portal.portalImage, portal.nextFile );
}

bool CAreaEventList::HasRoom()
{
    if( myEvents.size() < MAX_EVENTS )
        return true;
    if( !myFullReported )
        GetLog().Error() << "A level holds at most " << MAX_EVENTS << " area events and portals; no more added\n";
    myFullReported = true;
    return false;
}

bool CAreaEventList::Add( const types::point& position, float range, const std::string& script, bool forPlayer,
                          bool forBadguy, int howManyTimes )
{
    if( !HasRoom() )
        return false;
    AreaEvent event;
    event.position = position;
    event.range = range;
    event.execute = script;
    event.forPlayer = forPlayer;
    event.forBadguy = forBadguy;
    event.howManyTimes = howManyTimes;
    myEvents.push_back( event );
    return true;
}

void CAreaEventList::AddPortal( const types::point& position, const std::string& image, const std::string& nextFile )
{
    if( !HasRoom() )
        return;
    if( SpritePtr sprite = CSpriteFactory::LoadSprite( image ) )
    {
        const types::rect r = sprite->GetRect();
        sprite->SetPosition( TruncateToInt( position.x - r.w / 2.0f + 0.5f ),
                             TruncateToInt( position.y - r.h / 2.0f + 0.5f ) );
        sprite->SetAlpha( 0 );
        StartEffect( std::make_unique<CFunctionEffect>( std::make_unique<CAlphaFunction>( sprite.get(), 255, 2 ),
                                                        PORTAL_FADE_TIME, "t", true ) );
        myPortalSprites.push_back( sprite );
    }
    Add( position, PORTAL_RANGE, "LoadLevel( \"" + nextFile + "\")", true, false, 1 );
}

void CAreaEventList::Check( const types::point& p, bool forPlayer, bool forBadguy )
{
    if( !myScriptRunner )
        return;
    // By index, reading the count again at every step: a script may append
    // events (a portal, say), which are checked in the same pass.
    for( std::size_t i = 0; i < myEvents.size(); ++i )
    {
        const AreaEvent& event = myEvents[ i ];
        const bool meant = ( forPlayer && event.forPlayer ) || ( forBadguy && event.forBadguy );
        if( event.howManyTimes <= 0 || !meant || !event.Contains( p ) )
            continue;
        // The script may append events, which moves the list: copy it first
        // and count down by index afterwards.
        const std::string script = event.execute;
        myScriptRunner->RunScript( script );
        --myEvents[ i ].howManyTimes;
    }
}

} // namespace horror
