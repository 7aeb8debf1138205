#ifndef TARN_TESTS_GFX_GFXTESTSUPPORT_H
#define TARN_TESTS_GFX_GFXTESTSUPPORT_H

// What the graphics tests share: a fresh engine with the SDL graphics factory (alone, or under a screen of sprites),
// surfaces as pictures, fonts drawn from pictures and XML trees on one line.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/spritescene.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/font/cfont.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/sdl/cgfxfactorysdl.h"
#include "tarn/gfx/sdl/cscreensurface.h"
#include "tarn/utils/cxmlnode.h"

namespace tarn {
namespace test {

using Rows = std::vector<std::string>;

// A 64 x 64 display, the SDL graphics factory and a folder of the test's own.
class GfxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetEngine();
        Gfx::SetFactory( &factory );
        dir = MakeTempDir( "gfx" );
    }
    void TearDown() override { ResetEngine(); }

    // A transparent surface to draw on; drawn pixels land in it verbatim.
    static std::unique_ptr<CSurface> Canvas( int width, int height ) { return Gfx::NewBuffer( width, height ); }
    std::string Write( const std::string& name, const std::string& bytes ) const
    {
        WriteFile( dir + "/" + name, bytes );
        return dir + "/" + name;
    }

    CVideoMode video{ 64, 64 };
    CGfxFactorySDL factory;
    std::string dir;
};

// A sprite scene (screen layer, factory, image folder) on a fresh engine.
class SceneTest : public ::testing::Test
{
protected:
    explicit SceneTest( int width = 96, int height = 64 )
    {
        ResetEngine();
        scene = std::make_unique<CSpriteScene>( width, height, "scene" );
    }
    ~SceneTest() override
    {
        scene.reset();
        ResetEngine();
    }

    std::string Write( const std::string& name, const std::string& text ) const
    {
        WriteFile( scene->GetDir() + "/" + name, text );
        return scene->GetDir() + "/" + name;
    }
    CColor ScreenPixel( int x, int y ) const { return PixelOf( scene->GetScreen()->GetRawImage(), x, y ); }
    static bool InScreenLayer( const CSprite* sprite )
    {
        for( const CSprite* child : CScreenLayer::GetSingletonPtr()->GetChildren() )
        {
            if( child == sprite )
                return true;
        }
        return false;
    }

    std::unique_ptr<CSpriteScene> scene;
};

// The colours of pictures: '.' is a transparent pixel, '?' any other colour.
inline const std::pair<CColor, char> PICTURE_COLOURS[] = {
    { CColor( 255, 255, 255 ), '#' }, { CColor( 255, 0, 0 ), 'r' }, { CColor( 0, 255, 0 ), 'g' },
    { CColor( 0, 0, 255 ), 'b' },     { CColor( 0, 0, 0 ), 'k' }
};

// The surface as rows of characters.
inline Rows Picture( const CSurface& surface )
{
    Rows rows( surface.GetHeight() );
    for( int y = 0; y < surface.GetHeight(); ++y )
    {
        for( int x = 0; x < surface.GetWidth(); ++x )
        {
            const CColor c = surface.GetPixel( x, y );
            char shown = c.a == 0 ? '.' : '?';
            for( const auto& [ colour, name ] : PICTURE_COLOURS )
                shown = c.a != 0 && c == colour ? name : shown;
            rows[ y ] += shown;
        }
    }
    return rows;
}

// A font whose glyph image is the picture, with 1 pixel between glyphs.
inline std::unique_ptr<CFont> MakeFont( const Rows& picture, const std::vector<std::pair<char, types::rect>>& glyphs,
                                        int lineHeight, int spaceWidth, const std::string& fileName )
{
    std::unique_ptr<CSurface> image = Gfx::NewBuffer( int( picture[ 0 ].size() ), int( picture.size() ) );
    for( int y = 0; y < image->GetHeight(); ++y )
        for( int x = 0; x < image->GetWidth(); ++x )
            for( const auto& [ colour, name ] : PICTURE_COLOURS )
                if( picture[ y ][ x ] == name )
                    image->PutPixel( x, y, colour );
    CFont::CharPositions positions{};
    for( const auto& [ c, rect ] : glyphs )
        positions[ static_cast<unsigned char>( c ) ] = rect;
    return std::make_unique<CFont>( std::move( image ), positions, lineHeight, 1, spaceWidth, fileName );
}

// A font whose lowercase letters all draw as a 3 x 1 white bar: a word of n letters is 4n - 1 pixels of ink wide.
// Spaces are 2 wide, lines 1 high, so a picture shows one text line per row.
inline std::unique_ptr<CFont> MakeBarFont( int formatter = -1 )
{
    std::vector<std::pair<char, types::rect>> glyphs;
    for( char c = 'a'; c <= 'z'; ++c )
        glyphs.emplace_back( c, types::rect{ 0, 0, 3, 1 } );
    std::unique_ptr<CFont> font = MakeFont( { "###" }, glyphs, 1, 2, "bars" );
    if( formatter >= 0 )
        font->SetFormatter( formatter );
    return font;
}

// An XML tree on one line: Name(attribute=value,...):content{child child}.
inline std::string Outline( const CXmlNode& node )
{
    std::string text = node.GetName();
    std::string separator = "(";
    for( const auto& [ name, value ] : node.GetAttributes() )
    {
        text += separator + name + "=" + value;
        separator = ",";
    }
    text += node.GetAttributeCount() > 0 ? ")" : "";
    text += node.GetContent().empty() ? "" : ":" + node.GetContent();
    for( std::size_t i = 0; i < node.GetChildCount(); ++i )
        text += ( i == 0 ? "{" : " " ) + Outline( *node.GetChild( i ) );
    return text + ( node.GetChildCount() > 0 ? "}" : "" );
}

} // namespace test
} // namespace tarn

#endif
