#include "tarn/gfx/cdebugdrawing.h"

#include <algorithm>
#include <cstdint>

namespace tarn {

namespace {

// The rectangle from corner to corner, in 64 bits so that a far point from a
// data file cannot wrap round.
types::rect Spanning( std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom )
{
    const auto clamp = []( std::int64_t v ) { return std::clamp<std::int64_t>( v, INT32_MIN / 2, INT32_MAX / 2 ); };
    left = clamp( left );
    top = clamp( top );
    right = clamp( right );
    bottom = clamp( bottom );
    return types::rect{ static_cast<std::int32_t>( left ), static_cast<std::int32_t>( top ),
                        static_cast<std::int32_t>( right - left + 1 ), static_cast<std::int32_t>( bottom - top + 1 ) };
}

} // namespace

void CDebugDrawing::Line( int x1, int y1, int x2, int y2, const CColor& color )
{
    Shape shape;
    shape.kind = LINE;
    shape.x1 = x1;
    shape.y1 = y1;
    shape.x2 = x2;
    shape.y2 = y2;
    shape.color = color;
    myShapes.push_back( shape );
}

void CDebugDrawing::Circle( int x, int y, int radius, const CColor& color )
{
    Shape shape;
    shape.kind = CIRCLE;
    shape.x1 = x;
    shape.y1 = y;
    shape.radius = std::max( radius, 0 );
    shape.color = color;
    myShapes.push_back( shape );
}

void CDebugDrawing::Box( const types::rect& area, const CColor& color )
{
    Shape shape;
    shape.kind = BOX;
    shape.area = area;
    shape.color = color;
    myShapes.push_back( shape );
}

void CDebugDrawing::FillBox( const types::rect& area, const CColor& color )
{
    Shape shape;
    shape.kind = FILLED_BOX;
    shape.area = area;
    shape.color = color;
    myShapes.push_back( shape );
}

void CDebugDrawing::Text( int x, int y, const std::string& text, const CColor& color )
{
    Shape shape;
    shape.kind = TEXT;
    shape.x1 = x;
    shape.y1 = y;
    shape.text = text;
    shape.color = color;
    myShapes.push_back( shape );
}

types::rect CDebugDrawing::Bounds( const Shape& shape )
{
    switch( shape.kind )
    {
    case LINE:
        return Spanning( std::min( shape.x1, shape.x2 ), std::min( shape.y1, shape.y2 ),
                         std::max( shape.x1, shape.x2 ), std::max( shape.y1, shape.y2 ) );
    case CIRCLE:
        return Spanning( std::int64_t( shape.x1 ) - shape.radius, std::int64_t( shape.y1 ) - shape.radius,
                         std::int64_t( shape.x1 ) + shape.radius, std::int64_t( shape.y1 ) + shape.radius );
    case BOX:
    case FILLED_BOX:
        return shape.area.w > 0 && shape.area.h > 0 ? shape.area : types::rect{ shape.area.x, shape.area.y, 0, 0 };
    case TEXT:
        if( shape.text.empty() )
            return types::rect{ shape.x1, shape.y1, 0, 0 };
        return Spanning( shape.x1, shape.y1,
                         std::int64_t( shape.x1 ) + std::int64_t( shape.text.size() ) * GLYPH_SIZE - 1,
                         std::int64_t( shape.y1 ) + GLYPH_SIZE - 1 );
    }
    return types::rect{};
}

} // namespace tarn
