#ifndef TARN_UTILS_CANYCONTAINER_H
#define TARN_UTILS_CANYCONTAINER_H

#include <deque>
#include <string>
#include <variant>

namespace tarn {

// The argument list of a console command: an ordered list of values, each
// empty, a string or a number. Commands consume it front to back.
class CAnyContainer
{
public:
    enum Type
    {
        TYPE_EMPTY = 0,
        TYPE_STRING = 1,
        TYPE_NUMBER = 2
    };

    std::size_t Size() const { return myValues.size(); }
    bool Empty() const { return myValues.empty(); }

    // TYPE_EMPTY also for an index past the end.
    int GetType( std::size_t i ) const;
    bool IsType( std::size_t i, int type ) const { return GetType( i ) == type; }

    // A number is formatted like a double on a stream (six significant
    // digits); "" for an empty value or an index past the end.
    std::string GetString( std::size_t i ) const;
    // A string is read like a double from a stream (0 when it does not parse).
    double GetNumber( std::size_t i ) const;

    // Removes the first value; nothing on an empty list.
    void PopFront();

    void AddString( const std::string& value ) { myValues.emplace_back( value ); }
    void AddNumber( double value ) { myValues.emplace_back( value ); }
    void AddEmpty() { myValues.emplace_back( std::monostate() ); }

private:
    std::deque<std::variant<std::monostate, std::string, double>> myValues;
};

} // namespace tarn

#endif
