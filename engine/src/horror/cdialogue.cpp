#include "horror/cdialogue.h"

namespace horror {

// The box, its typing and its lines come with the dialogue work; until then
// the dialogue never opens.
CDialogue::CDialogue() = default;

CDialogue::~CDialogue() = default;

void CDialogue::SetSpeakerImage( const std::string& name )
{
    (void)name;
}

void CDialogue::SetText( const std::string& text )
{
    (void)text;
}

void CDialogue::Update()
{
}

void CDialogue::Serialize( tarn::CXmlFileSys* filesys )
{
    (void)filesys;
}

} // namespace horror
