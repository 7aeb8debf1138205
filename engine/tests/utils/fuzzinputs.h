#ifndef TARN_TESTS_UTILS_FUZZINPUTS_H
#define TARN_TESTS_UTILS_FUZZINPUTS_H

// What the fuzz targets do with one input, shared with the unit test that
// replays the inputs they once failed on. Each function returns normally for
// any input, or aborts when an invariant does not hold.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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

// Reads members of every kind from whatever the parser made of the input.
struct CFuzzRecord
{
    bool flag = false;
    std::int8_t tiny = 0;
    std::uint16_t word = 0;
    std::int32_t number = 0;
    std::uint64_t big = 0;
    float ratio = 0.0f;
    double precise = 0.0;
    std::string text;
    types::rect area;
    types::point spot;
    types::vector2 speed;
    std::vector<types::point> path;

    void Serialize( CXmlFileSys* filesys )
    {
        XmlBindAttribute( filesys, number, "number" );
        XmlBind( filesys, flag, "Flag" );
        XmlBind( filesys, tiny, "Tiny" );
        XmlBind( filesys, word, "Word" );
        XmlBind( filesys, number, "Number" );
        XmlBind( filesys, big, "Big" );
        XmlBind( filesys, ratio, "Ratio" );
        XmlBind( filesys, precise, "Precise" );
        XmlBind( filesys, text, "Text" );
        XmlBind( filesys, area, "Area" );
        XmlBind( filesys, spot, "Spot" );
        XmlBind( filesys, speed, "Speed" );
        XmlBindList( filesys, path, "Path", "Point" );
    }
};

// Parses the input into a tree, writes the tree out, reads it back, and
// loads a record from both trees.
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

    CFuzzRecord record;
    XmlLoadObject( root.get(), record );
    XmlLoadObject( reread.get(), record );
    XmlSaveObject( record, "Record" );
}

template <class T>
bool SameValue( T a, T b )
{
    return ( std::isnan( a ) && std::isnan( b ) ) || std::memcmp( &a, &b, sizeof( T ) ) == 0;
}

// Evaluates the input in float and double, twice each: a calculation must
// not depend on what an earlier one left behind.
inline void FuzzCalculatorInput( const std::string& input )
{
    CCalculator<float> single;
    CCalculator<double> twice;
    const float first = single.Calculate( input );
    const double firstDouble = twice.Calculate( input );
    if( !SameValue( first, single.Calculate( input ) ) || !SameValue( firstDouble, twice.Calculate( input ) ) )
        std::abort();
}

} // namespace test
} // namespace tarn

#endif
