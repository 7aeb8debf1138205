#ifndef TARN_UI_CMENUITEM_H
#define TARN_UI_CMENUITEM_H

#include <string>
#include <utility>
#include <vector>

namespace tarn {
namespace ui {

// One line of a menu a script declares: a console line to run, one that asks
// a question first, or a setting kept in a main-console variable (a number
// range, an on/off switch or a choice of named values), read anew whenever
// it is shown.
class CMenuItem final
{
public:
    enum class Kind
    {
        ACTION,
        CONFIRM,
        RANGE,
        TOGGLE,
        CHOICE
    };

    static constexpr const char* ON = "On";
    static constexpr const char* OFF = "Off";

    static CMenuItem Action( const std::string& label, const std::string& line );
    static CMenuItem Confirm( const std::string& label, const std::string& question, const std::string& line );
    static CMenuItem Range( const std::string& label, const std::string& variable, int min, int max, int step );
    static CMenuItem Toggle( const std::string& label, const std::string& variable );
    // choices: "1:1x,2:2x,0:Largest", each a value and the name shown for it
    // (a piece without ":" is both). No item (an empty label) without a choice.
    static CMenuItem Choice( const std::string& label, const std::string& variable, const std::string& choices );

    Kind GetKind() const { return myKind; }
    const std::string& GetLabel() const { return myLabel; }
    const std::string& GetLine() const { return myLine; }
    const std::string& GetQuestion() const { return myQuestion; }
    bool HasValue() const { return !myVariable.empty(); }

    // The variable as the player reads it: a number, On or Off, a choice's
    // name (its raw value when it is none of the choices); "" for actions.
    std::string GetValueText() const;
    // Sets the variable direction (-1 or +1) steps on. At either end the
    // value stays, or with wrap goes round to the other end.
    void Step( int direction, bool wrap ) const;

private:
    CMenuItem( Kind kind, const std::string& label );

    int GetNumber() const;
    int FindChoice() const;
    static int Next( int value, int delta, int min, int max, bool wrap );

    Kind myKind;
    std::string myLabel;
    std::string myLine;
    std::string myQuestion;
    std::string myVariable;
    int myMin = 0;
    int myMax = 1;
    int myStep = 1;
    // value, name
    std::vector<std::pair<std::string, std::string>> myChoices;
};

} // namespace ui
} // namespace tarn

#endif
