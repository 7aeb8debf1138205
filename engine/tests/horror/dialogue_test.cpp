// The dialogue box on a hand-set clock with synthetic clicks: opening and
// typing, clicking through lines and their scripts, portraits, the prompt,
// and dialogue files.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "horror/cdialogue.h"
#include "horror/chorrorgame.h"
#include "horror/cscriptrunner.h"
#include "horror/gamescene.h"
#include "tarn/gfx/csprite.h"
#include "tarn/utils/cxmlnode.h"
#include "tarn/utils/xmlobject.h"

using namespace tarn;
using horror::CDialogue;

namespace {

// What the dialogue looked like whenever it ran a script.
struct ScriptCall
{
    std::string script;
    bool active;
    std::string text;
    std::size_t linesLeft;
};

class CScriptLog final : public horror::CScriptRunner
{
public:
    bool RunScript( const std::string& text ) override
    {
        calls.push_back( { text, dialogue->IsActive(), dialogue->GetText(), dialogue->GetLines().size() } );
        return true;
    }

    const CDialogue* dialogue = nullptr;
    std::vector<ScriptCall> calls;
};

std::string Line( const std::string& speaker, const std::string& text, const std::string& after = "" )
{
    return "<DialogLine><SpeakerImage>" + speaker + "</SpeakerImage><Dialogue>" + text +
           "</Dialogue><AfterExecute>" + after + "</AfterExecute></DialogLine>";
}

const std::string MOTH = "data/gfx/portrait_moth.xml";
const std::string LADY = "data/gfx/portrait_lady.xml";
// The box is 160 pixels high; open, its bottom is one pixel below the screen.
const int BOX_OPEN_Y = 601 - 160;

class DialogueTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dialogue = std::make_unique<CDialogue>();
        log.dialogue = dialogue.get();
        dialogue->SetScriptRunner( &log );
    }

    void Load( const std::string& lines )
    {
        scene.Write( "data/dialogs/talk.xml", "<WittyDialog>" + lines + "</WittyDialog>\n" );
        ASSERT_TRUE( XmlLoadFromFile( *dialogue, "data/dialogs/talk.xml" ) );
    }
    // One dialogue tick, 25 ms after the last.
    void Tick()
    {
        scene.Advance( 25 );
        dialogue->Update();
    }
    void TypeToTheEnd()
    {
        for( int i = 0; i < 500 && !dialogue->IsLineComplete(); ++i )
            Tick();
    }
    static void Click( int button = MOUSE_BUTTON_LEFT ) { test::CGameScene::Press( button ); }

    test::CGameScene scene{ "dialogue" };
    CScriptLog log;
    std::unique_ptr<CDialogue> dialogue;
};

} // namespace

TEST_F( DialogueTest, BoxSlidesUpAndTypingStartsAfter750msOneCharacterPerUpdate )
{
    ASSERT_NE( dialogue->GetBoxSprite(), nullptr );
    EXPECT_EQ( dialogue->GetBoxSprite()->GetY(), 600 );
    EXPECT_FALSE( dialogue->IsActive() );

    dialogue->SetSpeakerImage( MOTH );
    ASSERT_NE( dialogue->GetSpeakerSprite(), nullptr );
    EXPECT_EQ( dialogue->GetSpeakerSprite()->GetX(), -300 ) << "a closed box keeps its portrait parked";
    dialogue->SetText( "Hello" );
    EXPECT_TRUE( dialogue->IsActive() );
    EXPECT_NE( dialogue->GetTextSprite(), nullptr );

    scene.Advance( 750 );
    dialogue->Update();
    EXPECT_EQ( dialogue->GetShownChars(), 0u );
    EXPECT_EQ( dialogue->GetBoxSprite()->GetY(), BOX_OPEN_Y );
    EXPECT_EQ( dialogue->GetSpeakerSprite()->GetX(), 0 );
    EXPECT_EQ( dialogue->GetSpeakerSprite()->GetY(), 300 );

    scene.Advance( 1 );
    dialogue->Update();
    EXPECT_EQ( dialogue->GetShownChars(), 1u );
    dialogue->Update();
    dialogue->Update();
    EXPECT_EQ( dialogue->GetShownChars(), 3u ) << "one character per update, whatever the time";
    dialogue->Update();
    dialogue->Update();
    EXPECT_EQ( dialogue->GetShownChars(), 5u );
    EXPECT_FALSE( dialogue->IsLineComplete() ) << "complete one update after the last character";
    dialogue->Update();
    EXPECT_TRUE( dialogue->IsLineComplete() );
}

