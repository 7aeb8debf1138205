#include "horror/ctitlesequence.h"

namespace horror {

// The timeline comes with the title work.
CTitleSequence::CTitleSequence() = default;

CTitleSequence::~CTitleSequence() = default;

void CTitleSequence::Update()
{
}

} // namespace horror
