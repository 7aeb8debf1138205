#include "tarn/gfx/csprite.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tarn/gfx/cnullsurface.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/cspritelayer.h"
#include "tarn/gfx/cspriteupdater.h"
#include "tarn/gfx/csurface.h"
#include "tarn/gfx/gfx.h"
#include "tarn/utils/ccolor.h"
#include "tarn/utils/cxmlfilesys.h"
#include "tarn/utils/xmlbind.h"

namespace tarn {

namespace {

using types::Intersects;

bool IsUsable( const CSurface* surface )
{
    return surface && !surface->IsNull() && !surface->IsEmpty();
}

// A buffer for the pixels a sprite covers. Without a colour key: whatever
// colour they have, magenta too, goes back as it was, and a plain copy is
// much faster than a keyed blit.
std::unique_ptr<CSurface> NewBackground( int width, int height )
{
    std::unique_ptr<CSurface> buffer = Gfx::NewBuffer( width, height, CSprite::KeyColor() );
    buffer->SetOption( CSurface::OPTION_COLOR_KEY, 0 );
    return buffer;
}

// The parts of area that none of cuts covers, as disjoint rectangles.
std::vector<types::rect> Subtract( const types::rect& area, const std::vector<types::rect>& cuts )
{
    std::vector<types::rect> pieces;
    if( area.w > 0 && area.h > 0 )
        pieces.push_back( area );
    for( const types::rect& cut : cuts )
    {
        std::vector<types::rect> left;
        for( const types::rect& piece : pieces )
        {
            const types::rect common = types::Intersection( piece, cut );
            if( common.w <= 0 || common.h <= 0 )
            {
                left.push_back( piece );
                continue;
            }
            // Above and below the common part across the whole piece, then
            // beside it. Edges in 64 bits, as Intersection has them.
            const std::int64_t right = std::int64_t( piece.x ) + piece.w;
            const std::int64_t bottom = std::int64_t( piece.y ) + piece.h;
            const std::int64_t commonRight = std::int64_t( common.x ) + common.w;
            const std::int64_t commonBottom = std::int64_t( common.y ) + common.h;
            const auto add = [ &left ]( std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h ) {
                left.push_back(
                    types::rect{ std::int32_t( x ), std::int32_t( y ), std::int32_t( w ), std::int32_t( h ) } );
            };
            if( common.y > piece.y )
                add( piece.x, piece.y, piece.w, std::int64_t( common.y ) - piece.y );
            if( commonBottom < bottom )
                add( piece.x, commonBottom, piece.w, bottom - commonBottom );
            if( common.x > piece.x )
                add( piece.x, common.y, std::int64_t( common.x ) - piece.x, common.h );
            if( commonRight < right )
                add( commonRight, common.y, right - commonRight, common.h );
        }
        pieces.swap( left );
    }
    return pieces;
}

} // namespace

CColor CSprite::KeyColor()
{
    return CColor( 255, 0, 255 );
}

CSprite::CSprite() = default;

CSprite::~CSprite()
{
    if( CSpriteUpdater::HasSingleton() )
        CSpriteUpdater::GetSingletonPtr()->RemoveEffectsOf( this );
    if( myParent )
        myParent->RemoveSprite( this );
    else if( myHiddenParent )
        myHiddenParent->ForgetHiddenSprite( this );
}

int CSprite::GetType() const
{
    return KIND_BASE;
}

bool CSprite::IsEmpty() const
{
    return !IsUsable( ShownImage() );
}

void CSprite::Serialize( CXmlFileSys* filesys )
{
    SerializeBase( filesys );
}

std::string CSprite::GetFileName() const
{
    return myFileName;
}

void CSprite::SetFileName( const std::string& name )
{
    myFileName = name;
}

void CSprite::SetX( int x )
{
    SetPosition( x, myRect.y );
}

void CSprite::SetY( int y )
{
    SetPosition( myRect.x, y );
}

void CSprite::SetZ( int z )
{
    if( z == myZ )
        return;
    if( !myParent )
    {
        myZ = z;
        return;
    }
    const int deepest = std::max( myZ, z );
    CSpriteLayer* parent = myParent;
    MarkChanged();
    parent->InvalidateFromDepth( deepest );
    myZ = z;
    parent->ResortChildren();
    parent->InvalidateFromDepth( deepest );
}

void CSprite::SetRect( const types::rect& rect )
{
    if( rect == myRect )
        return;
    MarkChanged();
    myRect = rect;
}

int CSprite::GetX() const
{
    return myRect.x;
}

int CSprite::GetY() const
{
    return myRect.y;
}

int CSprite::GetZ() const
{
    return myZ;
}

types::rect CSprite::GetRect() const
{
    return myRect;
}

void CSprite::SetImageRect( const types::rect& rect )
{
    // The view is the source image's: a faded, scaled or rotated copy always
    // shows its whole self.
    if( !mySourceImage || !ShownImage() || rect == mySourceImage->GetViewRect() )
        return;
    MarkChanged();
    mySourceImage->SetViewRect( rect );
    Rederive();
    myRect.w = ShownImage()->GetWidth();
    myRect.h = ShownImage()->GetHeight();
}

types::rect CSprite::GetImageRect() const
{
    const CSurface* image = mySourceImage ? mySourceImage.get() : ShownImage();
    return image ? image->GetViewRect() : types::rect();
}

void CSprite::SetScrollRect( const types::rect& rect )
{
    if( myScrollRect && *myScrollRect == rect )
        return;
    MarkChanged();
    myScrollRect = std::make_unique<types::rect>( rect );
}

types::rect CSprite::GetScrollRect() const
{
    return myScrollRect ? *myScrollRect : types::rect();
}

types::rect CSprite::DrawableArea( CSprite* target, const types::rect& area ) const
{
    types::rect drawable = types::Intersection( area, target->GetRect() );
    if( myScrollRect )
        drawable = types::Intersection( drawable, *myScrollRect );
    return drawable;
}

void CSprite::DrawPart( CSprite* target, const types::rect& area )
{
    CSurface* image = ShownImage();
    CSurface* destination = target ? target->GetSurface() : nullptr;
    if( !IsUsable( image ) || !IsUsable( destination ) )
        return;

    const types::rect drawable = DrawableArea( target, types::Intersection( area, myRect ) );
    if( drawable.w <= 0 || drawable.h <= 0 )
        return;

    const types::rect source{ drawable.x - myRect.x, drawable.y - myRect.y, drawable.w, drawable.h };
    BlendHook( myAlpha );
    // A target SDL cannot fade onto gets the faded copy.
    if( !FadesWhileDrawing() )
        image->Blit( destination, source, drawable );
    else if( !image->BlitFaded( destination, source, drawable, myAlpha ) )
        GetSurface()->Blit( destination, source, drawable );
    BlendHook( 255 );
}

void CSprite::Draw( CSprite* target )
{
    if( target && Intersects( myRect, target->GetRect() ) )
        DrawPart( target, myRect );
}

void CSprite::RestoreBackground( CSprite* target )
{
    RestoreArea( target, myBackgroundRect );
}

void CSprite::RestoreArea( CSprite* target, const types::rect& area )
{
    CSurface* destination = target ? target->GetSurface() : nullptr;
    if( !myBackground || !IsUsable( destination ) || !Intersects( area, target->GetRect() ) )
        return;

    const types::rect drawable = DrawableArea( target, types::Intersection( area, myBackgroundRect ) );
    if( drawable.w <= 0 || drawable.h <= 0 )
        return;
    const types::rect source{ drawable.x - myBackgroundRect.x, drawable.y - myBackgroundRect.y, drawable.w,
                              drawable.h };
    myBackground->Blit( destination, source, drawable );
}

void CSprite::SaveBackground( CSprite* target )
{
    if( !myBackgroundUsage )
        return;
    myBackgroundRect = myRect;
    CSurface* source = target ? target->GetSurface() : nullptr;
    if( !IsUsable( source ) || !Intersects( myRect, target->GetRect() ) )
        return;

    // A buffer with up to 20 pixels of slack is reused, so sprites that move
    // or change frames of similar size do not reallocate every frame.
    const bool fits = IsUsable( myBackground.get() ) && myBackground->GetWidth() >= myRect.w &&
                      myBackground->GetHeight() >= myRect.h && myBackground->GetWidth() - myRect.w < 21 &&
                      myBackground->GetHeight() - myRect.h < 21;
    if( !fits )
        myBackground = NewBackground( myRect.w, myRect.h );

    source->Blit( myBackground.get(), myRect, types::rect{ 0, 0, myRect.w, myRect.h } );
}

bool CSprite::Erase( CSprite* target )
{
    if( myDrawState == DRAW_DIRTY )
        return true;
    if( IsEmpty() )
        return false;
    myDrawState = DRAW_DIRTY;
    // The background lies where the sprite was last drawn, which may be on
    // the target even when the sprite has moved off it.
    if( myErasedParts.empty() )
    {
        RestoreBackground( target );
        return true;
    }
    // Erased parts already show what lies behind, and a sprite behind may
    // have been erased there since: putting them back again would bring
    // back its old pixels.
    for( const types::rect& piece : Subtract( myBackgroundRect, myErasedParts ) )
        RestoreArea( target, piece );
    myErasedParts.clear();
    return true;
}

void CSprite::ErasePart( CSprite* target, const types::rect& area, const types::rect& overwritten )
{
    if( myDrawState == DRAW_DIRTY || IsEmpty() )
        return;
    const types::rect part = types::Intersection( area, myBackgroundRect );
    if( part.w <= 0 || part.h <= 0 )
        return;
    for( const types::rect& piece : Subtract( part, myErasedParts ) )
    {
        for( const types::rect& shown : Subtract( piece, { overwritten } ) )
            RestoreArea( target, shown );
        myErasedParts.push_back( piece );
    }
}

types::rect CSprite::ErasedArea( CSprite* target ) const
{
    const bool restores = myDrawState != DRAW_DIRTY && !IsEmpty() && myErasedParts.empty() &&
                          IsUsable( myBackground.get() ) && target && IsUsable( target->GetSurface() );
    return restores ? DrawableArea( target, myBackgroundRect ) : types::rect();
}

bool CSprite::CanErasePart() const
{
    return myDrawState == DRAW_CLEAN && !myChanged && myRect == myBackgroundRect && GetType() != KIND_LAYER &&
           GetType() != KIND_SCREENLAYER;
}

bool CSprite::RedrawErasedParts( CSprite* target )
{
    if( myErasedParts.empty() )
        return false;
    CSurface* source = target ? target->GetSurface() : nullptr;
    // Every part is saved before any is drawn, and the parts are disjoint,
    // so no pixel is blended twice or saved with the sprite on it.
    if( myBackgroundUsage && IsUsable( myBackground.get() ) && IsUsable( source ) )
    {
        for( const types::rect& piece : myErasedParts )
        {
            const types::rect part = types::Intersection( piece, target->GetRect() );
            source->Blit( myBackground.get(), part,
                          types::rect{ part.x - myBackgroundRect.x, part.y - myBackgroundRect.y, part.w, part.h } );
        }
    }
    for( const types::rect& piece : myErasedParts )
        DrawPart( target, piece );
    myErasedParts.clear();
    return true;
}

bool CSprite::Redraw( CSprite* target )
{
    if( IsEmpty() )
        return false;
    if( myDrawState == DRAW_CLEAN )
        return RedrawErasedParts( target );
    myErasedParts.clear();
    SaveBackground( target );
    Draw( target );
    myDrawState = DRAW_CLEAN;
    myChanged = false;
    return true;
}

void CSprite::SetVisible( bool visible )
{
    if( !visible && myParent )
    {
        CSpriteLayer* parent = myParent;
        parent->HideSprite( this );
        myHiddenParent = parent;
        myParent = nullptr;
        return;
    }
    if( visible && !myParent && myHiddenParent )
    {
        myParent = myHiddenParent;
        myHiddenParent = nullptr;
        myDrawState = DRAW_DIRTY;
        myParent->ShowSprite( this );
        // The layer knows; the flag makes the sprite report its area.
        myChanged = true;
    }
}

void CSprite::Resize( int width, int height )
{
    if( !mySourceImage || ( width == myRect.w && height == myRect.h ) )
        return;
    MarkChanged();
    myDerivation = Derivation::SCALED;
    myScaledWidth = width;
    myScaledHeight = height;
    Rederive();
    myRect.w = width;
    myRect.h = height;
    if( myBackgroundUsage )
        RemakeBackground();
}

void CSprite::SetRotation( float angle )
{
    if( !mySourceImage || std::trunc( angle ) == std::trunc( myRotation ) )
        return;
    MarkChanged();
    myRotation = angle;
    myDerivation = Derivation::ROTATED;
    Rederive();
    myRect.w = ShownImage()->GetWidth();
    myRect.h = ShownImage()->GetHeight();
}

void CSprite::SetAlpha( int alpha )
{
    alpha = std::clamp( alpha, 0, 255 );
    if( alpha == myAlpha )
        return;
    MarkChanged();
    myAlpha = alpha;
    if( alpha < 255 )
        myDerivation = Derivation::ALPHA;
    else if( myDerivation == Derivation::ALPHA )
        myDerivation = Derivation::NONE;
    Rederive();
}

int CSprite::GetAlpha() const
{
    return myAlpha;
}

void CSprite::SetPosition( int x, int y )
{
    if( x == myRect.x && y == myRect.y )
        return;
    MarkChanged();
    myRect.x = x;
    myRect.y = y;
}

void CSprite::PlayAnimation( const std::string& name )
{
    (void)name;
}

void CSprite::SetText( const std::string& text )
{
    (void)text;
}

void CSprite::SetParent( CSpriteLayer* parent )
{
    if( parent == myParent )
        return;
    // Leaving a layer always takes the sprite out of it, so a layer never
    // keeps a sprite that no longer knows it.
    if( myParent )
        myParent->RemoveSprite( this );
    myHiddenParent = nullptr;
    myParent = parent;
    myDrawState = DRAW_DIRTY;
    if( !myParent )
        return;
    myParent->AddSprite( this );
    // The layer knows; the flag makes the sprite report its area.
    myChanged = true;
}

void CSprite::MarkChanged()
{
    if( !myParent || myChanged )
        return;
    myParent->SpriteChanged( this );
    myChanged = true;
}

void CSprite::SetImage( std::unique_ptr<CSurface> image )
{
    MarkChanged();
    mySourceImage = std::move( image );
    myFadedAlpha = -1;
    myOpaqueCopy = false;
    mySeeThroughSource = false;
    Rederive();
    if( myBackgroundUsage )
        RemakeBackground();
    CSurface* shown = ShownImage();
    myRect.w = shown ? shown->GetWidth() : 0;
    myRect.h = shown ? shown->GetHeight() : 0;
}

int CSprite::GetDirtyCount() const
{
    if( !myChanged )
        return 0;
    return myBackgroundRect == myRect ? 1 : 2;
}

types::rect CSprite::GetDirtyRect( int index ) const
{
    return index == 0 ? myRect : myBackgroundRect;
}

void CSprite::BlendHook( int alpha )
{
    (void)alpha;
}

CSurface* CSprite::GetSurface() const
{
    if( !FadesWhileDrawing() )
        return ShownImage();
    if( !myFadedCopy )
        myFadedCopy = ShownImage()->CopyWithAlpha( myAlpha );
    return myFadedCopy.get();
}

CSurface* CSprite::ShownImage() const
{
    return myDerivedImage ? myDerivedImage.get() : mySourceImage.get();
}

bool CSprite::FadesWhileDrawing() const
{
    const CSurface* shown = ShownImage();
    return myDerivation == Derivation::ALPHA && shown && shown->CanBlitFaded();
}

void CSprite::RemakeBackground()
{
    const CSurface* image = ShownImage();
    if( !IsUsable( image ) )
    {
        myBackground.reset();
        return;
    }
    myBackground = NewBackground( image->GetWidth(), image->GetHeight() );
}

void CSprite::SerializeBase( CXmlFileSys* filesys )
{
    SerializeBase( filesys, myRect );
}

void CSprite::SerializeBase( CXmlFileSys* filesys, const types::rect& fileRect )
{
    if( filesys->IsWriting() )
    {
        filesys->AddAttribute( "type", CSpriteFactory::KindName( GetType() ) );
        // A made image (a text sprite's, say) has no file to name.
        if( IsUsable( mySourceImage.get() ) && !mySourceImage->GetFileName().empty() )
        {
            std::string imageFile = mySourceImage->GetFileName();
            XmlBind( filesys, imageFile, "ImageFilename" );
        }
        if( myScrollRect )
            XmlBind( filesys, *myScrollRect, "ScrollRect" );
        types::rect writtenRect = fileRect;
        XmlBind( filesys, writtenRect, "ImageRect" );
        XmlBind( filesys, myZ, "Z" );
        XmlBind( filesys, myAlpha, "Alpha" );
        return;
    }

    std::string imageFile;
    XmlBind( filesys, imageFile, "ImageFilename" );
    if( imageFile.empty() )
        mySourceImage = std::make_unique<CNullSurface>();
    else
        mySourceImage = Gfx::LoadImage( imageFile, KeyColor() );
    myDerivation = Derivation::NONE;
    myDerivedImage.reset();
    myFadedAlpha = -1;
    myOpaqueCopy = false;
    mySeeThroughSource = false;

    myBackgroundUsage = true;
    XmlBind( filesys, myBackgroundUsage, "BackgroundUsage" );
    if( myBackgroundUsage )
        RemakeBackground();

    types::rect scroll;
    XmlBind( filesys, scroll, "ScrollRect" );
    if( scroll.w != 0 || scroll.h != 0 )
        myScrollRect = std::make_unique<types::rect>( scroll );

    XmlBind( filesys, myRect, "ImageRect" );
    XmlBind( filesys, myZ, "Z" );

    int alpha = 255;
    XmlBind( filesys, alpha, "Alpha" );
    SetAlpha( alpha );
}

void CSprite::Rederive()
{
    myFadedCopy.reset();
    if( myDerivation == Derivation::ALPHA && IsUsable( mySourceImage.get() ) && !mySourceImage->CanBlitFaded() )
    {
        if( !DeriveOpaque() )
            DeriveFaded();
        return;
    }
    myFadedAlpha = -1;
    myOpaqueCopy = false;
    if( !IsUsable( mySourceImage.get() ) )
    {
        myDerivedImage.reset();
        return;
    }
    switch( myDerivation )
    {
    case Derivation::NONE: myDerivedImage.reset(); break;
    case Derivation::SCALED: myDerivedImage = mySourceImage->Scale( myScaledWidth, myScaledHeight ); break;
    case Derivation::ROTATED: myDerivedImage = mySourceImage->Rotate( myRotation ); break;
    // Faded as it is drawn (see DrawPart); GetSurface makes a copy if asked.
    case Derivation::ALPHA: myDerivedImage.reset(); break;
    }
}

void CSprite::DeriveFaded()
{
    const types::rect view = mySourceImage->GetViewRect();
    const types::rect whole{ 0, 0, mySourceImage->GetFullWidth(), mySourceImage->GetFullHeight() };
    // A view reaching past the image is copied as it is cut, as always.
    myOpaqueCopy = false;
    if( types::Intersection( view, whole ) != view )
    {
        myDerivedImage = mySourceImage->CopyWithAlpha( myAlpha );
        myFadedAlpha = -1;
        return;
    }
    if( !myDerivedImage || myFadedAlpha != myAlpha )
    {
        mySourceImage->SetViewRect( whole );
        myDerivedImage = mySourceImage->CopyWithAlpha( myAlpha );
        mySourceImage->SetViewRect( view );
        myFadedAlpha = myAlpha;
    }
    myDerivedImage->SetViewRect( view );
}

bool CSprite::DeriveOpaque()
{
    const types::rect view = mySourceImage->GetViewRect();
    const types::rect whole{ 0, 0, mySourceImage->GetFullWidth(), mySourceImage->GetFullHeight() };
    if( mySeeThroughSource || types::Intersection( view, whole ) != view )
        return false;
    if( !myOpaqueCopy )
    {
        mySourceImage->SetViewRect( whole );
        std::unique_ptr<CSurface> copy = mySourceImage->CopyOpaque();
        mySourceImage->SetViewRect( view );
        if( !copy || copy->IsNull() || !copy->CanBlitFaded() )
        {
            mySeeThroughSource = true;
            return false;
        }
        myDerivedImage = std::move( copy );
        myOpaqueCopy = true;
        myFadedAlpha = -1;
    }
    myDerivedImage->SetViewRect( view );
    return true;
}

} // namespace tarn
