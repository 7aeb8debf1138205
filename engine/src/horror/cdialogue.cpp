#include "horror/cdialogue.h"

#include "horror/cdelayedrelease.h"
#include "horror/cscriptrunner.h"
#include "horror/datafilekeys.h"
#include "horror/gameeffects.h"
#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/cxmlfilesys.h"
#include "tarn/utils/cxmlnode.h"
#include "tarn/utils/enginetime.h"
#include "tarn/utils/xmlbind.h"
#include "tarn/utils/xmlobject.h"

using namespace tarn;

namespace horror {

namespace {

const char* const BOX_FILE = "data/gfx/dialog_box.xml";
const char* const TEXT_FILE = "data/gfx/dialog_text.xml";
const char* const PROMPT_FILE = "data/gfx/click_to_continue.xml";
const char* const SLIDE_PROGRESS = "t*t";

void Slide( const SpritePtr& sprite, int x, int y )
{
    SlideSprite( sprite.get(), x, y, CDialogue::SLIDE_TIME, SLIDE_PROGRESS );
}

} // namespace

void DialogLine::Serialize( CXmlFileSys* filesys )
{
    XmlBind( filesys, SpeakerImage, keys::SPEAKER_IMAGE );
    XmlBind( filesys, Dialogue, keys::DIALOGUE );
    XmlBind( filesys, AfterExecute, keys::AFTER_EXECUTE );
}

CDialogue::CDialogue() :
    myBoxSprite( LoadGameSprite( BOX_FILE ) )
{
    CInputDispatcher::GetSingletonPtr()->AddMouseListener( this );
    if( myBoxSprite )
        myBoxSprite->SetPosition( myBoxSprite->GetX(), BOX_PARKED_Y );
}

SpritePtr CDialogue::MakeOpenBox()
{
    SpritePtr box = LoadGameSprite( BOX_FILE );
    if( box )
        box->SetPosition( box->GetX(), OpenY( box->GetRect() ) );
    return box;
}

CDialogue::~CDialogue()
{
    if( CInputDispatcher::HasSingleton() )
        CInputDispatcher::GetSingletonPtr()->RemoveMouseListener( this );
}

void CDialogue::OnMouseMove( int, int )
{
}

void CDialogue::OnMouseMoveRelative( int, int )
{
}

void CDialogue::OnButtonDown( int button )
{
    // A click on a menu over the held game is not for the dialogue.
    if( button != MOUSE_BUTTON_LEFT || !myActive || CTaskManager::GetSingletonPtr()->IsHolding() )
        return;
    if( GameTime() - myOpenTime <= CLICK_GUARD )
        return;
    if( myFinished )
    {
        myContinueSprite.reset();
        Advance();
        return;
    }
    // The next typing step shows the rest of the line.
    if( !myText.empty() )
        myShownChars = static_cast<unsigned>( myText.size() - 1 );
}

void CDialogue::OnButtonUp( int )
{
}

void CDialogue::SetSpeakerImage( const std::string& name )
{
    if( name == mySpeakerImageName )
        return;
    mySpeakerImageName = name;
    RemoveSpeakerImage();
    if( name.empty() )
        return;
    mySpeakerSprite = LoadGameSprite( name );
    if( !mySpeakerSprite )
        return;
    mySpeakerSprite->SetX( PORTRAIT_PARKED_X );
    if( myActive )
        Slide( mySpeakerSprite, PORTRAIT_OPEN_X, mySpeakerSprite->GetY() );
}

void CDialogue::SetText( const std::string& text )
{
    if( !myActive )
        Open();
    myShownChars = 0;
    myText = text;
    myFinished = false;
    if( !text.empty() )
        return;
    // A line without text has nothing to type: it is complete at once, so it
    // can be clicked past instead of holding the game in the dialogue.
    if( myTextSprite )
        myTextSprite->SetText( "" );
    MarkComplete();
}

void CDialogue::Update()
{
    if( !myActive )
        return;
    if( GameTime() - myOpenTime > TYPING_DELAY && !myText.empty() )
        TypeStep();
    if( !myFinished || myContinueSprite || GameTime() - myFinishTime <= PROMPT_DELAY )
        return;
    myContinueSprite = LoadGameSprite( PROMPT_FILE );
    if( !myContinueSprite )
        return;
    myContinueSprite->SetAlpha( 0 );
    FadeSprite( myContinueSprite.get(), 255, PROMPT_FADE_TIME, "t" );
}

void CDialogue::Serialize( CXmlFileSys* filesys )
{
    if( !filesys )
        return;
    if( filesys->IsWriting() )
    {
        for( DialogLine& line : myLines )
            XmlBind( filesys, line, keys::DIALOGUE_LINE );
        return;
    }
    myLines.clear();
    if( CXmlNode* root = filesys->GetCurrentNode() )
    {
        for( std::size_t i = 0; i < root->GetChildCount(); ++i )
        {
            CXmlNode* child = root->GetChild( i );
            if( child->GetName() != keys::DIALOGUE_LINE )
                continue;
            DialogLine line;
            XmlLoadObject( child, line );
            myLines.push_back( line );
        }
    }
    ShowFrontLine();
}

void CDialogue::Open()
{
    myOpenTime = GameTime();
    myActive = true;
    if( mySpeakerSprite )
        Slide( mySpeakerSprite, PORTRAIT_OPEN_X, mySpeakerSprite->GetY() );
    if( myBoxSprite )
        Slide( myBoxSprite, myBoxSprite->GetX(), OpenY( myBoxSprite->GetRect() ) );
    if( !myTextSprite )
        myTextSprite = LoadGameSprite( TEXT_FILE );
}

void CDialogue::RemoveSpeakerImage()
{
    if( !mySpeakerSprite )
        return;
    if( myActive )
        Slide( mySpeakerSprite, PORTRAIT_PARKED_X, mySpeakerSprite->GetY() );
    CDelayedRelease::Hold( mySpeakerSprite, PORTRAIT_KEEP_ALIVE );
    mySpeakerSprite.reset();
}

void CDialogue::TypeStep()
{
    if( myText.empty() )
        return;
    if( myShownChars < myText.size() )
    {
        if( !myTextSprite )
            return;
        ++myShownChars;
        myTextSprite->SetText( myText.substr( 0, myShownChars ) );
        return;
    }
    if( !myFinished )
        MarkComplete();
}

void CDialogue::MarkComplete()
{
    myFinishTime = GameTime();
    myFinished = true;
}

void CDialogue::Advance()
{
    std::string script;
    if( !myLines.empty() )
    {
        script = myLines.front().AfterExecute;
        myLines.pop_front();
    }
    if( myLines.empty() )
        Close();
    if( myScriptRunner && !script.empty() )
        myScriptRunner->RunScript( script );
    ShowFrontLine();
}

void CDialogue::ShowFrontLine()
{
    if( myLines.empty() )
        return;
    // Copies: the calls below may change the queue.
    const DialogLine line = myLines.front();
    SetSpeakerImage( line.SpeakerImage );
    SetText( line.Dialogue );
}

void CDialogue::Close()
{
    if( !myActive )
        return;
    myActive = false;
    myTextSprite.reset();
    if( mySpeakerSprite )
        Slide( mySpeakerSprite, PORTRAIT_PARKED_X, mySpeakerSprite->GetY() );
    if( myBoxSprite )
        Slide( myBoxSprite, myBoxSprite->GetX(), BOX_BOTTOM );
}

} // namespace horror
