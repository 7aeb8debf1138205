#include "tarn/gfx/cdebugoverlays.h"

#include <algorithm>
#include <cstdint>

#include "tarn/gfx/cdebugoverlay.h"
#include "tarn/gfx/cdebugpainter.h"
#include "tarn/gfx/cgfxfactory.h"
#include "tarn/gfx/csurface.h"
#include "tarn/gfx/gfx.h"
#include "tarn/utils/clogger.h"

namespace tarn {

namespace {

// The smallest rectangle holding both; an empty one holds nothing.
types::rect Union( const types::rect& a, const types::rect& b )
{
    if( a.w <= 0 || a.h <= 0 )
        return b;
    if( b.w <= 0 || b.h <= 0 )
        return a;
    const std::int64_t left = std::min( a.x, b.x );
    const std::int64_t top = std::min( a.y, b.y );
    const std::int64_t right = std::max( std::int64_t( a.x ) + a.w, std::int64_t( b.x ) + b.w );
    const std::int64_t bottom = std::max( std::int64_t( a.y ) + a.h, std::int64_t( b.y ) + b.h );
    return types::rect{ static_cast<std::int32_t>( left ), static_cast<std::int32_t>( top ),
                        static_cast<std::int32_t>( right - left ), static_cast<std::int32_t>( bottom - top ) };
}

} // namespace

CDebugOverlays::CDebugOverlays() = default;

CDebugOverlays::~CDebugOverlays()
{
    for( CDebugOverlay* overlay : myOverlays )
        overlay->myOverlays = nullptr;
}

bool CDebugOverlays::Add( CDebugOverlay* overlay )
{
    if( !overlay )
        return false;
    if( Find( overlay->GetName() ) )
    {
        GetLog().Error() << "Overlay - there already is an overlay called " << overlay->GetName() << "\n";
        return false;
    }
    // It can leave only one set of overlays when it goes.
    if( overlay->myOverlays )
    {
        GetLog().Error() << "Overlay - " << overlay->GetName() << " is already shown on another screen\n";
        return false;
    }
    overlay->myOverlays = this;
    myOverlays.push_back( overlay );
    return true;
}

void CDebugOverlays::Remove( CDebugOverlay* overlay )
{
    const auto found = std::find( myOverlays.begin(), myOverlays.end(), overlay );
    if( found == myOverlays.end() )
        return;
    overlay->myOverlays = nullptr;
    myOverlays.erase( found );
}

bool CDebugOverlays::TurnOn( const std::string& name )
{
    if( !Find( name ) )
    {
        std::string known;
        for( const std::string& each : GetNames() )
            known += " " + each;
        GetLog().Error() << "Overlay - no overlay called " << name << "; known:" << known << ", off\n";
        return false;
    }
    if( !IsOn( name ) )
        myOn.push_back( name );
    myLastTurnedOn = name;
    return true;
}

void CDebugOverlays::TurnAllOff()
{
    myOn.clear();
}

std::string CDebugOverlays::TurnOnNext()
{
    const std::vector<std::string> names = GetNames();
    auto next = names.begin();
    if( AnyOn() )
    {
        next = std::find( names.begin(), names.end(), myLastTurnedOn );
        next = next == names.end() ? names.end() : next + 1;
    }
    TurnAllOff();
    if( next == names.end() )
        return "";
    TurnOn( *next );
    return *next;
}

bool CDebugOverlays::IsOn( const std::string& name ) const
{
    return std::find( myOn.begin(), myOn.end(), name ) != myOn.end();
}

std::vector<std::string> CDebugOverlays::GetNames() const
{
    std::vector<std::string> names;
    for( const CDebugOverlay* overlay : myOverlays )
        names.push_back( overlay->GetName() );
    names.push_back( myRedrawOverlay.GetName() );
    return names;
}

void CDebugOverlays::Paint( CSurface& screen )
{
    // Painting twice would save painted pixels as the frame's own.
    Restore( screen );
    myDrawing.Clear();
    for( const std::string& name : myOn )
    {
        if( const CDebugOverlay* overlay = Find( name ) )
            overlay->Draw( myDrawing );
    }
    if( myDrawing.IsEmpty() && myCovered.w <= 0 )
        return;

    // What the last paint covered is the frame's own again: presenting it
    // takes an overlay turned off away.
    const types::rect view{ 0, 0, screen.GetWidth(), screen.GetHeight() };
    types::rect covered;
    for( const CDebugDrawing::Shape& shape : myDrawing.GetShapes() )
        covered = Union( covered, types::Intersection( CDebugDrawing::Bounds( shape ), view ) );
    const types::rect presented = Union( myCovered, covered );
    if( presented.w > 0 && presented.h > 0 )
        screen.AddDirtyRect( presented );
    myCovered = types::rect{};
    if( myDrawing.IsEmpty() )
        return;

    if( !myPainter && Gfx::GetFactory() )
        myPainter = Gfx::GetFactory()->NewDebugPainter();
    if( !myPainter || !myPainter->Paint( screen, myDrawing ) )
        return;
    myCovered = covered;
    myPainted = true;
}

void CDebugOverlays::Restore( CSurface& screen )
{
    if( !myPainted )
        return;
    myPainted = false;
    myPainter->Restore( screen );
}

const CDebugOverlay* CDebugOverlays::Find( const std::string& name ) const
{
    if( name == myRedrawOverlay.GetName() )
        return &myRedrawOverlay;
    const auto found = std::find_if( myOverlays.begin(), myOverlays.end(),
                                     [ &name ]( const CDebugOverlay* overlay ) { return overlay->GetName() == name; } );
    return found == myOverlays.end() ? nullptr : *found;
}

} // namespace tarn
