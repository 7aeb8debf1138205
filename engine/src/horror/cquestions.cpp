#include "horror/cquestions.h"

namespace horror {

// The questions and their buttons come with the question-screen work.
CQuestions::CQuestions() = default;

CQuestions::~CQuestions() = default;

void CQuestions::Update()
{
}

} // namespace horror
