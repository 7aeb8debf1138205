#ifndef TARN_CONSOLE_CCONSOLEVARIABLE_H
#define TARN_CONSOLE_CCONSOLEVARIABLE_H

#include <sstream>
#include <string>
#include <type_traits>
#include <typeinfo>

namespace tarn {

// A named value that scripts can read and assign through a console.
class CConsoleVariable
{
public:
    virtual ~CConsoleVariable() = default;

    // Reads the value from text; does nothing for a read-only variable.
    virtual void Set( const std::string& text ) = 0;
    virtual std::string GetValue() const = 0;
    virtual std::string GetTypeName() const = 0;

    virtual const std::string& GetName() const = 0;
    virtual bool IsReadOnly() const = 0;
    // True for a player's setting, which the settings file keeps between runs.
    virtual bool IsSetting() const { return false; }

    // One line on what the variable does, for cvarlist and the command
    // reference; "" when nobody wrote one.
    void SetDescription( const std::string& text ) { myDescription = text; }
    const std::string& GetDescription() const { return myDescription; }

private:
    std::string myDescription;
};

// A console variable of type T, holding its own value or bound to a variable
// of its owner (which must outlive it). Text is read with stream extraction,
// except for strings, which take the whole text unchanged.
template <class T>
class CConsoleVar final : public CConsoleVariable
{
public:
    CConsoleVar( const std::string& name, const T& value, bool readOnly = false ) :
        myName( name ), myOwnValue( value ), myValue( &myOwnValue ), myReadOnly( readOnly )
    {
    }

    // Bound form: reads and writes *bound.
    CConsoleVar( const std::string& name, T* bound, bool readOnly = false ) :
        myName( name ), myOwnValue(), myValue( bound ), myReadOnly( readOnly )
    {
    }

    CConsoleVar( const CConsoleVar& ) = delete;
    CConsoleVar& operator=( const CConsoleVar& ) = delete;

    void Set( const std::string& text ) override
    {
        if( myReadOnly )
            return;
        if constexpr( std::is_same_v<T, std::string> )
        {
            *myValue = text;
        }
        else
        {
            std::istringstream stream( text );
            T value{};
            if( stream >> value )
                *myValue = value;
        }
    }

    std::string GetValue() const override
    {
        std::ostringstream stream;
        stream << *myValue;
        return stream.str();
    }

    std::string GetTypeName() const override { return typeid( T ).name(); }
    const std::string& GetName() const override { return myName; }
    bool IsReadOnly() const override { return myReadOnly; }

    const T& Get() const { return *myValue; }

private:
    std::string myName;
    T myOwnValue;
    T* myValue;
    bool myReadOnly;
};

} // namespace tarn

#endif