TEST_F( DialogueTest, ClicksCompleteTheLineAndThenAdvanceOnlyOnceItIsMarkedComplete )
{
    Load( Line( MOTH, "Hello" ) + Line( MOTH, "Bye" ) );

    scene.Advance( 350 );
    Click();
    EXPECT_EQ( dialogue->GetShownChars(), 0u ) << "clicks in the first 350 ms are ignored";
    scene.Advance( 1 );
    Click( MOUSE_BUTTON_RIGHT );
    Click( MOUSE_BUTTON_MIDDLE );
    EXPECT_EQ( dialogue->GetShownChars(), 0u ) << "only the left button counts";

    scene.Advance( 400 );
    dialogue->Update();
    EXPECT_EQ( dialogue->GetShownChars(), 1u );
    Click();
    dialogue->Update();
    EXPECT_EQ( dialogue->GetShownChars(), 5u ) << "a click shows the whole line at the next update";
    EXPECT_FALSE( dialogue->IsLineComplete() );

    Click();
    EXPECT_EQ( dialogue->GetText(), "Hello" ) << "not advanced before the line is marked complete";
    EXPECT_EQ( dialogue->GetLines().size(), 2u );
    dialogue->Update();
    dialogue->Update();
    ASSERT_TRUE( dialogue->IsLineComplete() );

    Click();
    EXPECT_EQ( dialogue->GetText(), "Bye" );
    EXPECT_EQ( dialogue->GetLines().size(), 1u );
    EXPECT_EQ( dialogue->GetShownChars(), 0u );
    Click();
    EXPECT_EQ( dialogue->GetShownChars(), 2u ) << "the open box takes clicks at once on a later line";
}

TEST_F( DialogueTest, AfterExecuteRunsBeforeTheNextLineAndAfterTheLastLineClosedTheBox )
{
    Load( Line( MOTH, "One", "first();" ) + Line( "", "Two" ) + Line( LADY, "Three", "third();" ) );
    for( int line = 0; line < 3; ++line )
    {
        TypeToTheEnd();
        Click();
    }

    ASSERT_EQ( log.calls.size(), 2u ) << "an empty AfterExecute runs nothing";
    EXPECT_EQ( log.calls[ 0 ].script, "first();" );
    EXPECT_TRUE( log.calls[ 0 ].active );
    EXPECT_EQ( log.calls[ 0 ].text, "One" ) << "the next line is not shown yet";
    EXPECT_EQ( log.calls[ 0 ].linesLeft, 2u );
    EXPECT_EQ( log.calls[ 1 ].script, "third();" );
    EXPECT_FALSE( log.calls[ 1 ].active ) << "the last line's script runs once the box is closing";

    EXPECT_EQ( dialogue->GetTextSprite(), nullptr );
    scene.Advance( 750 );
    EXPECT_EQ( dialogue->GetBoxSprite()->GetY(), 601 );
    ASSERT_NE( dialogue->GetSpeakerSprite(), nullptr ) << "the portrait stays loaded";
    EXPECT_EQ( dialogue->GetSpeakerSprite()->GetX(), -300 );
}

TEST_F( DialogueTest, PromptFadesInMoreThan2000msAfterTheLineIsComplete )
{
    dialogue->SetText( "Hi" );
    TypeToTheEnd();
    dialogue->Update();
    EXPECT_EQ( dialogue->GetContinueSprite(), nullptr );

    scene.Advance( 2000 );
    dialogue->Update();
    EXPECT_EQ( dialogue->GetContinueSprite(), nullptr );
    scene.Advance( 1 );
    dialogue->Update();
    ASSERT_NE( dialogue->GetContinueSprite(), nullptr );
    EXPECT_EQ( dialogue->GetContinueSprite()->GetAlpha(), 0 );
    for( int frame = 0; frame < 5; ++frame )
        scene.Advance( 100 );
    EXPECT_GT( dialogue->GetContinueSprite()->GetAlpha(), 0 );
    EXPECT_LT( dialogue->GetContinueSprite()->GetAlpha(), 255 );
    for( int frame = 0; frame < 5; ++frame )
        scene.Advance( 100 );
    EXPECT_EQ( dialogue->GetContinueSprite()->GetAlpha(), 255 ) << "faded in over 1000 ms";

    Click();
    EXPECT_EQ( dialogue->GetContinueSprite(), nullptr );
    EXPECT_FALSE( dialogue->IsActive() ) << "clicking past the only line closes the box";
}

TEST_F( DialogueTest, ReadingAFileIntoAnOpenBoxReplacesTheQueueWithoutSliding )
{
    Load( Line( MOTH, "One" ) + Line( MOTH, "Two" ) );
    scene.Advance( 800 );
    ASSERT_EQ( test::CGameScene::EffectCount(), 0u );
    CSprite* moth = dialogue->GetSpeakerSprite();

    Load( Line( MOTH, "Other" ) + Line( LADY, "More" ) + Line( LADY, "Most" ) );
    EXPECT_EQ( dialogue->GetLines().size(), 3u );
    EXPECT_EQ( dialogue->GetText(), "Other" );
    EXPECT_EQ( dialogue->GetShownChars(), 0u );
    EXPECT_EQ( test::CGameScene::EffectCount(), 0u ) << "neither the box nor the same portrait moves";
    EXPECT_EQ( dialogue->GetSpeakerSprite(), moth );
    EXPECT_EQ( dialogue->GetBoxSprite()->GetY(), BOX_OPEN_Y );

    // A new speaker: the old portrait slides out and is kept 2100 ms for it.
    const std::size_t sprites = test::CGameScene::SpriteCount();
    Load( Line( LADY, "Lady" ) );
    EXPECT_EQ( test::CGameScene::EffectCount(), 2u );
    EXPECT_EQ( test::CGameScene::SpriteCount(), sprites + 1 );
    scene.RunFakeThreads();
    scene.Advance( 2099 );
    scene.RunFakeThreads();
    EXPECT_EQ( test::CGameScene::SpriteCount(), sprites + 1 );
    scene.Advance( 1 );
    scene.RunFakeThreads();
    EXPECT_EQ( test::CGameScene::SpriteCount(), sprites );
    EXPECT_EQ( dialogue->GetSpeakerSprite()->GetX(), 0 );
}

