#ifndef HORROR_CSCRIPTRUNNER_H
#define HORROR_CSCRIPTRUNNER_H

#include <string>

namespace horror {

// Runs script text (several console lines) for the gameplay and the
// dialogue; the game implements it with its own console.
class CScriptRunner
{
public:
    virtual ~CScriptRunner() = default;

    // Every line of text, in order; returns true.
    virtual bool RunScript( const std::string& text ) = 0;
};

} // namespace horror

#endif
