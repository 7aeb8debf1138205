#ifndef HORROR_CTITLESEQUENCE_H
#define HORROR_CTITLESEQUENCE_H

namespace horror {

// The timed title sequence shown when a game starts: fades, the maker's
// logo and the credits; a left-button release ends it early.
class CTitleSequence
{
public:
    CTitleSequence();
    ~CTitleSequence();

    void Update();
    bool IsFinished() const { return myFinished; }

private:
    bool myFinished = false;
};

} // namespace horror

#endif
