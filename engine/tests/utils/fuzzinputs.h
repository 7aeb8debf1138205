#ifndef TARN_TESTS_UTILS_FUZZINPUTS_H
#define TARN_TESTS_UTILS_FUZZINPUTS_H

// What the XML and calculator fuzz targets do with one input, shared with the
// unit tests that replay their inputs and time huge ones. Each Fuzz function
// returns for any input, or aborts when an invariant does not hold.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tarn/utils/ccalculator.h"
#include "tarn/utils/cxmlparser.h"
#include "tarn/utils/cxmltreebuilder.h"
#include "tarn/utils/cxmlwriter.h"
#include "tarn/utils/point.h"
#include "tarn/utils/rect.h"
#include "tarn/utils/vector2.h"
#include "tarn/utils/xmlbind.h"
#include "tarn/utils/xmlobject.h"

namespace tarn {
namespace test {

struct CWaypoint
{
    types::point position;
    std::string say;
    bool loud = false;

    void Serialize( CXmlFileSys* filesys )
    {
        XmlBindAttribute( filesys, loud, "loud" );
        XmlBind( filesys, position, "Position" );
        XmlBind( filesys, say, "Say" );
    }
};

// A member of every kind the serialisation treats in its own way.
struct CEveryKind
{
    bool flag = false;
    std::int8_t tiny = 0;
    std::uint8_t byte = 0;
    std::int32_t number = 0;
    float ratio = 0.0f;
    std::string text;
    types::rect area;
    types::vector2 speed;
    CWaypoint home;
    std::vector<CWaypoint> path;
    std::vector<int> numbers;

    void Serialize( CXmlFileSys* filesys )
    {
        XmlBind( filesys, flag, "Flag" );
        XmlBind( filesys, tiny, "Tiny" );
        XmlBind( filesys, byte, "Byte" );
        XmlBind( filesys, number, "Number" );
        XmlBind( filesys, ratio, "Ratio" );
        XmlBind( filesys, text, "Text" );
        XmlBind( filesys, area, "Area" );
        XmlBind( filesys, speed, "Speed" );
        XmlBind( filesys, home, "Home" );
        XmlBindList( filesys, path, "Path", "Waypoint" );
        XmlBindList( filesys, numbers, "Numbers", "N" );
    }
};

// Parses the input, writes the tree out, reads it back, loads both trees.
inline void FuzzXmlInput( const std::string& input )
{
    CXmlTreeBuilder builder;
    CXmlParser parser( builder );
    std::istringstream stream( input );
    parser.ParseStream( stream );
    std::unique_ptr<CXmlNode> root = builder.TakeRoot();
    if( !root )
        return;
    std::ostringstream written;
    CXmlWriter().Write( root.get(), written );
    std::istringstream again( written.str() );
    parser.ParseStream( again );
    // Not always a tree again: a name left over from attribute extraction
    // may begin with "/" or "!" and read back as an end tag or a comment.
    std::unique_ptr<CXmlNode> reread = builder.TakeRoot();
    CEveryKind record;
    XmlLoadObject( root.get(), record );
    XmlLoadObject( reread.get(), record );
    XmlSaveObject( record, "Record" );
}

// Evaluates the input in float and double, twice each: a calculation must
// not depend on what an earlier one left behind.
inline void FuzzCalculatorInput( const std::string& input )
{
    const auto same = []( auto a, auto b ) {
        return ( std::isnan( a ) && std::isnan( b ) ) || std::memcmp( &a, &b, sizeof( a ) ) == 0;
    };
    CCalculator<float> single;
    CCalculator<double> twice;
    const float first = single.Calculate( input );
    const double firstDouble = twice.Calculate( input );
    if( !same( first, single.Calculate( input ) ) || !same( firstDouble, twice.Calculate( input ) ) )
        std::abort();
}

// Processor seconds (a busy machine must not fail a test) run takes for input.
inline double SecondsFor( void ( *run )( const std::string& ), const std::string& input )
{
    const std::clock_t start = std::clock();
    run( input );
    return static_cast<double>( std::clock() - start ) / CLOCKS_PER_SEC;
}

inline std::string Repeated( const std::string& piece, int times )
{
    std::string text;
    for( int i = 0; i < times; ++i )
        text += piece;
    return text;
}

} // namespace test
} // namespace tarn

#endif