TEST_F( DialogueTest, LineWithoutTextIsCompleteAtOnceAndCanBeClickedPast )
{
    Load( Line( MOTH, "", "silence();" ) + Line( MOTH, "After the silence" ) );
    EXPECT_TRUE( dialogue->IsLineComplete() );
    scene.Advance( 2001 );
    dialogue->Update();
    EXPECT_NE( dialogue->GetContinueSprite(), nullptr );

    Click();
    ASSERT_EQ( log.calls.size(), 1u );
    EXPECT_EQ( log.calls[ 0 ].script, "silence();" );
    EXPECT_EQ( dialogue->GetText(), "After the silence" );

    // An empty text on a closed box opens it and can be clicked away.
    TypeToTheEnd();
    Click();
    ASSERT_FALSE( dialogue->IsActive() );
    dialogue->SetSpeakerImage( "" );
    dialogue->SetText( "" );
    EXPECT_TRUE( dialogue->IsActive() );
    EXPECT_EQ( dialogue->GetSpeakerSprite(), nullptr );
    scene.Advance( 351 );
    Click();
    EXPECT_FALSE( dialogue->IsActive() );
}

TEST_F( DialogueTest, FileFormatReadsLinesInOrderAndWritesThemBack )
{
    Load( "<Note>skipped</Note>" + Line( MOTH, "One", "a();" ) +
          "<DialogLine><Dialogue>Two</Dialogue></DialogLine>" );
    ASSERT_EQ( dialogue->GetLines().size(), 2u );
    EXPECT_EQ( dialogue->GetLines()[ 1 ].SpeakerImage, "" );
    EXPECT_EQ( dialogue->GetLines()[ 1 ].AfterExecute, "" );

    std::unique_ptr<CXmlNode> saved = XmlSaveObject( *dialogue, "WittyDialog" );
    ASSERT_EQ( saved->GetChildCount(), 2u );
    const CXmlNode* first = saved->GetChild( 0 );
    EXPECT_EQ( first->GetName(), "DialogLine" );
    ASSERT_EQ( first->GetChildCount(), 3u );
    EXPECT_EQ( first->GetChild( 0 )->GetName(), "SpeakerImage" );
    EXPECT_EQ( first->GetChild( 0 )->GetContent(), MOTH );
    EXPECT_EQ( first->GetChild( 1 )->GetName(), "Dialogue" );
    EXPECT_EQ( first->GetChild( 1 )->GetContent(), "One" );
    EXPECT_EQ( first->GetChild( 2 )->GetName(), "AfterExecute" );
    EXPECT_EQ( first->GetChild( 2 )->GetContent(), "a();" );
    EXPECT_EQ( dialogue->GetLines().size(), 2u ) << "writing changes nothing";
}

TEST( DialogueInGameTest, DoDialogReplacesOnlyTheVisibleTextOfQueuedLines )
{
    test::CGameScene scene( "game_dialogue" );
    scene.Write( "data/dialogs/talk.xml", "<WittyDialog>" + Line( MOTH, "First", "LoadLevel( \"data/levels/x.xml\" )" ) +
                                              Line( MOTH, "Second" ) + "</WittyDialog>\n" );
    horror::CHorrorGame game;
    game.RunScript( "LoadDialog( \"data/dialogs/talk.xml\" )" );
    EXPECT_FALSE( game.GetDialogue()->IsActive() ) << "the file is read at the next update";
    game.Update();
    CDialogue* dialogue = game.GetDialogue();
    ASSERT_TRUE( dialogue->IsActive() );
    EXPECT_EQ( dialogue->GetText(), "First" );
    game.Update();
    EXPECT_TRUE( game.GetGameplay().IsPaused() );

    game.RunScript( "DoDialog( \"data/gfx/portrait_moth.xml\", \"Interruption\" )" );
    EXPECT_EQ( dialogue->GetText(), "Interruption" );
    EXPECT_EQ( dialogue->GetLines().size(), 2u );

    scene.Advance( 751 );
    for( int i = 0; i < 20; ++i )
        dialogue->Update();
    ASSERT_TRUE( dialogue->IsLineComplete() );
    test::CGameScene::Press( MOUSE_BUTTON_LEFT );
    EXPECT_EQ( game.GetPendingLevel(), "data/levels/x.xml" ) << "the queued line's script ran";
    EXPECT_EQ( dialogue->GetText(), "Second" );
    EXPECT_EQ( dialogue->GetLines().size(), 1u );
}
