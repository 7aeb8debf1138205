#include "tarn/ui/cwindowwidget.h"

#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/csprite.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/font/csystemfont.h"
#include "tarn/gfx/gfx.h"
#include "tarn/ui/cdesktop.h"
#include "tarn/utils/ccolor.h"

namespace tarn {
namespace ui {

const char* const CWindowWidget::EVENT_CLOSE = "close";

namespace {

const CColor BODY_COLOR( 16, 16, 24, 255 );
const CColor TITLE_COLOR( 40, 48, 96, 255 );
const CColor CLOSE_COLOR( 200, 200, 210, 255 );
constexpr int CLOSE_MARGIN = 4;

// The panel's pixels: the title bar over the body, and an "x" in the close
// box. Made once for each size the window takes.
std::unique_ptr<CSurface> MakePanelImage( int width, int height, const types::rect& closeBox )
{
    std::unique_ptr<CSurface> image = Gfx::NewBuffer( width, height );
    if( image->IsNull() )
        return image;
    for( int y = 0; y < height; ++y )
    {
        const CColor& color = y < CWindowWidget::TITLE_HEIGHT ? TITLE_COLOR : BODY_COLOR;
        for( int x = 0; x < width; ++x )
            image->PutPixel( x, y, color );
    }
    const int size = closeBox.h - 2 * CLOSE_MARGIN;
    for( int i = 0; i < size; ++i )
    {
        const int x = closeBox.x + CLOSE_MARGIN;
        const int y = closeBox.y + CLOSE_MARGIN;
        image->PutPixel( x + i, y + i, CLOSE_COLOR );
        image->PutPixel( x + size - 1 - i, y + i, CLOSE_COLOR );
    }
    return image;
}

} // namespace

std::unique_ptr<CSurface> CWindowWidget::MakeFramedImage( int width, int height, const CColor& body,
                                                          const CColor& edge )
{
    std::unique_ptr<CSurface> image = Gfx::NewBuffer( width, height );
    if( image->IsNull() )
        return image;
    for( int y = 0; y < height; ++y )
    {
        for( int x = 0; x < width; ++x )
        {
            const bool onEdge = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            image->PutPixel( x, y, onEdge ? edge : body );
        }
    }
    return image;
}

CWindowWidget::CWindowWidget( const std::string& name, const std::string& title ) :
    CWidget( name ),
    myTitle( title ),
    myCloseBox( name + ".close" ),
    myPanel( std::make_unique<CSprite>() ),
    myTitleBar( std::make_unique<CTextSprite>() )
{
    myCloseBox.SetGeometry( "parent.x + parent.w - this.w", "parent.y", std::to_string( TITLE_HEIGHT ),
                            std::to_string( TITLE_HEIGHT ) );
    AddChild( &myCloseBox );
    myCloseBox.Connect( EVENT_MOUSE_BUTTON_UP, this, &CWindowWidget::OnCloseBoxReleased );

    myTitleBar->SetFont( CSystemFont::Create() );
    myTitleBar->SetFontStartPosition( types::point{ 4, 1 } );
    myTitleBar->SetText( myTitle );
    myPanel->SetZ( myZ );
    myTitleBar->SetZ( myZ - 1 );
    for( CSprite* sprite : { myPanel.get(), static_cast<CSprite*>( myTitleBar.get() ) } )
    {
        sprite->SetParent( CScreenLayer::GetSingletonPtr() );
        sprite->SetVisible( false );
    }
}

CWindowWidget::~CWindowWidget() = default;

void CWindowWidget::OnGeometryChanged()
{
    const types::rect rect = GetRect();
    const types::rect panel = myPanel->GetRect();
    if( panel.w != rect.w || panel.h != rect.h )
        PaintPanel();
    myPanel->SetPosition( rect.x, rect.y );
    myTitleBar->SetPosition( rect.x, rect.y );
}

void CWindowWidget::SetFrameless( const CColor& body, const CColor& edge )
{
    myFrameless = true;
    myBodyColor = body;
    myEdgeColor = edge;
    RemoveChild( &myCloseBox );
    myTitleBar->SetVisible( false );
    PaintPanel();
    myPanel->SetPosition( GetRect().x, GetRect().y );
}

void CWindowWidget::SetShown( bool shown )
{
    if( shown == myShown )
        return;
    myShown = shown;
    if( shown )
        GetDesktop()->AddChild( this );
    else if( GetParent() )
        GetParent()->RemoveChild( this );
    myPanel->SetVisible( shown );
    myTitleBar->SetVisible( shown && !myFrameless );
    OnShown( shown );
}

bool CWindowWidget::TakeCloseRequest()
{
    const bool requested = myCloseRequested;
    myCloseRequested = false;
    return requested;
}

void CWindowWidget::OnShown( bool )
{
}

void CWindowWidget::PaintPanel()
{
    const types::rect rect = GetRect();
    if( myFrameless )
    {
        myPanel->SetImage( MakeFramedImage( rect.w, rect.h, myBodyColor, myEdgeColor ) );
        return;
    }
    const types::rect closeBox{ rect.w - TITLE_HEIGHT, 0, TITLE_HEIGHT, TITLE_HEIGHT };
    myPanel->SetImage( MakePanelImage( rect.w, rect.h, closeBox ) );
    myTitleBar->Resize( rect.w - TITLE_HEIGHT, TITLE_HEIGHT );
}

void CWindowWidget::OnCloseBoxReleased()
{
    myCloseRequested = true;
    RaiseEvent( EVENT_CLOSE );
}

} // namespace ui
} // namespace tarn
