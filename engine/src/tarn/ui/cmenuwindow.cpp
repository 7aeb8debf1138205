#include "tarn/ui/cmenuwindow.h"

#include <algorithm>

#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/csprite.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/font/cfont.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/inputdevice/keynames.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/ui/cdesktop.h"

namespace tarn {
namespace ui {

namespace {

// Candle light on soot: a near-black panel the game shows through, a warm
// edge, and a warm bar under the chosen row.
const CColor PANEL_COLOR( 8, 6, 6, 215 );
const CColor EDGE_COLOR( 110, 80, 45, 255 );
const CColor SHADE_COLOR( 0, 0, 0, 130 );
const CColor BAR_COLOR( 190, 120, 50, 90 );
const CColor BAR_EDGE_COLOR( 230, 170, 90, 200 );
constexpr int PADDING = 18;
constexpr int ROW_SPACING = 12;

std::unique_ptr<CSprite> MakeSprite( int z )
{
    auto sprite = std::make_unique<CSprite>();
    sprite->SetZ( z );
    sprite->SetParent( CScreenLayer::GetSingletonPtr() );
    sprite->SetVisible( false );
    return sprite;
}

} // namespace

CMenuWindow::CMenuWindow( const std::vector<CMenuItem>& items, const std::string& title,
                          const std::string& itemFont, const std::string& titleFont ) :
    CWindowWidget( "menu", title ),
    myItems( items ),
    myTitleText( title ),
    myTitle( std::make_unique<CTextSprite>() ),
    myShade( MakeSprite( GetZ() + 1 ) ),
    myHighlightBar( MakeSprite( GetContentZ() ) )
{
    SetFrameless( PANEL_COLOR, EDGE_COLOR );
    const std::unique_ptr<CFont> font = CTextSprite::LoadFont( itemFont );
    std::unique_ptr<CFont> bigFont = CTextSprite::LoadFont( titleFont.empty() ? itemFont : titleFont );
    bigFont->SetFormatter( CFont::FORMAT_CENTER );
    myTop = 2 * PADDING + bigFont->GetLineHeight();
    myTitle->SetFont( std::move( bigFont ) );
    myTitle->SetZ( GetContentZ() - 1 );
    myTitle->SetParent( CScreenLayer::GetSingletonPtr() );
    myTitle->SetVisible( false );

    // Room for Yes and No when there are fewer items.
    const std::size_t rows = std::max<std::size_t>( myItems.size(), 2 );
    myRowHeight = font->GetLineHeight() + ROW_SPACING;
    for( std::size_t i = 0; i < rows; ++i )
    {
        const int row = static_cast<int>( i );
        auto widget = std::make_unique<CMenuRowWidget>(
            "menu.row" + std::to_string( i ), *font,
            [ this, row ]( int direction ) { Activate( row, direction, direction > 0 ); },
            [ this, row ] { Highlight( row ); } );
        widget->SetZ( GetContentZ() - 1 );
        widget->SetGeometry( "parent.x + " + std::to_string( PADDING ),
                             "parent.y + " + std::to_string( myTop + row * myRowHeight ),
                             "parent.w - " + std::to_string( 2 * PADDING ), std::to_string( myRowHeight ) );
        myRows.push_back( std::move( widget ) );
    }
    ShowPage();
}

CMenuWindow::~CMenuWindow()
{
    if( CInputDispatcher::HasSingleton() )
        CInputDispatcher::GetSingletonPtr()->RemoveKeyboardListener( this );
    if( myHolding && CTaskManager::HasSingleton() )
        CTaskManager::GetSingletonPtr()->SetHolding( HOLDER, false );
}

void CMenuWindow::SetOpen( bool open )
{
    if( open == IsShown() )
        return;
    if( open )
    {
        myAsking = -1;
        myHighlight = 0;
        myHolding = true;
        CTaskManager::GetSingletonPtr()->SetHolding( HOLDER, true );
    }
    SetShown( open );
}

void CMenuWindow::StepBack()
{
    if( !IsAsking() )
    {
        SetOpen( false );
        return;
    }
    myHighlight = myAsking;
    myAsking = -1;
    ShowPage();
}

void CMenuWindow::Update()
{
    if( IsShown() )
    {
        ShowPage();
        return;
    }
    if( myHolding )
    {
        myHolding = false;
        CTaskManager::GetSingletonPtr()->SetHolding( HOLDER, false );
    }
}

void CMenuWindow::OnKeyDown( int key )
{
    switch( key )
    {
    case KEY_UP: Move( -1 ); return;
    case KEY_DOWN: Move( 1 ); return;
    case KEY_LEFT:
    case KEY_RIGHT:
    {
        const int direction = key == KEY_LEFT ? -1 : 1;
        if( IsAsking() || !myItems[ myHighlight ].HasValue() )
            Move( direction );
        else
            Activate( myHighlight, direction, false );
        return;
    }
    case KEY_RETURN:
    case KEY_KEYPAD_ENTER: Activate( myHighlight, 1, true ); return;
    default: return;
    }
}

void CMenuWindow::OnKeyUp( int )
{
}

bool CMenuWindow::Contains( int, int ) const
{
    return IsShown();
}

void CMenuWindow::OnGeometryChanged()
{
    CWindowWidget::OnGeometryChanged();
    PlaceSprites();
}

int CMenuWindow::GetRowCount() const
{
    return IsAsking() ? 2 : static_cast<int>( myItems.size() );
}

void CMenuWindow::OnShown( bool shown )
{
    CInputDispatcher* dispatcher = CInputDispatcher::GetSingletonPtr();
    if( shown )
        dispatcher->AddKeyboardListener( this );
    else
        dispatcher->RemoveKeyboardListener( this );
    for( CSprite* sprite : { static_cast<CSprite*>( myTitle.get() ), myShade.get(), myHighlightBar.get() } )
        sprite->SetVisible( shown );
    ShowPage();
}

void CMenuWindow::Highlight( int row )
{
    myHighlight = row;
    PlaceSprites();
}

void CMenuWindow::Move( int delta )
{
    const int count = GetRowCount();
    if( count > 0 )
        Highlight( ( myHighlight + delta + count ) % count );
}

void CMenuWindow::Activate( int row, int direction, bool wrap )
{
    Highlight( row );
    if( IsAsking() )
    {
        const std::string line = myItems[ myAsking ].GetLine();
        StepBack();
        if( row != 0 )
            return;
        SetOpen( false );
        RunLine( line );
        return;
    }
    const CMenuItem& item = myItems[ row ];
    if( item.GetKind() == CMenuItem::Kind::CONFIRM )
        Ask( row );
    else if( item.HasValue() )
        item.Step( direction, wrap );
    else
        RunLine( item.GetLine() );
}

void CMenuWindow::RunLine( const std::string& line )
{
    // The line may stop the task that keeps this window.
    const std::weak_ptr<void> life = GetLifeToken();
    GetConsole()->Execute( line );
    if( !life.expired() )
        ShowPage();
}

void CMenuWindow::Ask( int item )
{
    myAsking = item;
    // Saying no is the safe answer to a slip of the finger.
    myHighlight = 1;
    ShowPage();
}

void CMenuWindow::ShowPage()
{
    const bool shown = IsShown();
    myTitle->SetText( IsAsking() ? myItems[ myAsking ].GetQuestion() : myTitleText );
    const int count = GetRowCount();
    // The panel fits the page, in the middle of the screen.
    const int height = myTop + count * myRowHeight + PADDING;
    if( GetRect().h != height )
        SetGeometry( "parent.x + ( parent.w - this.w ) / 2", "parent.y + ( parent.h - this.h ) / 2",
                     std::to_string( WIDTH ), std::to_string( height ) );
    for( int i = 0; i < static_cast<int>( myRows.size() ); ++i )
    {
        CMenuRowWidget* row = myRows[ i ].get();
        const bool used = i < count;
        if( used && row->GetParent() != this )
            AddChild( row );
        else if( !used && row->GetParent() == this )
            RemoveChild( row );
        row->SetVisible( shown && used );
        if( !used )
            continue;
        if( IsAsking() )
            row->SetTexts( i == 0 ? YES : NO, "" );
        else
            row->SetTexts( myItems[ i ].GetLabel(), myItems[ i ].GetValueText() );
    }
    PlaceSprites();
}

void CMenuWindow::PlaceSprites()
{
    const types::rect rect = GetRect();
    myTitle->Resize( rect.w, myTitle->GetFont()->GetLineHeight() );
    myTitle->SetPosition( rect.x, rect.y + PADDING );

    const types::rect screen = GetDesktop()->GetRect();
    if( myShade->GetRect().w != screen.w || myShade->GetRect().h != screen.h )
        myShade->SetImage( MakeFramedImage( screen.w, screen.h, SHADE_COLOR, SHADE_COLOR ) );
    myShade->SetPosition( screen.x, screen.y );

    // A row out of the window has not been laid out.
    if( myHighlight >= static_cast<int>( myRows.size() ) || myRows[ myHighlight ]->GetParent() != this )
        return;
    const types::rect row = myRows[ myHighlight ]->GetRect();
    if( myHighlightBar->GetRect().w != row.w || myHighlightBar->GetRect().h != row.h )
        myHighlightBar->SetImage( MakeFramedImage( row.w, row.h, BAR_COLOR, BAR_EDGE_COLOR ) );
    myHighlightBar->SetPosition( row.x, row.y );
}

} // namespace ui
} // namespace tarn
