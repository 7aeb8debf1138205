#include "tarn/utils/cxmlparser.h"

#include <fstream>

#include "tarn/io/datafile.h"
#include "tarn/utils/clogger.h"

namespace tarn {

namespace {

bool IsBlank( char c )
{
    return c == ' ' || c == '\t';
}

void TrimInPlace( std::string& text )
{
    std::string::size_type end = text.size();
    while( end > 0 && IsBlank( text[ end - 1 ] ) )
        --end;
    text.resize( end );
    std::string::size_type begin = 0;
    while( begin < text.size() && IsBlank( text[ begin ] ) )
        ++begin;
    text.erase( 0, begin );
}

// Position of the first blank at or after from that is not between double
// quotes (a quote opens a stretch, the next one closes it); npos if none.
std::string::size_type FindBlankOutsideQuotes( const std::string& text, std::string::size_type from )
{
    bool quoted = false;
    for( std::string::size_type i = from; i < text.size(); ++i )
    {
        if( text[ i ] == '"' )
            quoted = !quoted;
        else if( !quoted && IsBlank( text[ i ] ) )
            return i;
    }
    return std::string::npos;
}

} // namespace

CXmlParser::CXmlParser( CXmlHandler& handler ) :
    myHandler( handler )
{
}

void CXmlParser::Parse( const std::string& fileName )
{
    Reset( fileName );
    if( fileName.empty() )
    {
        Run( nullptr );
        return;
    }
    // A missing file reads as an empty document; callers say what it was
    // for. A FIFO or a file of gigabytes is refused before it is read.
    const std::string fault = DataFileFault( fileName );
    if( !fault.empty() && fault != FILE_MISSING )
    {
        GetLog().Error() << "XML: " << fileName << " " << fault << ", not read\n";
        Run( nullptr );
        return;
    }
    std::ifstream file( fileName, std::ios::binary );
    Run( file ? &file : nullptr );
}

void CXmlParser::ParseStream( std::istream& input )
{
    Reset( "" );
    Run( &input );
}

void CXmlParser::Run( std::istream* input )
{
    myHandler.SetLocation( &myLocation );
    myHandler.StartDocument();
    if( input )
        ParseLines( *input );
    myHandler.EndDocument();
    myHandler.SetLocation( nullptr );
}

void CXmlParser::Reset( const std::string& fileName )
{
    myLocation.file = fileName;
    myLocation.line = 0;
    myInsideTag = false;
    myText.clear();
    myTag.clear();
    myAttributes.clear();
}

// A line ends at a line feed; a carriage return right before it belongs to
// the line end. Nothing replaces the line end, so lines are joined directly.
void CXmlParser::ParseLines( std::istream& input )
{
    std::string line;
    while( std::getline( input, line ) )
    {
        ++myLocation.line;
        if( !input.eof() && !line.empty() && line.back() == '\r' )
            line.pop_back();
        HandlePiece( line );
    }
}

// Cuts one line into text runs and tags. The rest after each "<" or ">" is
// trimmed again before it is looked at.
void CXmlParser::HandlePiece( const std::string& line )
{
    std::string::size_type begin = 0;
    std::string::size_type end = line.size();
    while( true )
    {
        if( myTrim )
        {
            while( begin < end && IsBlank( line[ begin ] ) )
                ++begin;
            while( end > begin && IsBlank( line[ end - 1 ] ) )
                --end;
        }
        const char delimiter = myInsideTag ? '>' : '<';
        const std::string::size_type found = line.find( delimiter, begin );
        if( found == std::string::npos || found >= end )
        {
            ( myInsideTag ? myTag : myText ).append( line, begin, end - begin );
            return;
        }
        ( myInsideTag ? myTag : myText ).append( line, begin, found - begin );
        begin = found + 1;
        myInsideTag = !myInsideTag;
        if( myInsideTag )
            FlushText();
        else
            HandleTag();
    }
}

void CXmlParser::FlushText()
{
    if( myText.empty() )
        return;
    TrimInPlace( myText );
    myHandler.Characters( myText );
    myText.clear();
}

void CXmlParser::HandleTag()
{
    std::string tag;
    tag.swap( myTag );
    TrimInPlace( tag );
    myAttributes.clear();
    if( tag.empty() || tag[ 0 ] == '!' || tag[ 0 ] == '?' )
        return;
    if( tag[ 0 ] == '/' )
    {
        myHandler.EndElement( tag.substr( 1 ) );
        return;
    }

    // The "/" of an empty-element tag is taken off before the attributes, so
    // that <a k="1"/> and <a k="1" /> both give a closed element "a".
    const bool closedAtOnce = tag.back() == '/';
    if( closedAtOnce )
    {
        tag.pop_back();
        TrimInPlace( tag );
    }
    if( tag.find( '=' ) != std::string::npos )
        ExtractAttributes( tag );
    TrimInPlace( tag );
    if( tag.empty() )
    {
        myAttributes.clear();
        return;
    }

    myHandler.StartElement( tag, myAttributes );
    myAttributes.clear();
    if( closedAtOnce )
        myHandler.EndElement( tag );
}

// Takes name="value" pairs out of the tag text, leaving the element name in
// it. Each round splits the remaining text at its first "=": the attribute
// name is the last word before it, the value runs up to the first blank
// outside quotes, and what lies before the name and after the value remains.
// The remaining text is kept as a growing prefix plus a suffix of the tag
// (the part before the first "=" never holds one), which keeps this linear.
void CXmlParser::ExtractAttributes( std::string& tagText )
{
    const std::string& tag = tagText;
    std::string prefix;
    std::string::size_type suffix = 0;
    bool hasSuffix = true;
    while( hasSuffix )
    {
        const std::string::size_type equals = tag.find( '=', suffix );
        if( equals == std::string::npos )
            break;

        prefix.append( tag, suffix, equals - suffix );
        TrimInPlace( prefix );
        const std::string::size_type lastBlank = prefix.find_last_of( " \t" );
        const std::string name = lastBlank == std::string::npos ? prefix : prefix.substr( lastBlank + 1 );
        prefix.resize( lastBlank == std::string::npos ? 0 : lastBlank );

        std::string::size_type valueBegin = equals + 1;
        while( valueBegin < tag.size() && IsBlank( tag[ valueBegin ] ) )
            ++valueBegin;
        const std::string::size_type valueEnd = FindBlankOutsideQuotes( tag, valueBegin );
        hasSuffix = valueEnd != std::string::npos;
        std::string value = tag.substr( valueBegin, hasSuffix ? valueEnd - valueBegin : std::string::npos );
        TrimInPlace( value );
        value = value.size() >= 2 ? value.substr( 1, value.size() - 2 ) : std::string();
        AddAttribute( name, value );
        if( hasSuffix )
            suffix = valueEnd;
    }
    std::string remaining = prefix;
    if( hasSuffix )
        remaining.append( tag, suffix, std::string::npos );
    tagText = remaining;
}

// The first value of a name wins, as in CXmlNode.
void CXmlParser::AddAttribute( const std::string& name, const std::string& value )
{
    if( name.size() > MAX_ATTRIBUTE_LENGTH || value.size() > MAX_ATTRIBUTE_LENGTH )
    {
        GetLog().Error() << "Xml error, attribute longer than " << MAX_ATTRIBUTE_LENGTH << " characters left out: "
                         << name.substr( 0, 40 ) << ( name.size() > 40 ? "..." : "" ) << " (name " << name.size()
                         << ", value " << value.size() << " characters)" << myLocation.Describe() << "\n";
        return;
    }
    myAttributes.emplace( name, value );
}

} // namespace tarn
