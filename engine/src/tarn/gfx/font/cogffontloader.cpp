#include "tarn/gfx/font/cogffontloader.h"

#include <fstream>
#include <sstream>

#include "tarn/gfx/gfx.h"
#include "tarn/io/datafile.h"
#include "tarn/utils/clogger.h"

namespace tarn {

namespace {

const CColor MAGENTA( 255, 0, 255 );

// Widest and highest glyph image, in pixels.
constexpr long long MAX_GRID_SIZE = 8192;

// Every piece between the separators, empty ones included: the char order
// may itself hold the separator, and is put together again from them.
std::vector<std::string> SplitFields( const std::string& line )
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    while( true )
    {
        const std::size_t end = line.find( ';', start );
        fields.push_back( line.substr( start, end - start ) );
        if( end == std::string::npos )
            return fields;
        start = end + 1;
    }
}

// The leading integer of text; 0 when there is none.
int ReadInt( const std::string& text )
{
    std::istringstream stream( text );
    int value = 0;
    stream >> value;
    return stream.fail() ? 0 : value;
}

// The description line; "" when the file cannot be read (logged when it
// is there but is no regular file or far too large for a font).
std::string ReadFirstLine( const std::string& filename )
{
    const std::string fault = DataFileFault( filename );
    if( !fault.empty() )
    {
        if( fault != FILE_MISSING )
            GetLog().Error() << "OGF: " << filename << " " << fault << "\n";
        return "";
    }
    std::ifstream file( filename, std::ios::binary );
    std::string line;
    if( !ReadBoundedLine( file, line, MAX_DATA_FILE_SIZE ) )
        return "";
    return line;
}

} // namespace

std::unique_ptr<CFont> COgfFontLoader::Load( const std::string& filename )
{
    auto empty = std::make_unique<CFont>( nullptr, CFont::CharPositions(), 0, 0, 0, filename );
    if( !ReadFields( filename ) || !ReadGrid( filename ) || !ReadCharOrder( filename ) || !ReadWidths( filename ) )
        return empty;
    std::unique_ptr<CSurface> image = LoadImage( NextField() );
    if( !image )
        return empty;

    const int cellWidth = image->GetWidth() / myColumns;
    const int cellHeight = image->GetHeight() / myRows;
    const CFont::CharPositions positions = PlaceGlyphs( cellWidth, cellHeight );
    const int spaceWidth = positions[ static_cast<unsigned char>( ' ' ) ].w;
    return std::make_unique<CFont>( std::move( image ), positions, myCellHeight, 0, spaceWidth, filename );
}

bool COgfFontLoader::ReadFields( const std::string& filename )
{
    const std::string line = ReadFirstLine( filename );
    if( line.empty() )
    {
        GetLog().Error() << "Could not open ogf file: " << filename << " for loading\n";
        return false;
    }
    myFields = SplitFields( line );
    myNextField = 1;
    if( myFields[ 0 ] != "OGF" )
    {
        GetLog().Error() << filename << " is probably not a ogf file\n";
        return false;
    }
    return true;
}

bool COgfFontLoader::ReadGrid( const std::string& filename )
{
    myColumns = ReadInt( NextField() );
    myRows = ReadInt( NextField() );
    myCellWidth = ReadInt( NextField() );
    myCellHeight = ReadInt( NextField() );
    myCharCount = ReadInt( NextField() );
    const std::string digits = NextField();
    // A missing digit leaves its channel as it is; so does a character that
    // is not an eighth (logged).
    for( std::size_t i = 0; i < 3; ++i )
    {
        myColorDigits[ i ] = 8;
        if( i >= digits.size() )
            continue;
        if( digits[ i ] >= '0' && digits[ i ] <= '8' )
            myColorDigits[ i ] = digits[ i ] - '0';
        else
            GetLog().Error() << filename << " Error, colour digit \"" << digits[ i ] << "\" is not 0 to 8\n";
    }
    if( myColumns <= 0 || myRows <= 0 || myCellWidth <= 0 || myCellHeight <= 0 )
    {
        GetLog().Error() << filename << " Error, the glyph grid of " << myColumns << " x " << myRows << " cells of "
                         << myCellWidth << " x " << myCellHeight << " pixels is empty\n";
        return false;
    }
    // The glyph image is scaled to the grid's size: a grid beyond any
    // screen would only run the memory out.
    if( myColumns * static_cast<long long>( myCellWidth ) > MAX_GRID_SIZE ||
        myRows * static_cast<long long>( myCellHeight ) > MAX_GRID_SIZE )
    {
        GetLog().Error() << filename << " Error, the glyph grid of " << myColumns << " x " << myRows << " cells of "
                         << myCellWidth << " x " << myCellHeight << " pixels is larger than " << MAX_GRID_SIZE
                         << " pixels a side\n";
        return false;
    }
    return true;
}

