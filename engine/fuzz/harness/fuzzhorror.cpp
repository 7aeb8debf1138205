#include "harness/fuzzhorror.h"

#include "horror/cbackgroundlayer.h"
#include "horror/cdatachecker.h"
#include "horror/cdialogue.h"
#include "horror/chorrorgameplay.h"
#include "horror/cscriptrunner.h"
#include "harness/fuzzsupport.h"
#include "tarn/inputdevice/inputlisteners.h"
#include "tarn/utils/numberutils.h"
#include "tarn/utils/xmlobject.h"

using namespace tarn;
using tarn::test::CFuzzClock;
using tarn::test::CFuzzScreen;
using tarn::test::WriteFuzzFile;

namespace horror {
namespace test {

namespace {

// Hands the scripts of the level or dialogue to the data checker instead of
// a console: commands of the game would load other files and quit.
class CCheckingRunner final : public CScriptRunner
{
public:
    bool RunScript( const std::string& text ) override
    {
        myChecker.CheckScript( text, "fuzz", "script" );
        return true;
    }

private:
    CDataChecker myChecker;
};

// Grabs the player's icon at its centre and drags it across the level.
void DragPlayer( CHorrorGameplay& gameplay, CFuzzClock& clock )
{
    const CSprite* icon = gameplay.GetPlayerIcon();
    if( !icon )
        return;
    // In 64 bits: a level may put the icon at the limit of the int range.
    const types::rect r = icon->GetRect();
    long long x = r.x + r.w / 2LL;
    long long y = r.y + r.h / 2LL;
    gameplay.OnMouseMove( ClampToInt( x ), ClampToInt( y ) );
    gameplay.OnButtonDown( MOUSE_BUTTON_LEFT );
    for( int step = 0; step < 24; ++step )
    {
        x += step % 3 == 0 ? 9 : -4;
        y += step % 2 == 0 ? 7 : -3;
        gameplay.OnMouseMove( ClampToInt( x ), ClampToInt( y ) );
        clock.Advance( 20 );
        gameplay.Tick();
    }
    gameplay.OnButtonUp( MOUSE_BUTTON_LEFT );
}

} // namespace

void FuzzLevelInput( const std::string& input )
{
    CFuzzScreen screen;
    CFuzzClock clock;
    const std::string file = WriteFuzzFile( input, "level", ".xml" );
    {
        CCheckingRunner runner;
        CBackgroundLayer layer;
        CHorrorGameplay gameplay;
        gameplay.SetScriptRunner( &runner );
        gameplay.SetBackgroundLayer( &layer );
        XmlLoadFromFile( gameplay, file );
        DragPlayer( gameplay, clock );
        for( int step = 0; step < 8; ++step )
        {
            clock.Advance( 200 );
            gameplay.Tick();
            layer.Step();
        }
        screen.Frame( clock.Now() );
    }
}

void FuzzDialogueInput( const std::string& input )
{
    CFuzzScreen screen;
    CFuzzClock clock;
    const std::string file = WriteFuzzFile( input, "dialogue", ".xml" );
    {
        CCheckingRunner runner;
        CDialogue dialogue;
        dialogue.SetScriptRunner( &runner );
        XmlLoadFromFile( dialogue, file );
        // Each round types a character, completes the line with a click and
        // clicks past it; a long line needs no more rounds than a short one.
        for( int round = 0; round < 64 && dialogue.IsActive(); ++round )
        {
            clock.Advance( 1000 );
            dialogue.Update();
            dialogue.OnButtonDown( MOUSE_BUTTON_LEFT );
            dialogue.Update();
            clock.Advance( 3000 );
            dialogue.Update();
            dialogue.OnButtonDown( MOUSE_BUTTON_LEFT );
            screen.Frame( clock.Now() );
        }
    }
    CDataChecker().CheckDialogue( file );
}

void FuzzBackgroundInput( const std::string& input )
{
    CFuzzScreen screen;
    CFuzzClock clock;
    const std::string file = WriteFuzzFile( input, "background", ".xml" );
    {
        CBackgroundLayer layer;
        layer.LoadBackgroundLayer( file );
        for( int step = 0; step < 8; ++step )
        {
            clock.Advance( 200 );
            layer.Step();
        }
        screen.Frame( clock.Now() );
    }
    CDataChecker().CheckBackgroundLayer( file );
}

} // namespace test
} // namespace horror
