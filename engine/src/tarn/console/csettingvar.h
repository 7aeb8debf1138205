#ifndef TARN_CONSOLE_CSETTINGVAR_H
#define TARN_CONSOLE_CSETTINGVAR_H

#include <functional>
#include <string>

#include "tarn/console/cconsolevariable.h"

namespace tarn {

// A whole-number console variable the player chooses (a volume, a window
// size), kept between runs by the settings file. It is bound to its owner's
// int, which must outlive it. A value outside min..max is clamped and a text
// that is no number is refused, each with a line in the log, so neither a
// script nor a damaged settings file can put it out of range.
class CSettingVar final : public CConsoleVariable
{
public:
    // Called after an assignment that changed the value; it may not remove
    // this variable.
    using ChangeHandler = std::function<void()>;

    CSettingVar( const std::string& name, int* bound, int min, int max, ChangeHandler onChange = {} );

    void Set( const std::string& text ) override;
    std::string GetValue() const override;
    std::string GetTypeName() const override { return "setting"; }
    const std::string& GetName() const override { return myName; }
    bool IsReadOnly() const override { return false; }
    bool IsSetting() const override { return true; }
    int GetMin() const { return myMin; }
    int GetMax() const { return myMax; }

private:
    std::string myName;
    int* myValue;
    int myMin;
    int myMax;
    ChangeHandler myOnChange;
};

} // namespace tarn

#endif
