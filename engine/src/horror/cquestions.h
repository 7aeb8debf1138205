#ifndef HORROR_CQUESTIONS_H
#define HORROR_CQUESTIONS_H

namespace horror {

// The question screen between the title and the first level: three yes/no
// questions answered with buttons, then two lines; no ends the program.
class CQuestions
{
public:
    CQuestions();
    ~CQuestions();

    void Update();
    bool IsDone() const { return myDone; }
    // The player answered no.
    bool IsQuit() const { return myQuit; }

private:
    bool myDone = false;
    bool myQuit = false;
};

} // namespace horror

#endif
