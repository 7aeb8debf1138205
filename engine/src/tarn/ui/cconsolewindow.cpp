#include "tarn/ui/cconsolewindow.h"

#include <algorithm>

#include "tarn/console/ccompletion.h"
#include "tarn/console/cconsole.h"
#include "tarn/console/cconsoleholder.h"
#include "tarn/console/chistoryfile.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/font/cfont.h"
#include "tarn/gfx/font/csystemfont.h"
#include "tarn/utils/clogger.h"

namespace tarn {
namespace ui {

namespace {

constexpr int MARGIN = 4;
constexpr int INPUT_HEIGHT = 15;

bool IsBlank( const std::string& line )
{
    return line.find_first_not_of( " \t" ) == std::string::npos;
}

// The font writes a tab as four spaces; the view counts columns the same way.
std::string ExpandTabs( const std::string& line )
{
    std::string expanded;
    for( const char c : line )
    {
        if( c == '\t' )
            expanded += "    ";
        else
            expanded += c;
    }
    return expanded;
}

} // namespace

CConsoleWindow::CConsoleWindow( const std::string& historyFile ) :
    CWindowWidget( "console", TITLE ),
    myInput( "console.input" ),
    myLogView( std::make_unique<CTextSprite>() )
{
    if( !historyFile.empty() )
    {
        myHistoryFile = std::make_unique<CHistoryFile>( historyFile );
        myHistory = myHistoryFile->Load();
    }
    myLogView->SetFont( CSystemFont::Create() );
    myLogView->SetZ( GetContentZ() );
    myLogView->SetParent( CScreenLayer::GetSingletonPtr() );
    myLogView->SetVisible( false );

    myInput.SetZ( GetContentZ() );
    myInput.SetGeometry( "parent.x + " + std::to_string( MARGIN ), "parent.y + parent.h - this.h - 2",
                         "parent.w - " + std::to_string( 2 * MARGIN ), std::to_string( INPUT_HEIGHT ) );
    AddChild( &myInput );
    myInput.Connect( CTextInputWidget::EVENT_ENTER, this, &CConsoleWindow::OnEnter );
    myInput.Connect( CTextInputWidget::EVENT_TAB, this, &CConsoleWindow::OnTab );
    myInput.Connect( CTextInputWidget::EVENT_ARROW_UP, this, &CConsoleWindow::OnHistoryBack );
    myInput.Connect( CTextInputWidget::EVENT_ARROW_DOWN, this, &CConsoleWindow::OnHistoryForward );
    myInput.Connect( CTextInputWidget::EVENT_PAGE_UP, this, &CConsoleWindow::OnPageUp );
    myInput.Connect( CTextInputWidget::EVENT_PAGE_DOWN, this, &CConsoleWindow::OnPageDown );

    SetGeometry( "parent.x", "parent.y", "parent.w", "parent.h / 2" );
    GetLog().AddListener( this );
}

CConsoleWindow::~CConsoleWindow()
{
    if( CLogger::HasSingleton() )
        GetLog().RemoveListener( this );
}

std::unique_ptr<CDebugConsoleWindow> CConsoleWindow::Create()
{
    return std::make_unique<CConsoleWindow>();
}

void CConsoleWindow::SetOpen( bool open )
{
    SetShown( open );
}

bool CConsoleWindow::TakeToggleRequest()
{
    return TakeCloseRequest();
}

void CConsoleWindow::Update()
{
    if( myLogChanged && IsShown() )
        RefreshLogView();
}

void CConsoleWindow::OnMessage( const std::string& text, int )
{
    // The indent markers carry no text.
    if( text.empty() )
        return;
    myLogLines.push_back( text.back() == '\n' ? text.substr( 0, text.size() - 1 ) : text );
    if( myLogLines.size() > MAX_LOG_LINES )
        myLogLines.pop_front();
    myLogChanged = true;
}

void CConsoleWindow::OnGeometryChanged()
{
    CWindowWidget::OnGeometryChanged();
    const types::rect rect = GetRect();
    const int top = TITLE_HEIGHT + 2;
    myLogView->Resize( std::max( rect.w - 2 * MARGIN, 0 ), std::max( rect.h - top - INPUT_HEIGHT - 6, 0 ) );
    myLogView->SetPosition( rect.x + MARGIN, rect.y + top );
    myLogChanged = true;
}

void CConsoleWindow::OnShown( bool shown )
{
    myLogView->SetVisible( shown );
    myInput.SetVisible( shown );
    if( shown )
        RefreshLogView();
}

void CConsoleWindow::OnEnter()
{
    const std::string line = myInput.GetText();
    myInput.SetText( "" );
    myScroll = 0;
    myTabbed = false;
    // Nothing to run, and nothing worth recalling.
    if( IsBlank( line ) )
        return;
    myHistory.push_back( line );
    myHistoryPosition = 0;
    myDraft.clear();
    // Written before the line runs: a line that ends the program is kept.
    if( myHistoryFile )
        myHistoryFile->Save( myHistory );
    // Looked up before the line runs, which may make the name.
    const std::string unknown = GetConsole()->FindUnknownName( line );
    // The line may close the console or stop the debug task, which deletes
    // this window.
    const std::weak_ptr<void> life = GetLifeToken();
    GetConsole()->Execute( line, true );
    // A mistyped name otherwise only comes back as its own text.
    if( !unknown.empty() )
        GetLog().Warning() << "Unknown command: " << unknown << "\n";
    if( !life.expired() && IsShown() )
        RefreshLogView();
}

void CConsoleWindow::OnTab()
{
    const std::string text = myInput.GetText();
    const CCompletion completion = CCompletion::ForMainConsole();
    if( !myTabbed || text != myTabbedText )
    {
        myTabbed = true;
        myTabbedText = completion.Complete( text );
        myInput.SetText( myTabbedText );
        return;
    }
    const std::vector<std::string> candidates = completion.GetCandidates( text );
    if( candidates.size() < 2 )
        return;
    std::string line;
    for( const std::string& candidate : candidates )
        line += ( line.empty() ? "" : "  " ) + candidate;
    ShowLine( line );
}

void CConsoleWindow::OnHistoryBack()
{
    myTabbed = false;
    if( myHistoryPosition >= myHistory.size() )
        return;
    if( myHistoryPosition == 0 )
        myDraft = myInput.GetText();
    ++myHistoryPosition;
    myInput.SetText( myHistory[ myHistory.size() - myHistoryPosition ] );
}

void CConsoleWindow::OnHistoryForward()
{
    myTabbed = false;
    if( myHistoryPosition == 0 )
        return;
    --myHistoryPosition;
    myInput.SetText( myHistoryPosition == 0 ? myDraft : myHistory[ myHistory.size() - myHistoryPosition ] );
}

void CConsoleWindow::OnPageUp()
{
    myScroll += std::max( GetViewRows() - 1, 1 );
    RefreshLogView();
}

void CConsoleWindow::OnPageDown()
{
    myScroll = std::max( myScroll - std::max( GetViewRows() - 1, 1 ), 0 );
    RefreshLogView();
}

void CConsoleWindow::RefreshLogView()
{
    myLogChanged = false;
    // The system font is monospaced, so long lines are cut into rows of
    // whole columns.
    const CFont* font = myLogView->GetFont();
    const int columns = std::max( myLogView->GetRect().w / std::max( font->GetTextWidth( "M" ), 1 ), 1 );
    std::vector<std::string> rows;
    for( const std::string& line : myLogLines )
    {
        const std::string expanded = ExpandTabs( line );
        if( expanded.empty() )
            rows.emplace_back();
        for( std::string::size_type at = 0; at < expanded.size(); at += columns )
            rows.push_back( expanded.substr( at, columns ) );
    }
    const int viewRows = GetViewRows();
    const int count = static_cast<int>( rows.size() );
    myScroll = std::clamp( myScroll, 0, std::max( count - viewRows, 0 ) );
    const int end = count - myScroll;
    const int first = std::max( end - viewRows, 0 );
    std::string text;
    for( int row = first; row < end; ++row )
    {
        if( row > first )
            text += "\n";
        text += rows[ row ];
    }
    myLogView->SetText( text );
}

void CConsoleWindow::ShowLine( const std::string& line )
{
    OnMessage( line, LOG_NORMAL );
    myScroll = 0;
    RefreshLogView();
}

int CConsoleWindow::GetViewRows() const
{
    const int lineHeight = myLogView->GetFont()->GetLineHeight();
    return lineHeight > 0 ? myLogView->GetRect().h / lineHeight : 0;
}

} // namespace ui
} // namespace tarn