bool COgfFontLoader::ReadCharOrder( const std::string& filename )
{
    myCharOrder = NextField();
    while( static_cast<int>( myCharOrder.size() ) < myCharCount && myNextField < myFields.size() )
        myCharOrder += ";" + NextField();
    if( static_cast<int>( myCharOrder.size() ) == myCharCount )
        return true;
    GetLog().Error() << filename << "Error, the char count (" << myCharCount << ") and numbers of charachters ("
                     << myCharOrder.size() << ") don't match\n";
    return false;
}

bool COgfFontLoader::ReadWidths( const std::string& filename )
{
    myWidths = NextField();
    if( static_cast<long long>( myWidths.size() ) == myCharCount * 2LL )
        return true;
    GetLog().Error() << filename << " Error, the number of character width's ( " << myWidths.size()
                     << ") doesn't match the number of characters (" << myCharCount << ") times two\n";
    return false;
}

std::unique_ptr<CSurface> COgfFontLoader::LoadImage( const std::string& imagename ) const
{
    std::unique_ptr<CSurface> image = Gfx::LoadImage( imagename, MAGENTA );
    if( image->IsNull() || image->IsEmpty() )
    {
        GetLog().Error() << "Could not load image" << imagename << "\n";
        return nullptr;
    }
    return PrepareImage( *image );
}

std::unique_ptr<CSurface> COgfFontLoader::PrepareImage( const CSurface& loaded ) const
{
    // The glyphs are drawn from a private copy with an alpha channel: the
    // loaded pixels are shared with every other user of the file, and
    // without alpha a verbatim copy into a transparent text buffer (as a
    // text sprite makes) would stay invisible. The colour key becomes alpha,
    // which also keeps it through scaling.
    std::unique_ptr<CSurface> image = loaded.CopyWithAlpha( 255 );
    const int width = myColumns * myCellWidth;
    const int height = myRows * myCellHeight;
    if( image->GetWidth() != width || image->GetHeight() != height )
        image = image->Scale( width, height );
    if( myColorDigits[ 0 ] != 8 || myColorDigits[ 1 ] != 8 || myColorDigits[ 2 ] != 8 )
    {
        const double red = myColorDigits[ 0 ] / 8.0;
        const double green = myColorDigits[ 1 ] / 8.0;
        const double blue = myColorDigits[ 2 ] / 8.0;
        GetLog() << "Red: " << red << "Green: " << green << "Blue: " << blue << "\n";
        image->ScaleColors( red, green, blue );
    }
    return image;
}

CFont::CharPositions COgfFontLoader::PlaceGlyphs( int cellWidth, int cellHeight ) const
{
    CFont::CharPositions positions{};
    int x = 0;
    int y = 0;
    for( int i = 0; i < myCharCount; ++i )
    {
        const int width = ReadInt( myWidths.substr( 2 * i, 2 ) );
        const auto code = static_cast<unsigned char>( myCharOrder[ i ] );
        positions[ code ] = types::rect{ x, y, static_cast<int>( width / 64.0 * cellWidth ), myCellHeight };
        x += cellWidth;
        if( ( i + 1 ) % myColumns == 0 )
        {
            x = 0;
            y += cellHeight;
        }
    }
    return positions;
}

std::string COgfFontLoader::NextField()
{
    if( myNextField >= myFields.size() )
        return "";
    return myFields[ myNextField++ ];
}

} // namespace tarn
